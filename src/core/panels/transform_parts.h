#pragma once

#include <QByteArray>

#include <optional>

// A shift, a turn and a scale, read from a transform function list or from
// the translate, rotate and scale properties, and written back in the form
// the rule uses.

struct TransformParts {
    QByteArray x, y;   // lengths as written, empty where not given
    QByteArray degrees; // the turn in degrees, as a number
    QByteArray scale;  // a number
    // false: a var(), a function the parts cannot stand for (matrix(),
    // skew(), perspective(), a turn about another axis), a scale that
    // differs along the axes, or a part given twice
    bool readable = true;
};

// From `transform` ("translate(-50%, 0) rotate(2deg)", "none").
TransformParts transformPartsOf(const QByteArray &functions);
// From the separate properties, each empty when not given.
TransformParts separatePartsOf(const QByteArray &translate, const QByteArray &rotate, const QByteArray &scale);

enum class TransformPart { X, Y, Rotate, Scale };
// The function list with one part written anew: the function that gives it
// changes, or a new one goes at the end; an empty word takes the part out.
QByteArray withTransformPart(const QByteArray &functions, TransformPart part, const QByteArray &word);
// The value of a separate property with one of its parts written anew:
// translate takes X and Y, rotate and scale their one part.
QByteArray withSeparatePart(const QByteArray &value, TransformPart part, const QByteArray &word);

// An angle in degrees ("0.5turn" is 180); nothing for no angle.
std::optional<double> degreesOf(const QByteArray &angle);
