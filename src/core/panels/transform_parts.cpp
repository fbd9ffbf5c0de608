#include "core/panels/transform_parts.h"

#include "core/css/value_words.h"
#include "core/panels/shadow_layers.h"
#include "core/sheet/byte_lines.h"

#include <QList>

#include <numbers>

namespace {

struct Call {
    QByteArray name; // in capitals
    QList<QByteArray> args;
};

std::optional<Call> callOf(const QByteArray &word)
{
    const qsizetype open = word.indexOf('(');
    if (open <= 0 || !word.endsWith(')'))
        return std::nullopt;
    const QByteArray name = latinUpper(word.left(open));
    const auto args = functionArguments(word, name);
    if (!args)
        return std::nullopt;
    return Call{name, *args};
}

QByteArray degreesText(double degrees)
{
    return QByteArray::number(degrees, 'g', 6);
}

bool isZero(const QByteArray &word)
{
    if (word.isEmpty())
        return true;
    QByteArray number = withLeadingZero(word.trimmed());
    while (!number.isEmpty() && !((number.back() >= '0' && number.back() <= '9') || number.back() == '.'))
        number.chop(1);
    bool ok = false;
    return number.toDouble(&ok) == 0 && ok;
}

// A scale's words as one number the field shows: "2", or "2, 2" and
// "2 2", the same along both axes; nothing for one that differs.
std::optional<QByteArray> uniformScale(const QList<QByteArray> &words)
{
    if (words.isEmpty() || words.size() > 2)
        return std::nullopt;
    if (words.size() == 2) {
        bool okX = false, okY = false;
        const double x = withLeadingZero(words[0].trimmed()).toDouble(&okX);
        const double y = withLeadingZero(words[1].trimmed()).toDouble(&okY);
        if (!(okX && okY && x == y) && words[0].trimmed() != words[1].trimmed())
            return std::nullopt;
    }
    return words[0].trimmed();
}

// What a function of the list gives of the parts; false for one the parts
// cannot stand for (a matrix, a skew, a turn about another axis, a scale
// that differs along the axes), which locks the fields.
bool takeCall(const Call &call, TransformParts &parts)
{
    const QByteArray n = call.name;
    if ((n == "TRANSLATE" && (call.args.size() == 1 || call.args.size() == 2))
        || (n == "TRANSLATE3D" && call.args.size() == 3)) {
        parts.x = call.args[0];
        parts.y = call.args.value(1, "0");
    } else if (n == "TRANSLATEX" && call.args.size() == 1) {
        parts.x = call.args[0];
    } else if (n == "TRANSLATEY" && call.args.size() == 1) {
        parts.y = call.args[0];
    } else if ((n == "ROTATE" || n == "ROTATEZ") && call.args.size() == 1) {
        const auto degrees = degreesOf(call.args[0]);
        if (!degrees)
            return false;
        parts.degrees = degreesText(*degrees);
    } else if (n == "SCALE") {
        const std::optional<QByteArray> scale = uniformScale(call.args);
        if (!scale)
            return false;
        parts.scale = *scale;
    } else {
        return false;
    }
    return true;
}

bool isTranslate(const QByteArray &n) { return n.startsWith("TRANSLATE") && n != "TRANSLATEZ"; }

} // namespace

std::optional<double> degreesOf(const QByteArray &angle)
{
    const QByteArray upper = latinUpper(withLeadingZero(angle.trimmed()));
    const std::pair<const char *, double> units[] = {
        {"DEG", 1}, {"GRAD", 0.9}, {"RAD", 180 / std::numbers::pi}, {"TURN", 360}};
    for (const auto &[unit, factor] : units) {
        if (upper.endsWith(unit)) {
            bool ok = false;
            const double number = upper.chopped(qstrlen(unit)).toDouble(&ok);
            if (ok)
                return number * factor;
        }
    }
    if (upper == "0")
        return 0.0;
    return std::nullopt;
}

TransformParts transformPartsOf(const QByteArray &functions)
{
    TransformParts parts;
    const QByteArray trimmed = functions.trimmed();
    if (trimmed.isEmpty() || latinUpper(trimmed) == "NONE")
        return parts;
    if (latinUpper(trimmed).contains("VAR(")) {
        parts.readable = false;
        return parts;
    }
    // Each part from one function at most: the fields cannot show two
    // turns, nor write one of them.
    int shifts = 0, turns = 0, scales = 0;
    for (const QByteArray &word : valueWords(trimmed)) {
        const auto call = callOf(word);
        if (!call || !takeCall(*call, parts)) {
            parts.readable = false;
            return parts;
        }
        shifts += isTranslate(call->name) ? 1 : 0;
        turns += call->name.startsWith("ROTATE") ? 1 : 0;
        scales += call->name == "SCALE" ? 1 : 0;
    }
    if (turns > 1 || scales > 1 || shifts > 2)
        parts.readable = false;
    return parts;
}

