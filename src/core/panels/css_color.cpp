#include "core/panels/css_color.h"

#include <array>
#include <utility>

namespace {

const std::array<std::pair<const char *, const char *>, 16> kNames = {{
    {"BLUE", "#0000FF"},   {"AQUA", "#00FFFF"},   {"GREEN", "#008000"}, {"YELLOW", "#FFFF00"},
    {"RED", "#FF0000"},    {"FUCHSIA", "#FF00FF"}, {"BLACK", "#000000"}, {"WHITE", "#FFFFFF"},
    {"GRAY", "#808080"},   {"SILVER", "#C0C0C0"}, {"LIME", "#00FF00"},  {"MAROON", "#800000"},
    {"NAVY", "#000080"},   {"OLIVE", "#808000"},  {"PURPLE", "#800080"}, {"TEAL", "#008080"},
}};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool allHex(const QByteArray &digits)
{
    for (const char c : digits) {
        if (hexValue(c) < 0)
            return false;
    }
    return true;
}

quint8 pair(const QByteArray &code, int at)
{
    return static_cast<quint8>(hexValue(code[at]) * 16 + hexValue(code[at + 1]));
}

} // namespace

std::optional<Rgb> namedColor(const QByteArray &upperName)
{
    for (const auto &[name, code] : kNames) {
        if (upperName == name) {
            const QByteArray hex(code);
            return Rgb{pair(hex, 1), pair(hex, 3), pair(hex, 5)};
        }
    }
    return std::nullopt;
}

std::optional<Rgb> CssToColor(const QByteArray &upperText)
{
    if (const std::optional<Rgb> named = namedColor(upperText))
        return named;
    QByteArray code = upperText;
    if (code.size() == 4 && code.startsWith('#')) {
        code = QByteArray("#") + code[1] + code[1] + code[2] + code[2] + code[3] + code[3];
    } else if (code.size() == 6) {
        code.prepend('#');
    }
    if (code.size() != 7 || !code.startsWith('#') || !allHex(code.mid(1)))
        return std::nullopt;
    return Rgb{pair(code, 1), pair(code, 3), pair(code, 5)};
}

QByteArray ColorToCss(Rgb color)
{
    QByteArray code = "#";
    for (const quint8 part : {color.r, color.g, color.b})
        code += QByteArray::number(part, 16).rightJustified(2, '0').toUpper();
    for (const auto &[name, named] : kNames) {
        if (code == named)
            return name;
    }
    return code;
}
