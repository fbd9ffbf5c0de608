#include "panel_widgets.h"

#include "hint.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QToolButton>
#include <QVBoxLayout>

void setHint(QWidget *widget, const QString &hint)
{
    if (hint.isEmpty())
        return;
    const HintParts parts = splitHint(hint);
    widget->setToolTip(parts.shortPart);
    widget->setStatusTip(parts.longPart);
}

UpDown::UpDown(QWidget *parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton *button : {m_up, m_down}) {
        button->setArrowType(button == m_up ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFixedSize(15, 11);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, button] { step(button == m_up); });
        connect(button, &QToolButton::released, this, [this, button] {
            if (button->rect().contains(button->mapFromGlobal(QCursor::pos())))
                emit released();
        });
    }
    setFixedSize(15, 22);
}

void UpDown::step(bool up)
{
    const int next = m_position + (up ? 1 : -1);
    if (next < minimum() || next > maximum())
        return;
    m_position = next;
    emit stepped(up);
}

ColorSwatch::ColorSwatch(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setFixedSize(30, 20);
    setCursor(Qt::PointingHandCursor);
    setColor(palette().color(QPalette::Button));
}

void ColorSwatch::setColor(const QColor &color)
{
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

void setInUse(QWidget *widget, bool inUse)
{
    QPalette pal = widget->palette();
    const QColor face = widget->style() ? QPalette().color(QPalette::Button) : QColor(Qt::lightGray);
    pal.setColor(QPalette::Base, inUse ? QColor(Qt::white) : face);
    widget->setPalette(pal);
}

bool isInUse(const QWidget *widget)
{
    return widget->palette().color(QPalette::Base) == QColor(Qt::white);
}

QToolButton *makeUnitButton(QWidget *parent, const QString &name)
{
    auto *unit = new QToolButton(parent);
    unit->setObjectName(name);
    unit->setText(QStringLiteral("px"));
    unit->setAutoRaise(true);
    unit->setFocusPolicy(Qt::NoFocus);
    unit->setFixedSize(24, 22);
    return unit;
}

LengthField makeLengthField(QWidget *parent, const QString &name, const QString &editHint,
                            const QString &stepperHint)
{
    LengthField field;
    field.container = new QWidget(parent);
    auto *layout = new QHBoxLayout(field.container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    field.edit = new QLineEdit(field.container);
    field.edit->setObjectName(name);
    field.edit->setFixedWidth(44);
    setHint(field.edit, editHint);
    setInUse(field.edit, false);

    field.upDown = new UpDown(field.container);
    field.upDown->setObjectName(name + QStringLiteral("UpDown"));
    setHint(field.upDown, stepperHint);

    field.unit = makeUnitButton(field.container, name + QStringLiteral("_"));

    layout->addWidget(field.edit);
    layout->addWidget(field.upDown);
    layout->addWidget(field.unit);
    return field;
}

QToolButton *makeToggle(QWidget *parent, const QString &name, const QString &hint, const QIcon &icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(23, 23);
    setHint(button, hint);
    return button;
}
