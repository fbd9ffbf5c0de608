#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// The shorthands of flex and grid layout and the properties of the layout
// page they set. Names in capitals, without vendor prefixes.

// The longhands of the layout page a shorthand sets; empty for none.
// ("GAP" sets ROW-GAP and COLUMN-GAP; "GRID-AREA" sets GRID-ROW and
// GRID-COLUMN, themselves shorthands of their start and end.)
const QList<QByteArray> &layoutLonghandsOf(const QByteArray &shorthand);

// Whether the name is one of the shorthands above or a longhand they set.
bool isLayoutName(const QByteArray &name);

// Whether the property `a` sets `b`: the same, one of the names an old
// spelling stands for ("GRID-GAP" for "GAP"), or a shorthand of it.
bool layoutCovers(const QByteArray &a, const QByteArray &b);

// What a layout shorthand as written gives one of the page's properties,
// as a value that property takes ("flex: 1" gives FLEX-BASIS "0%"); nothing
// where the text cannot tell (a var()) or the shorthand does not set it.
std::optional<QByteArray> layoutLonghandOf(const QByteArray &shorthand, const QByteArray &value,
                                           const QByteArray &longhand);

// The shorthand without one of its longhands, as declarations that stand
// in its place ("flex: 1" without FLEX-GROW gives "flex-shrink: 1;" and
// "flex-basis: 0%;"). The names take the shorthand's case.
std::optional<QList<QByteArray>> layoutWithoutLonghand(const QByteArray &shorthandAsWritten, const QByteArray &value,
                                                       const QByteArray &longhand);
