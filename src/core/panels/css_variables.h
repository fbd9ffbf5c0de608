#pragma once

#include <QByteArray>

#include <functional>
#include <optional>

// The value a custom property ("--name", case as written) is given, or
// nothing where no rule the lookup searches gives it one.
using VariableLookup = std::function<std::optional<QByteArray>(const QByteArray &name)>;

// The value with every var() replaced by what its custom property holds,
// or its fallback where the property has no usable value. Nothing when a
// var() has neither, when variables refer to each other in a loop or a
// chain runs deeper than a sheet means, or when the text grows too long:
// all of these read as "unknown" at once.
// `loop`, when given, tells whether a loop or too deep a chain was the cause.
std::optional<QByteArray> substituteVariables(const QByteArray &value, const VariableLookup &lookup,
                                              bool *loop = nullptr);