TransformParts separatePartsOf(const QByteArray &translate, const QByteArray &rotate, const QByteArray &scale)
{
    TransformParts parts;
    if (latinUpper(translate + rotate + scale).contains("VAR(")) {
        parts.readable = false;
        return parts;
    }
    const QList<QByteArray> shift = valueWords(translate);
    if (!shift.isEmpty() && latinUpper(shift[0]) != "NONE") {
        parts.x = shift[0];
        parts.y = shift.value(1, "0");
    }
    const QList<QByteArray> turn = valueWords(rotate);
    if (turn.size() == 1 && latinUpper(turn[0]) != "NONE") {
        if (const auto degrees = degreesOf(turn[0]))
            parts.degrees = degreesText(*degrees);
        else
            parts.readable = false;
    } else if (!turn.isEmpty() && latinUpper(turn[0]) != "NONE") {
        parts.readable = false; // a turn about an axis
    }
    const QList<QByteArray> size = valueWords(scale);
    if (!size.isEmpty() && latinUpper(size[0]) != "NONE") {
        if (const std::optional<QByteArray> uniform = uniformScale(size))
            parts.scale = *uniform;
        else
            parts.readable = false; // a scale that differs along the axes, or in depth
    }
    return parts;
}

QByteArray withTransformPart(const QByteArray &functions, TransformPart part, const QByteArray &word)
{
    QList<QByteArray> words = valueWords(functions.trimmed());
    if (words.size() == 1 && latinUpper(words[0]) == "NONE")
        words.clear();
    for (qsizetype i = 0; i < words.size(); ++i) {
        const auto call = callOf(words[i]);
        if (!call)
            continue;
        const QByteArray n = call->name;
        if ((part == TransformPart::X || part == TransformPart::Y) && isTranslate(n)) {
            TransformParts now;
            takeCall(*call, now);
            QByteArray x = part == TransformPart::X ? word : now.x;
            QByteArray y = part == TransformPart::Y ? word : now.y;
            const QByteArray name = words[i].left(words[i].indexOf('('));
            const QByteArray x0 = x.isEmpty() ? QByteArray("0") : x, y0 = y.isEmpty() ? QByteArray("0") : y;
            if (n == "TRANSLATE3D")
                words[i] = name + "(" + x0 + ", " + y0 + ", " + call->args.value(2, "0") + ")";
            else if (isZero(x) && isZero(y))
                words.removeAt(i);
            else if (n == "TRANSLATEX" && isZero(y))
                words[i] = name + "(" + x0 + ")";
            else if (n == "TRANSLATEY" && isZero(x))
                words[i] = name + "(" + y0 + ")";
            else if (n == "TRANSLATE" && call->args.size() == 1 && isZero(y))
                words[i] = name + "(" + x0 + ")";
            else
                words[i] = (n == "TRANSLATE" ? name : QByteArray("translate")) + "(" + x0 + ", " + y0 + ")";
            return words.isEmpty() ? QByteArray("none") : words.join(' ');
        }
        if ((part == TransformPart::Rotate && (n == "ROTATE" || n == "ROTATEZ"))
            || (part == TransformPart::Scale && n == "SCALE")) {
            if (word.isEmpty())
                words.removeAt(i);
            else
                words[i] = words[i].left(words[i].indexOf('(')) + "(" + word + ")";
            return words.isEmpty() ? QByteArray("none") : words.join(' ');
        }
    }
    if (!word.isEmpty()) {
        switch (part) {
        case TransformPart::X: words.append("translateX(" + word + ")"); break;
        case TransformPart::Y: words.append("translateY(" + word + ")"); break;
        case TransformPart::Rotate: words.append("rotate(" + word + ")"); break;
        case TransformPart::Scale: words.append("scale(" + word + ")"); break;
        }
    }
    return words.isEmpty() ? QByteArray() : words.join(' ');
}

QByteArray withSeparatePart(const QByteArray &value, TransformPart part, const QByteArray &word)
{
    if (part == TransformPart::Rotate || part == TransformPart::Scale)
        return word;
    QList<QByteArray> shift = valueWords(value.trimmed());
    if (shift.isEmpty() || latinUpper(shift[0]) == "NONE")
        shift = {"0"};
    while (shift.size() < 2)
        shift.append("0");
    shift[part == TransformPart::X ? 0 : 1] = word.isEmpty() ? QByteArray("0") : word;
    if (shift.size() == 2 && isZero(shift[1]))
        shift.removeLast();
    if (shift.size() == 1 && isZero(shift[0]))
        return QByteArray();
    return shift.join(' ');
}
