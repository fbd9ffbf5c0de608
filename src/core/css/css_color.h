#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// A colour of the panels: 8 bits each of red, green, blue and alpha.
struct Rgb {
    quint8 r = 0, g = 0, b = 0, a = 255;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// The colour every unreadable value used to become.
inline constexpr Rgb kUnknownColor{0x12, 0x34, 0x56};

// Reads a colour value given in capitals, in any syntax of CSS Color 4
// without variables: the named colours, transparent and currentColor,
// #rgb, #rgba, #rrggbb, #rrggbbaa (and the old bare RRGGBB), rgb(), rgba(),
// hsl(), hsla(), hwb(), lab(), lch(), oklab(), oklch(), color() in the sRGB,
// linear sRGB, Display P3 and XYZ spaces, color-mix() and light-dark() (its
// light side). The result is 8-bit sRGB, clipped to its gamut; currentColor
// reads as the colour given for it. Anything else gives nothing.
std::optional<Rgb> CssToColor(const QByteArray &upperText, Rgb currentColor = Rgb{0, 0, 0});

// "#RRGGBB" in capitals, or the colour's name when it is one of the sixteen.
QByteArray ColorToCss(Rgb color);
// "#RRGGBB" in capitals, always.
QByteArray hexOf(Rgb color);

// The named colours of CSS; nothing for any other name.
std::optional<Rgb> namedColor(const QByteArray &upperName);
