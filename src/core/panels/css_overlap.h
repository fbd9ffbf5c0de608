#pragma once

#include <QByteArray>

// Whether a declaration of the earlier property, standing before one of
// the later property, can change what the later one does: the same
// property, or a shorthand and one of its longhands. Names in capitals;
// vendor prefixes are ignored.
bool cssPropertiesOverlap(QByteArray earlier, QByteArray later);
