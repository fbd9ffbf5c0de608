#include "core/panels/shadow_layers.h"

#include "core/css/css_color.h"
#include "core/css/value_words.h"
#include "core/panels/reading_steps.h"
#include "core/sheet/byte_lines.h"

namespace {

bool isShadowLength(const QByteArray &word)
{
    return reading::isPlainLength(latinUpper(withLeadingZero(word)));
}

} // namespace

QByteArray withLeadingZero(const QByteArray &number)
{
    if (number.startsWith('.'))
        return '0' + number;
    if (number.startsWith("-.") || number.startsWith("+."))
        return number.left(1) + '0' + number.mid(1);
    return number;
}

std::optional<ShadowLayer> shadowLayerOf(const QByteArray &layer)
{
    ShadowLayer out;
    out.words = valueWords(layer);
    QList<int> lengths;
    for (int i = 0; i < out.words.size(); ++i) {
        const QByteArray upper = latinUpper(out.words[i]);
        if (upper == "INSET" && out.inset < 0) {
            out.inset = i;
        } else if (isShadowLength(out.words[i])) {
            // The lengths stand together.
            if (!lengths.isEmpty() && lengths.last() != i - 1)
                return std::nullopt;
            lengths.append(i);
        } else if (out.color < 0 && !upper.contains("VAR(") && CssToColor(upper)) {
            out.color = i;
        } else {
            return std::nullopt;
        }
    }
    if (lengths.size() < 2 || lengths.size() > 4)
        return std::nullopt;
    out.x = lengths[0];
    out.y = lengths[1];
    out.blur = lengths.value(2, -1);
    out.spread = lengths.value(3, -1);
    return out;
}

QByteArray withShadowPart(const QByteArray &layerText, ShadowPart part, const QByteArray &word)
{
    std::optional<ShadowLayer> layer = shadowLayerOf(layerText);
    if (!layer)
        return layerText;
    QList<QByteArray> &words = layer->words;
    switch (part) {
    case ShadowPart::X:
    case ShadowPart::Y: {
        const int at = part == ShadowPart::X ? layer->x : layer->y;
        words[at] = word.isEmpty() ? QByteArray("0") : word;
        break;
    }
    case ShadowPart::Blur:
        if (layer->blur >= 0)
            words[layer->blur] = word.isEmpty() && layer->spread >= 0 ? QByteArray("0") : word;
        else if (!word.isEmpty())
            words.insert(layer->y + 1, word);
        break;
    case ShadowPart::Spread:
        if (layer->spread >= 0) {
            words[layer->spread] = word;
        } else if (!word.isEmpty()) {
            if (layer->blur < 0)
                words.insert(layer->y + 1, "0");
            words.insert(layer->y + 2, word);
        }
        break;
    case ShadowPart::Color:
        if (layer->color >= 0)
            words[layer->color] = word;
        else if (!word.isEmpty())
            words.append(word);
        break;
    }
    words.removeAll(QByteArray());
    return words.join(' ');
}

QByteArray withShadowInset(const QByteArray &layerText, bool inset)
{
    std::optional<ShadowLayer> layer = shadowLayerOf(layerText);
    if (!layer || inset == (layer->inset >= 0))
        return layerText;
    if (inset)
        layer->words.prepend("inset");
    else
        layer->words.removeAt(layer->inset);
    return layer->words.join(' ');
}

QList<QByteArray> shadowLayers(const QByteArray &value)
{
    return valueItems(value.trimmed());
}

QByteArray joinedLayers(const QList<QByteArray> &layers)
{
    return layers.join(", ");
}
