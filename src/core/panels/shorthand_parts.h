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

// A plain margin or padding without one side: the other sides as
// declarations ("padding-right: 4px;"), in their order. Nothing for
// another shorthand or one with a var().
std::optional<QList<QByteArray>> otherSidesOf(const QByteArray &shorthandAsWritten, const QByteArray &value,
                                              const QByteArray &side);
