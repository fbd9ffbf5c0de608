#pragma once

#include <QByteArray>
#include <QList>

// The catalogue of CSS properties, generated from the web platform's
// definitions (@webref/css, see scripts/gen-css-catalogue): each
// property's name, initial value, inheritance, the keywords its value
// syntax reaches through the types it names ("display" reaches "flex"
// through <display-inside>), what a declaration of it sets, and its
// logical property group.

struct CssPropertyEntry {
    const char *name;
    const char *initial;
    bool inherited;
    const char *keywords; // separated by blanks
    // The properties a declaration of it sets besides itself: a shorthand's
    // longhands and those it resets, a legacy alias's standard name.
    const char *sets;
    // Its logical property group ("margin"): the logical members (margin-
    // inline-start) and the physical ones (margin-left) set the same
    // thing, after the page's writing mode and direction.
    const char *group;
    bool logical;
};

extern const CssPropertyEntry kCssProperties[]; // sorted by name
extern const int kCssPropertyCount;

namespace cssCatalogue {

// The entry of a property given in any case; nothing for an unknown one.
const CssPropertyEntry *property(const QByteArray &name);
// The names that start with the prefix, in order.
QList<QByteArray> namesStartingWith(const QByteArray &prefix);
// The known names nearest a misspelt one, the nearest first ("colr": color).
QList<QByteArray> nearestNames(const QByteArray &name, int count = 3);
// The keywords of a property's value; a custom property has none.
QList<QByteArray> keywordsOf(const QByteArray &name);
// Whether a declaration of one property can set what one of the other
// does: the same property, a shorthand and a property it sets at any
// depth, two shorthands that share one, a logical and a physical member
// of a group, or `all`. Names in any case; a vendor prefix the catalogue
// does not know is taken off.
bool setsTheSame(const QByteArray &a, const QByteArray &b);

} // namespace cssCatalogue
