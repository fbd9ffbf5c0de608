#include "core/panels/transition_layers.h"

#include "core/css/value_words.h"
#include "core/panels/shadow_layers.h"
#include "core/sheet/byte_lines.h"

#include <algorithm>
#include <cmath>

namespace {

const char *const kDefaults[5] = {"all", "0s", "ease", "0s", "normal"};
constexpr int kBehavior = 4; // the shorthand's word for transition-behavior

bool isBehavior(const QByteArray &word)
{
    const QByteArray upper = latinUpper(word);
    return upper == "ALLOW-DISCRETE" || upper == "NORMAL";
}

bool isTime(const QByteArray &word)
{
    return millisecondsOf(word).has_value();
}

bool isTiming(const QByteArray &word)
{
    static const QList<QByteArray> keywords = {"EASE", "LINEAR", "EASE-IN", "EASE-OUT", "EASE-IN-OUT",
                                               "STEP-START", "STEP-END"};
    const QByteArray upper = latinUpper(word);
    return keywords.contains(upper) || upper.startsWith("CUBIC-BEZIER(") || upper.startsWith("STEPS(")
           || upper.startsWith("LINEAR(");
}

bool isPropertyName(const QByteArray &word)
{
    if (word.isEmpty())
        return false;
    return std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
}

// A layer of the shorthand, with the word each part stands at.
struct ShorthandLayer {
    QList<QByteArray> words;
    std::array<int, 5> at{-1, -1, -1, -1, -1};
};

std::optional<ShorthandLayer> shorthandLayerOf(const QByteArray &item)
{
    ShorthandLayer layer;
    layer.words = valueWords(item);
    for (int i = 0; i < layer.words.size(); ++i) {
        const QByteArray &w = layer.words[i];
        int part = -1;
        if (isTime(w))
            part = layer.at[1] < 0 ? 1 : 3;
        else if (isTiming(w))
            part = 2;
        else if (isBehavior(w))
            part = kBehavior;
        else if (isPropertyName(w))
            part = 0;
        if (part < 0 || layer.at[part] >= 0)
            return std::nullopt;
        layer.at[part] = i;
    }
    return layer;
}

QByteArray layerPart(const ShorthandLayer &layer, int part)
{
    return layer.at[part] >= 0 ? layer.words[layer.at[part]] : QByteArray();
}

// A longhand that gives its part: one written after the shorthand, or
// where there is none.
bool longhandCounts(const TransitionValues &v, int part)
{
    return !v.longhands[part].isEmpty() && (v.shorthand.isEmpty() || !v.beforeShorthand[part]);
}

// As many layers as transition-property lists, which the shorthand sets
// too; one when neither is given.
int layerCount(const TransitionValues &v)
{
    if (longhandCounts(v, 0))
        return int(valueItems(v.longhands[0]).size());
    if (!v.shorthand.isEmpty())
        return int(valueItems(v.shorthand).size());
    return v.isEmpty() ? 0 : 1;
}

// A longhand's list made as long as the layers, its items repeated as the
// engine repeats them.
QList<QByteArray> longhandItems(const QByteArray &list, int count, int part)
{
    QList<QByteArray> items = valueItems(list);
    if (items.isEmpty())
        items.append(kDefaults[part]);
    const qsizetype given = items.size();
    while (items.size() < count)
        items.append(items[items.size() % given]);
    return items;
}

QByteArray shorthandWithPart(const QByteArray &item, int part, const QByteArray &word)
{
    std::optional<ShorthandLayer> layer = shorthandLayerOf(item);
    if (!layer)
        return item;
    if (layer->at[part] >= 0) {
        // A duration taken out before a delay leaves 0s in its place.
        const bool needed = part == 1 && layer->at[3] >= 0;
        layer->words[layer->at[part]] = word.isEmpty() && needed ? QByteArray("0s") : word;
        layer->words.removeAll(QByteArray());
        return layer->words.join(' ');
    }
    if (word.isEmpty())
        return item;
    // A part the layer leaves out: the layer is written in the usual order.
    std::array<QByteArray, 5> parts;
    for (int p = 0; p < 5; ++p)
        parts[p] = layerPart(*layer, p);
    parts[part] = word;
    if (!parts[3].isEmpty() && parts[1].isEmpty())
        parts[1] = "0s";
    QList<QByteArray> words;
    for (const QByteArray &p : parts) {
        if (!p.isEmpty())
            words.append(p);
    }
    return words.join(' ');
}

} // namespace

