#pragma once

#include <QByteArray>
#include <QList>

// The catalogue of CSS properties, generated from the web platform's
// definitions (@webref/css, see scripts/gen-css-catalogue): each
// property's name, initial value, inheritance and the keywords its value
// syntax reaches through the types it names ("display" reaches "flex"
// through <display-inside>).

struct CssPropertyEntry {
    const char *name;
    const char *initial;
    bool inherited;
    const char *keywords; // separated by blanks
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

} // namespace cssCatalogue
