#pragma once

#include <QByteArray>
#include <QHash>

#include <optional>

// The custom properties a sheet sets once only, in a :root rule outside any
// block: wherever they are used their value is that one, so a colour made
// with them can be worked out before the page sees it. A property set
// anywhere else as well (another rule, an @media, an element's own style
// aside) is left to the engine.
QHash<QByteArray, QByteArray> stableRootVariables(const QByteArray &sheet);

// The text with each var() of those replaced by its value (a fallback is
// not needed then); nothing when a var() of any other remains.
std::optional<QByteArray> withStableVariables(const QByteArray &text, const QHash<QByteArray, QByteArray> &variables);