bool TransitionValues::isEmpty() const
{
    return shorthand.isEmpty() && std::all_of(longhands.begin(), longhands.end(), [](const QByteArray &l) { return l.isEmpty(); });
}

std::optional<QList<TransitionLayer>> transitionLayersOf(const TransitionValues &v)
{
    QByteArray all = v.shorthand;
    for (const QByteArray &l : v.longhands)
        all += l;
    if (latinUpper(all).contains("VAR("))
        return std::nullopt;
    const int count = layerCount(v);
    const QList<QByteArray> items = valueItems(v.shorthand);
    QList<TransitionLayer> out;
    for (int i = 0; i < count; ++i) {
        std::array<QByteArray, 5> parts;
        if (!items.isEmpty()) {
            // The shorthand's list repeats whole, as the longhands' do.
            const std::optional<ShorthandLayer> layer = shorthandLayerOf(items[i % items.size()]);
            if (!layer)
                return std::nullopt;
            for (int p = 0; p < 5; ++p)
                parts[p] = layerPart(*layer, p);
        }
        for (int p = 0; p < 5; ++p) {
            if (p < 4 && longhandCounts(v, p))
                parts[p] = longhandItems(v.longhands[p], count, p)[i];
            if (parts[p].isEmpty())
                parts[p] = kDefaults[p];
        }
        if (!isPropertyName(parts[0]) || !isTime(parts[1]) || !isTiming(parts[2]) || !isTime(parts[3]))
            return std::nullopt;
        out.append({parts[0], parts[1], parts[2], parts[3], parts[kBehavior]});
    }
    return out;
}

void setTransitionPart(TransitionValues &v, int layer, TransitionPart which, const QByteArray &word)
{
    const int part = static_cast<int>(which);
    const int count = std::max(layerCount(v), layer + 1);
    QByteArray &longhand = v.longhands[part];
    if (!longhand.isEmpty() && !v.shorthand.isEmpty() && v.beforeShorthand[part]) {
        // The shorthand sets this part anew: the longhand, written after it
        // from now on, gives every layer the part the layer shows.
        const std::optional<QList<TransitionLayer>> layers = transitionLayersOf(v);
        if (layers && layer < layers->size()) {
            QList<QByteArray> items;
            for (const TransitionLayer &l : *layers)
                items.append(which == TransitionPart::Property   ? l.property
                             : which == TransitionPart::Duration ? l.duration
                             : which == TransitionPart::Timing   ? l.timing
                                                                 : l.delay);
            items[layer] = word.isEmpty() ? QByteArray(kDefaults[part]) : word;
            longhand = items.join(", ");
            v.beforeShorthand[part] = false;
            return;
        }
    }
    const bool anyLonghand = std::any_of(v.longhands.begin(), v.longhands.end(), [](const QByteArray &l) { return !l.isEmpty(); });
    if (!longhand.isEmpty() || (v.shorthand.isEmpty() && anyLonghand)) {
        QList<QByteArray> items = longhandItems(longhand, count, part);
        items[layer] = word.isEmpty() ? QByteArray(kDefaults[part]) : word;
        longhand = items.join(", ");
        return;
    }
    QList<QByteArray> items = valueItems(v.shorthand);
    while (items.size() <= layer)
        items.append(QByteArray(kDefaults[0]));
    items[layer] = shorthandWithPart(items[layer], part, word);
    v.shorthand = items.join(", ");
}

