#pragma once

#include <QByteArray>
#include <QList>

// The widths a sheet's @media conditions name, in px, rounded up and in
// order: "min-width: 575.98px" gives 576, "(width >= 992px)" 992. Other
// units are left out: their px depend on the page's font.
QList<int> mediaWidths(const QByteArray &sheet);
