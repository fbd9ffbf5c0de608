#include "core/panels/transition_layers.h"

#include "core/css/value_words.h"
#include "core/panels/shadow_layers.h"
#include "core/sheet/byte_lines.h"

#include <algorithm>
#include <cmath>

namespace {

const char *const kDefaults[4] = {"all", "0s", "ease", "0s"};

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
    std::array<int, 4> at{-1, -1, -1, -1};
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

int layerCount(const TransitionValues &v)
{
    if (!v.longhands[0].isEmpty())
        return int(valueItems(v.longhands[0]).size());
    if (!v.shorthand.isEmpty())
        return int(valueItems(v.shorthand).size());
    int most = 0;
    for (const QByteArray &list : v.longhands)
        most = std::max<int>(most, int(valueItems(list).size()));
    return most;
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
    std::array<QByteArray, 4> parts;
    for (int p = 0; p < 4; ++p)
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
        std::array<QByteArray, 4> parts;
        if (i < items.size()) {
            const std::optional<ShorthandLayer> layer = shorthandLayerOf(items[i]);
            if (!layer)
                return std::nullopt;
            for (int p = 0; p < 4; ++p)
                parts[p] = layerPart(*layer, p);
        }
        for (int p = 0; p < 4; ++p) {
            if (!v.longhands[p].isEmpty())
                parts[p] = longhandItems(v.longhands[p], count, p)[i];
            if (parts[p].isEmpty())
                parts[p] = kDefaults[p];
        }
        if (!isPropertyName(parts[0]) || !isTime(parts[1]) || !isTiming(parts[2]) || !isTime(parts[3]))
            return std::nullopt;
        out.append({parts[0], parts[1], parts[2], parts[3]});
    }
    return out;
}

void setTransitionPart(TransitionValues &v, int layer, TransitionPart which, const QByteArray &word)
{
    const int part = static_cast<int>(which);
    const int count = std::max(layerCount(v), layer + 1);
    QByteArray &longhand = v.longhands[part];
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

QByteArray cubicBezierText(const std::array<double, 4> &points)
{
    QList<QByteArray> numbers;
    for (int i = 0; i < 4; ++i) {
        // x stays within 0 to 1, as the function wants.
        const double v = i % 2 == 0 ? std::clamp(points[i], 0.0, 1.0) : points[i];
        numbers.append(QByteArray::number(std::round(v * 100) / 100, 'g', 3));
    }
    return "cubic-bezier(" + numbers.join(", ") + ")";
}