void addTransitionLayer(TransitionValues &v)
{
    // "none" stands alone: the new layer takes its place.
    const std::optional<QList<TransitionLayer>> layers = transitionLayersOf(v);
    if (layers && layers->size() == 1 && latinUpper((*layers)[0].property) == "NONE") {
        setTransitionPart(v, 0, TransitionPart::Property, "all");
        setTransitionPart(v, 0, TransitionPart::Duration, "150ms");
        return;
    }
    const int count = layerCount(v);
    const std::optional<ShorthandLayer> fresh = shorthandLayerOf(kNewTransitionLayer);
    bool anyLonghand = false;
    for (int p = 0; p < 4; ++p) {
        if (v.longhands[p].isEmpty())
            continue;
        anyLonghand = true;
        QList<QByteArray> items = longhandItems(v.longhands[p], count, p);
        items.append(p == 0 ? QByteArray(kDefaults[0]) : layerPart(*fresh, p).isEmpty() ? QByteArray(kDefaults[p]) : layerPart(*fresh, p));
        v.longhands[p] = items.join(", ");
    }
    if (!v.shorthand.isEmpty() || !anyLonghand) {
        QList<QByteArray> items = valueItems(v.shorthand);
        // A longhand of the property decides how many layers there are.
        while (anyLonghand && items.size() < count)
            items.append(QByteArray(kDefaults[0]));
        items.append(kNewTransitionLayer);
        v.shorthand = items.join(", ");
    }
}

void removeTransitionLayer(TransitionValues &v, int layer)
{
    QList<QByteArray> items = valueItems(v.shorthand);
    if (layer < items.size()) {
        items.removeAt(layer);
        v.shorthand = items.join(", ");
    }
    for (QByteArray &longhand : v.longhands) {
        QList<QByteArray> list = valueItems(longhand);
        if (layer < list.size()) {
            list.removeAt(layer);
            longhand = list.join(", ");
        }
    }
}

std::optional<double> millisecondsOf(const QByteArray &time)
{
    const QByteArray upper = latinUpper(withLeadingZero(time.trimmed()));
    bool ok = false;
    if (upper.endsWith("MS")) {
        const double ms = upper.chopped(2).toDouble(&ok);
        return ok ? std::optional(ms) : std::nullopt;
    }
    if (upper.endsWith('S')) {
        const double s = upper.chopped(1).toDouble(&ok);
        return ok ? std::optional(s * 1000) : std::nullopt;
    }
    return std::nullopt;
}

QByteArray timeText(double milliseconds, const QByteArray &like)
{
    const QByteArray upper = latinUpper(like.trimmed());
    if (upper.endsWith('S') && !upper.endsWith("MS"))
        return QByteArray::number(milliseconds / 1000, 'g', 6) + "s";
    return QByteArray::number(milliseconds, 'g', 6) + "ms";
}

std::optional<std::array<double, 4>> easingPoints(const QByteArray &timing)
{
    const QByteArray upper = latinUpper(timing.trimmed());
    const std::pair<const char *, std::array<double, 4>> keywords[] = {
        {"EASE", {0.25, 0.1, 0.25, 1}},   {"LINEAR", {0, 0, 1, 1}},         {"EASE-IN", {0.42, 0, 1, 1}},
        {"EASE-OUT", {0, 0, 0.58, 1}},    {"EASE-IN-OUT", {0.42, 0, 0.58, 1}},
    };
    for (const auto &[name, points] : keywords) {
        if (upper == name)
            return points;
    }
    const auto args = functionArguments(timing.trimmed(), "CUBIC-BEZIER");
    if (!args || args->size() != 4)
        return std::nullopt;
    std::array<double, 4> points{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        points[i] = withLeadingZero((*args)[i]).toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    return points;
}

QByteArray cubicBezierText(const std::array<double, 4> &points, const QByteArray &replaced)
{
    const std::optional<std::array<double, 4>> before = easingPoints(replaced);
    const auto written = functionArguments(replaced.trimmed(), "CUBIC-BEZIER");
    QList<QByteArray> numbers;
    for (int i = 0; i < 4; ++i) {
        if (before && written && written->size() == 4 && (*before)[i] == points[i]) {
            numbers.append((*written)[i]);
            continue;
        }
        // x stays within 0 to 1, as the function wants.
        const double v = i % 2 == 0 ? std::clamp(points[i], 0.0, 1.0) : points[i];
        numbers.append(QByteArray::number(std::round(v * 100) / 100, 'g', 3));
    }
    return "cubic-bezier(" + numbers.join(", ") + ")";
}
