#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// What a shorthand as written gives one of its longhands: margin and
// padding with one to four values, border-width, border-style and
// border-color with their sides alike, border, the colour of background,
// and the style, variant, weight, size, line height and family of font.
// Names in capitals, the value as written. Nothing where the text alone
// cannot tell (a var() may stand for any number of parts, a system font)
// or the shorthand does not set the longhand.
std::optional<QByteArray> longhandOf(const QByteArray &shorthand, const QByteArray &value, const QByteArray &longhand);

// A plain shorthand without one of its longhands, as declarations to stand
// in its place: a margin or padding without one side gives the other sides
// ("padding-right: 4px;"); a border or background without its colour, or a
// border without its width or style, gives the shorthand without that part,
// which then takes its initial value as if never given. Nothing for other
// shorthands or one with a var().
std::optional<QList<QByteArray>> withoutLonghand(const QByteArray &shorthandAsWritten, const QByteArray &value,
                                                 const QByteArray &longhand);
