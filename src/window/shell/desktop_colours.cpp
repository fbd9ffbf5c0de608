#include "window/shell/desktop_colours.h"

#include <QWidget>

namespace desktop_colours {

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QColor hint(const QPalette &palette)
{
    return isDark(palette) ? QColor(0x8C, 0xB4, 0xFF) : QColor(Qt::blue);
}

QColor listGround(const QPalette &palette)
{
    return isDark(palette) ? palette.color(QPalette::Base).lighter(150) : QColor(0xC0, 0xC0, 0xC0);
}

QColor title(const QPalette &palette)
{
    return isDark(palette) ? QColor(0x9C, 0xB8, 0xFF) : QColor(0x00, 0x00, 0x80);
}

QColor accentTitle(const QPalette &palette)
{
    return isDark(palette) ? QColor(0xFF, 0x9C, 0x9C) : QColor(0x80, 0x00, 0x00);
}

QColor ink(const QPalette &palette)
{
    return palette.color(QPalette::WindowText);
}

void setLightGround(QWidget *widget, const QColor &ground)
{
    QPalette pal = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, ground);
        pal.setColor(group, QPalette::Text, Qt::black);
        pal.setColor(group, QPalette::PlaceholderText, QColor(0x70, 0x70, 0x70));
    }
    pal.setColor(QPalette::Disabled, QPalette::Base, ground);
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    // The panels show every control again on each rule: a palette set anew
    // though unchanged costs a round of palette events.
    if (widget->testAttribute(Qt::WA_SetPalette) && widget->palette() == pal)
        return;
    widget->setPalette(pal);
}

} // namespace desktop_colours
