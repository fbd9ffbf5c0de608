#include "window/panels/unit_chooser.h"

#include "window/panels/panel_widgets.h"
#include "window/panels/property_icons.h"

#include <QGridLayout>
#include <QToolButton>

UnitChooser::UnitChooser(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Z_Select"));
    setAccessibleName(QStringLiteral("Выбор единицы измерения"));
    setFixedSize(81, 129);
    setFrameShape(QFrame::Panel);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    setPalette(pal);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(1);
    struct Unit {
        int number;
        const char *caption;
        const char *hint;
        int row;
        int column;
    };
    const Unit units[] = {
        {1, "pc", "пики (12 pt)", 0, 0},          {3, "pt", "точка (1/72 дюйма)", 0, 1},
        {2, "ih", "дюйм (2.54 cm)", 0, 2},        {4, "mm", "миллиметр", 1, 0},
        {5, "px", "пиксель (экранная точка)", 1, 1}, {6, "%", "процент", 1, 2},
        {7, "cm", "сантиметр", 2, 0},              {8, "em", "коэффициент от текущего размера", 2, 1},
        {9, "ex", "коэффициент от единичного размера", 2, 2},
    };
    // Today's units, a row of their own.
    const struct {
        const char *caption;
        const char *hint;
    } modern[] = {
        {"rem", "коэффициент от размера шрифта страницы (корневого элемента)"},
        {"vw", "процент ширины окна"},
        {"vh", "процент высоты окна"},
    };
    m_units.resize(9);
    auto makeButton = [this](const QString &name, const QString &caption, const QString &hint) {
        auto *button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(caption);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedHeight(25);
        setHint(button, hint);
        return button;
    };
    for (const Unit &unit : units) {
        QToolButton *button = makeButton(QStringLiteral("Z_%1").arg(unit.number), QString::fromUtf8(unit.caption),
                                         QString::fromUtf8(unit.hint));
        button->setFixedWidth(25);
        grid->addWidget(button, unit.row, unit.column);
        m_units[unit.number - 1] = button;
    }
    for (int i = 0; i < 3; ++i) {
        QToolButton *button = makeButton(QStringLiteral("Z_") + QLatin1String(modern[i].caption),
                                         QString::fromLatin1(modern[i].caption), QString::fromUtf8(modern[i].hint));
        button->setFixedWidth(25);
        grid->addWidget(button, 3, i);
        m_units.append(button);
    }
    m_cancel = makeButton(QStringLiteral("Z_cancel"), QStringLiteral("Отмена"), QStringLiteral("Оставить старую единицу"));
    m_cancel->setFixedWidth(51);
    grid->addWidget(m_cancel, 4, 0, 1, 2);
    m_off = makeButton(QStringLiteral("Z_off"), QString(), QStringLiteral("без размера (не рекомендуется)"));
    m_off->setFixedWidth(25);
    m_off->setIcon(icons::noUnit());
    grid->addWidget(m_off, 4, 2);
    hide();
}

QToolButton *UnitChooser::unitButton(int number) const
{
    return m_units.value(number - 1);
}
