#pragma once

#include <QByteArray>

// Whether a declaration of the earlier property, standing before one of
// the later property, can change what the later one does: whether the two
// set the same thing, as the property catalogue tells (a shorthand and
// any property it sets, two shorthands that share one, a logical and a
// physical side, `all`). Names in capitals; an unknown vendor prefix is
// ignored.
bool cssPropertiesOverlap(QByteArray earlier, QByteArray later);
