#pragma once

#include <QString>

// The physical property a logical one sets on an element of the writing
// mode and direction given: margin-inline-start is margin-left in a
// horizontal left-to-right page, margin-right in a right-to-left one,
// margin-top in a vertical one. Any other property is itself.
QString physicalProperty(const QString &property, const QString &writingMode, const QString &direction);
