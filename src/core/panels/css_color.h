#pragma once

#include "core/panels/panel_state.h"

#include <QByteArray>

#include <optional>

// The colour every unreadable value used to become.
inline constexpr Rgb kUnknownColor{0x12, 0x34, 0x56};

// Reads a colour value given in capitals: one of the sixteen names, #RGB,
// #RRGGBB or RRGGBB. Anything else (rgb(), hsl(), var(), other names)
// cannot be shown on a swatch and gives nothing.
std::optional<Rgb> CssToColor(const QByteArray &upperText);

// "#RRGGBB" in capitals, or the colour's name when it is one of the sixteen.
QByteArray ColorToCss(Rgb color);

// The sixteen named colours as the panels know them (the CSS colours of the same names).
std::optional<Rgb> namedColor(const QByteArray &upperName);
