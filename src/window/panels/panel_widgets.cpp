#include "window/panels/panel_widgets.h"


#include <QPainter>

#include <QKeyEvent>

#include "window/shell/desktop_colours.h"
#include "window/shell/hint.h"

#include <QApplication>
#include <QComboBox>
#include <QSlider>
#include <QAbstractButton>
#include <QLabel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

QFont panelFont()
{
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

QString spokenName(const QString &hint)
{
    QString name = splitHint(hint).shortPart.trimmed();
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name;
}

void setHint(QWidget *widget, const QString &hint)
{
    if (hint.isEmpty())
        return;
    const HintParts parts = splitHint(hint);
    widget->setToolTip(parts.shortPart);
    widget->setStatusTip(parts.longPart);
    // A control that shows no text of its own is named by its hint, so a
    // screen reader says more than "button" or "edit".
    const auto *button = qobject_cast<const QAbstractButton *>(widget);
    const bool showsText = (button && !button->text().isEmpty()) || qobject_cast<const QLabel *>(widget)
                           || qobject_cast<const QGroupBox *>(widget);
    if (!showsText && widget->accessibleName().isEmpty())
        widget->setAccessibleName(spokenName(hint));
}

namespace {

// A stepper half. Qt reports a release before the click it completes; the
// stepper reports its own mouse-up only once the step is taken, and only
// for the release of the mouse, not for every auto-repeat.
class StepButton : public QToolButton
{
public:
    StepButton(UpDown *stepper, std::function<void()> released)
        : QToolButton(stepper)
        , m_released(std::move(released))
    {
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        const bool over = event->button() == Qt::LeftButton && hitButton(event->position().toPoint());
        QToolButton::mouseReleaseEvent(event);
        if (over)
            m_released();
    }

private:
    std::function<void()> m_released;
};

} // namespace

UpDown::UpDown(QWidget *parent)
    : QWidget(parent)
    , m_up(new StepButton(this, [this] { emit released(); }))
    , m_down(new StepButton(this, [this] { emit released(); }))
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
    setFocusPolicy(Qt::TabFocus);
    setColor(palette().color(QPalette::Button));
}

void ColorSwatch::setColor(const QColor &color)
{
    m_color = color;
    QPalette pal = palette();
    QColor opaque = color;
    opaque.setAlpha(255);
    pal.setColor(QPalette::Window, opaque);
    setPalette(pal);
    // Besides its name, a screen reader says the colour as text.
    setAccessibleDescription(color.name(color.alpha() < 255 ? QColor::HexArgb : QColor::HexRgb).toUpper());
    updateToolTip();
    update();
}

void ColorSwatch::setWrittenAs(const QString &value)
{
    m_writtenAs = value;
    updateToolTip();
}

void ColorSwatch::updateToolTip()
{
    // The hint the panels gave comes first; it is taken once, before the
    // swatch adds to it.
    if (!m_hintTaken) {
        m_hint = toolTip();
        m_hintTaken = true;
    }
    const QString code = m_color.name(QColor::HexRgb).toUpper()
                         + (m_color.alpha() < 255 ? QStringLiteral(" / %1%").arg(qRound(m_color.alphaF() * 100)) : QString());
    const bool plain = m_writtenAs.isEmpty() || m_writtenAs.compare(code, Qt::CaseInsensitive) == 0;
    const QString value = plain ? QString() : m_writtenAs + QStringLiteral(" \u2192 ") + code;
    setToolTip(m_hint.isEmpty() ? value : value.isEmpty() ? m_hint : m_hint + QLatin1Char('\n') + value);
}

void ColorSwatch::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
        emit clicked();
        return;
    }
    QFrame::keyPressEvent(event);
}

void ColorSwatch::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (m_color.alpha() < 255) {
        // A translucent colour: opaque on the left, over a checker on the right.
        const QRect right = contentsRect().adjusted(contentsRect().width() / 2, 0, 0, 0);
        const int cell = 5;
        for (int y = right.top(); y <= right.bottom(); y += cell) {
            for (int x = right.left(); x <= right.right(); x += cell) {
                const bool dark = ((x - right.left()) / cell + (y - right.top()) / cell) % 2;
                painter.fillRect(QRect(x, y, cell, cell).intersected(right), dark ? QColor(0x99, 0x99, 0x99) : Qt::white);
            }
        }
        painter.fillRect(right, m_color);
    }
    if (!hasFocus())
        return;
    // The keyboard focus shows as a highlight frame with a line inside it
    // that stands out from the swatch's own colour, light or dark.
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
    painter.setPen(QPen(m_color.lightness() < 128 ? Qt::white : Qt::black, 1, Qt::DotLine));
    painter.drawRect(QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5));
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

QSize PathCheckBox::minimumSizeHint() const
{
    // Room for the indicator and a few letters; the rest is elided.
    QSize size = QCheckBox::sizeHint();
    size.setWidth(qMin(size.width(), fontMetrics().averageCharWidth() * 12));
    return size;
}

void PathCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect label = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    option.text = fontMetrics().elidedText(text(), Qt::ElideMiddle, label.width());
    painter.drawControl(QStyle::CE_CheckBox, option);
}

namespace {

class WheelToPage : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel || static_cast<QWidget *>(watched)->hasFocus())
            return false;
        // Not taken: the wheel goes on to the parents, the page scrolls.
        event->ignore();
        return true;
    }
};

} // namespace

void leaveWheelToPage(QWidget *root)
{
    auto *filter = new WheelToPage(root);
    const QList<QWidget *> controls = root->findChildren<QWidget *>();
    for (QWidget *w : controls) {
        if (qobject_cast<QComboBox *>(w) || qobject_cast<QSlider *>(w)) {
            w->setFocusPolicy(Qt::StrongFocus);
            w->installEventFilter(filter);
        }
    }
}

void setInUse(QWidget *widget, bool inUse)
{
    if (inUse) {
        desktop_colours::setLightGround(widget, Qt::white);
        return;
    }
    // Not in use: the face of a button, with the desktop's own text on it.
    QPalette pal = widget->palette();
    const QPalette desktop;
    pal.setColor(QPalette::Base, widget->style() ? desktop.color(QPalette::Button) : QColor(Qt::lightGray));
    pal.setColor(QPalette::Text, desktop.color(QPalette::ButtonText));
    if (widget->testAttribute(Qt::WA_SetPalette) && widget->palette() == pal)
        return;
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
    nameLengthField(field, spokenName(editHint));

    layout->addWidget(field.edit);
    layout->addWidget(field.upDown);
    layout->addWidget(field.unit);
    return field;
}

void nameLengthField(const LengthField &field, const QString &name)
{
    if (name.isEmpty())
        return;
    field.edit->setAccessibleName(name);
    field.upDown->setAccessibleName(name + QStringLiteral(" — на единицу больше или меньше"));
    field.unit->setAccessibleName(name + QStringLiteral(" — единица"));
}

QToolButton *makeToggle(QWidget *parent, const QString &name, const QString &hint, const QIcon &icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setAutoRaise(true);
    // Reached with Tab and pressed with Space; a click leaves the focus
    // where it was, as a length field being typed into expects.
    button->setFocusPolicy(Qt::TabFocus);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(23, 23);
    setHint(button, hint);
    return button;
}
