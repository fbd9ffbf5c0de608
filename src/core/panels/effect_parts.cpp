#include "core/panels/effect_parts.h"

#include "core/css/css_color.h"
#include "core/css/value_words.h"
#include "core/panels/reading_steps.h"
#include "core/panels/shadow_layers.h"
#include "core/panels/transform_parts.h"
#include "core/panels/transition_layers.h"
#include "core/sheet/byte_lines.h"

#include <algorithm>
#include <cmath>

namespace {

void clearField(PanelState &p, Length field)
{
    p.length(field).text.clear();
    p.length(field).inUse = false;
}

void showWord(PanelState &p, Length field, const QByteArray &word)
{
    clearField(p, field);
    if (!word.isEmpty())
        reading::showLength(p, field, latinUpper(withLeadingZero(word)));
}

// The number a field holds, with its unit for a length; empty for none.
QByteArray fieldWord(const PanelState &p, Length field, const char *unit = nullptr)
{
    const LengthValue &v = p.length(field);
    if (!v.inUse || !reading::hasDigit(v.text))
        return QByteArray();
    if (unit)
        return v.text + unit;
    return fieldKind(field) == FieldKind::Length ? v.text + v.unit : v.text;
}

void keepLayerInRange(PartsView &view)
{
    view.layer = std::clamp(view.layer, 0, std::max(0, view.layers - 1));
}

// Shadows.

QList<QByteArray> shadowList(const PanelState &p)
{
    const QByteArray &value = p.compound(Compound::BoxShadow);
    return value.trimmed().isEmpty() ? QList<QByteArray>() : shadowLayers(value);
}

void showShadows(PanelState &p)
{
    for (const Length f : {Length::ShadowX, Length::ShadowY, Length::ShadowBlur, Length::ShadowSpread, Length::ShadowOpacity})
        clearField(p, f);
    p.swatch(Swatch::Shadow) = {Rgb{0, 0, 0}, false, {}};
    p.shadowInset = false;
    PartsView &view = p.shadows;
    const QList<QByteArray> layers = shadowList(p);
    view.captions = layers;
    view.layers = int(layers.size());
    keepLayerInRange(view);
    view.locked.clear();
    if (layers.isEmpty())
        return;
    const QByteArray layer = layers[view.layer];
    const std::optional<ShadowLayer> parts = shadowLayerOf(layer);
    if (!parts) {
        const QByteArray upper = latinUpper(layer.trimmed());
        view.locked = upper == "NONE" ? QStringLiteral("Тени нет (none): добавьте слой, чтобы задать тень")
                      : upper.contains("VAR(")
                          ? QStringLiteral("Слой задан переменной var(): он остаётся как записан")
                          : QStringLiteral("Этот слой поля не показывают: он остаётся как записан");
        return;
    }
    const auto word = [&](int at) { return at >= 0 ? parts->words[at] : QByteArray(); };
    showWord(p, Length::ShadowX, word(parts->x));
    showWord(p, Length::ShadowY, word(parts->y));
    showWord(p, Length::ShadowBlur, word(parts->blur));
    showWord(p, Length::ShadowSpread, word(parts->spread));
    p.shadowInset = parts->inset >= 0;
    if (parts->color >= 0) {
        const Rgb color = CssToColor(latinUpper(word(parts->color))).value_or(Rgb{});
        p.swatch(Swatch::Shadow) = {Rgb{color.r, color.g, color.b, 255}, true, word(parts->color)};
        LengthValue &opacity = p.length(Length::ShadowOpacity);
        opacity.text = QByteArray::number(std::lround(color.a * 100.0 / 255));
        opacity.inUse = true;
        opacity.unit.clear();
    }
}

// The selected layer written anew by `edit`; a list without a layer (or
// with none) gets one.
template<typename Edit>
void editShadowLayer(PanelState &p, Edit edit)
{
    QList<QByteArray> layers = shadowList(p);
    if (layers.isEmpty() || (layers.size() == 1 && latinUpper(layers[0].trimmed()) == "NONE")) {
        layers = {"0 0"};
        p.shadows.layer = 0;
    }
    keepLayerInRange(p.shadows);
    const int at = std::min<int>(p.shadows.layer, int(layers.size()) - 1);
    if (!shadowLayerOf(layers[at]))
        return; // shown as written: a var() where a part should be
    layers[at] = edit(layers[at]);
    p.compound(Compound::BoxShadow) = joinedLayers(layers);
    p.shadows.captions = layers;
    p.shadows.layers = int(layers.size());
}

// Transforms.

bool separateForm(const PanelState &p)
{
    return p.compound(Compound::Transform).isEmpty()
           && !(p.compound(Compound::Translate) + p.compound(Compound::Rotate) + p.compound(Compound::Scale)).isEmpty();
}

void showTransforms(PanelState &p)
{
    for (const Length f : {Length::TranslateX, Length::TranslateY, Length::Rotate, Length::Scale})
        clearField(p, f);
    const TransformParts parts = separateForm(p)
                                     ? separatePartsOf(p.compound(Compound::Translate), p.compound(Compound::Rotate),
                                                       p.compound(Compound::Scale))
                                     : transformPartsOf(p.compound(Compound::Transform));
    p.transforms.locked = parts.readable ? QString()
                                         : QStringLiteral("Преобразование задано переменной или функцией, "
                                                          "которой поля не показывают: оно остаётся как записано");
    if (!parts.readable)
        return;
    showWord(p, Length::TranslateX, parts.x);
    showWord(p, Length::TranslateY, parts.y);
    showWord(p, Length::Rotate, parts.degrees);
    showWord(p, Length::Scale, parts.scale);
}

void foldTransform(PanelState &p, Length field)
{
    const TransformPart part = field == Length::TranslateX   ? TransformPart::X
                               : field == Length::TranslateY ? TransformPart::Y
                               : field == Length::Rotate     ? TransformPart::Rotate
                                                             : TransformPart::Scale;
    const QByteArray word = fieldWord(p, field, field == Length::Rotate ? "deg" : nullptr);
    if (separateForm(p)) {
        const Compound c = part == TransformPart::Rotate ? Compound::Rotate
                           : part == TransformPart::Scale ? Compound::Scale
                                                           : Compound::Translate;
        p.compound(c) = withSeparatePart(p.compound(c), part, word);
    } else {
        p.compound(Compound::Transform) = withTransformPart(p.compound(Compound::Transform), part, word);
    }
}

// Transitions.

TransitionValues transitionValues(const PanelState &p)
{
    TransitionValues v;
    v.shorthand = p.compound(Compound::Transition).trimmed();
    const Compound longhands[4] = {Compound::TransitionProperty, Compound::TransitionDuration,
                                   Compound::TransitionTiming, Compound::TransitionDelay};
    // The panels take one of a shorthand and its longhand and leave the
    // other, which stands later in the rule, as written: a shorthand shown
    // from what they left follows the longhands they took.
    const auto derived = [&p](Compound c) {
        const auto at = p.asRead.constFind(latinUpper(compoundProperty(c)));
        return at != p.asRead.cend() && at->derived;
    };
    const bool shorthandLater = derived(Compound::Transition);
    for (int i = 0; i < 4; ++i) {
        v.longhands[i] = p.compound(longhands[i]).trimmed();
        v.beforeShorthand[i] = shorthandLater && !derived(longhands[i]);
    }
    return v;
}

void storeTransitions(PanelState &p, const TransitionValues &v)
{
    p.compound(Compound::Transition) = v.shorthand;
    const Compound longhands[4] = {Compound::TransitionProperty, Compound::TransitionDuration,
                                   Compound::TransitionTiming, Compound::TransitionDelay};
    for (int i = 0; i < 4; ++i)
        p.compound(longhands[i]) = v.longhands[i];
}

void showTransitions(PanelState &p)
{
    clearField(p, Length::TransitionDuration);
    clearField(p, Length::TransitionDelay);
    p.transitionProperty.clear();
    p.transitionTiming.clear();
    PartsView &view = p.transitions;
    view.captions.clear();
    view.locked.clear();
    const std::optional<QList<TransitionLayer>> layers = transitionLayersOf(transitionValues(p));
    if (!layers) {
        view.layers = 0;
        view.captions = {p.compound(Compound::Transition).simplified()};
        view.locked = QStringLiteral("Переход задан переменной var() или словами, которых поля не показывают: "
                                     "он остаётся как записан");
        return;
    }
    for (const TransitionLayer &l : *layers)
        view.captions.append(l.property + " " + l.duration + " " + l.timing + (millisecondsOf(l.delay) == 0.0 ? QByteArray() : " " + l.delay));
    view.layers = int(layers->size());
    keepLayerInRange(view);
    if (layers->isEmpty())
        return;
    const TransitionLayer &l = (*layers)[view.layer];
    const auto showTime = [&p](Length field, const QByteArray &time) {
        LengthValue &v = p.length(field);
        v.text = QByteArray::number(millisecondsOf(time).value_or(0), 'g', 6);
        v.inUse = true;
        v.unit.clear();
    };
    showTime(Length::TransitionDuration, l.duration);
    showTime(Length::TransitionDelay, l.delay);
    p.transitionProperty = l.property;
    p.transitionTiming = l.timing;
}

void setTransition(PanelState &p, TransitionPart part, const QByteArray &word)
{
    TransitionValues v = transitionValues(p);
    keepLayerInRange(p.transitions);
    setTransitionPart(v, p.transitions.layer, part, word);
    storeTransitions(p, v);
}

void foldTransitionTime(PanelState &p, Length field)
{
    const TransitionPart part = field == Length::TransitionDuration ? TransitionPart::Duration : TransitionPart::Delay;
    const std::optional<QList<TransitionLayer>> layers = transitionLayersOf(transitionValues(p));
    QByteArray like;
    if (layers && p.transitions.layer < layers->size())
        like = part == TransitionPart::Duration ? (*layers)[p.transitions.layer].duration : (*layers)[p.transitions.layer].delay;
    const LengthValue &v = p.length(field);
    const QByteArray word = v.inUse && reading::hasDigit(v.text) ? timeText(v.text.toDouble(), like) : QByteArray();
    setTransition(p, part, word);
}

} // namespace

void showEffectParts(PanelState &p)
{
    showShadows(p);
    showTransforms(p);
    showTransitions(p);
}

bool foldEffectPart(PanelState &p, Length field)
{
    // A part emptied where there is no layer has nothing to write.
    const LengthValue &v = p.length(field);
    const bool empty = !v.inUse || !reading::hasDigit(v.text);
    // A layer shown as written (a var() in it) is left as written.
    const PartsView &view = field <= Length::ShadowOpacity && field >= Length::ShadowX ? p.shadows
                            : field == Length::TransitionDuration || field == Length::TransitionDelay ? p.transitions
                                                                                                      : p.transforms;
    if (field >= Length::ShadowX && !view.locked.isEmpty())
        return true;
    switch (field) {
    case Length::ShadowX:
    case Length::ShadowY:
    case Length::ShadowBlur:
    case Length::ShadowSpread: {
        const ShadowPart part = field == Length::ShadowX   ? ShadowPart::X
                                : field == Length::ShadowY ? ShadowPart::Y
                                : field == Length::ShadowBlur ? ShadowPart::Blur
                                                              : ShadowPart::Spread;
        const QByteArray word = fieldWord(p, field);
        if (empty && shadowList(p).isEmpty())
            return true;
        editShadowLayer(p, [&](const QByteArray &layer) { return withShadowPart(layer, part, word); });
        return true;
    }
    case Length::ShadowOpacity:
        if (!(empty && shadowList(p).isEmpty()))
            foldShadowColor(p);
        return true;
    case Length::TranslateX:
    case Length::TranslateY:
    case Length::Rotate:
    case Length::Scale:
        foldTransform(p, field);
        return true;
    case Length::TransitionDuration:
    case Length::TransitionDelay:
        if (!(empty && transitionValues(p).isEmpty()))
            foldTransitionTime(p, field);
        return true;
    default:
        return false;
    }
}

QByteArray contentAsCss(const QByteArray &typed)
{
    const QByteArray value = typed.trimmed();
    if (value.isEmpty())
        return QByteArray();
    static const QList<QByteArray> words = {"NONE", "NORMAL", "OPEN-QUOTE", "CLOSE-QUOTE", "NO-OPEN-QUOTE",
                                            "NO-CLOSE-QUOTE", "INHERIT", "INITIAL", "UNSET", "REVERT"};
    static const QList<QByteArray> functions = {"ATTR(", "COUNTER(", "COUNTERS(", "URL(", "VAR(", "IMAGE-SET(",
                                                "LINEAR-GRADIENT("};
    if (isCssWideKeyword(value))
        return value;
    const QList<QByteArray> parts = valueWords(value);
    const bool css = !parts.isEmpty() && std::all_of(parts.begin(), parts.end(), [](const QByteArray &w) {
        const QByteArray upper = latinUpper(w);
        if (words.contains(upper) || w == "/")
            return true;
        if ((w.startsWith('"') && w.endsWith('"') && w.size() > 1) || (w.startsWith('\'') && w.endsWith('\'') && w.size() > 1))
            return true;
        return w.endsWith(')') && std::any_of(functions.begin(), functions.end(), [&upper](const QByteArray &f) { return upper.startsWith(f); });
    });
    if (css)
        return value;
    QByteArray quoted = "\"";
    for (const char c : typed) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (c == '\n') {
            quoted += "\\A ";
            continue;
        }
        quoted += c;
    }
    return quoted + '"';
}

bool contentFieldShown(const QByteArray &selector, const QByteArray &content)
{
    const QByteArray upper = latinUpper(selector);
    return !content.isEmpty() || upper.contains(":BEFORE") || upper.contains(":AFTER") || upper.contains("::MARKER");
}

QByteArray shadowColorText(Rgb color, int percent)
{
    if (percent >= 100)
        return ColorToCss(Rgb{color.r, color.g, color.b, 255}).toLower();
    return "rgba(" + QByteArray::number(color.r) + ", " + QByteArray::number(color.g) + ", "
           + QByteArray::number(color.b) + ", " + QByteArray::number(std::clamp(percent, 0, 100) / 100.0, 'g', 3) + ")";
}

void foldShadowColor(PanelState &p)
{
    SwatchValue &swatch = p.swatch(Swatch::Shadow);
    const LengthValue &opacity = p.length(Length::ShadowOpacity);
    const bool alphaGiven = opacity.inUse && reading::hasDigit(opacity.text);
    // An opacity given to a layer without a colour makes its shadow black.
    if (alphaGiven && !swatch.checked)
        swatch = {Rgb{0, 0, 0}, true, {}};
    const QByteArray word = swatch.checked
                                ? shadowColorText(swatch.color, alphaGiven ? int(std::lround(opacity.text.toDouble())) : 100)
                                : QByteArray();
    swatch.written = word;
    editShadowLayer(p, [&](const QByteArray &layer) { return withShadowPart(layer, ShadowPart::Color, word); });
}

void foldShadowInset(PanelState &p, bool inset)
{
    p.shadowInset = inset;
    editShadowLayer(p, [&](const QByteArray &layer) { return withShadowInset(layer, inset); });
}

void addShadowLayer(PanelState &p)
{
    QList<QByteArray> layers = shadowList(p);
    if (layers.size() == 1 && latinUpper(layers[0].trimmed()) == "NONE")
        layers.clear();
    layers.append(kNewShadowLayer);
    p.compound(Compound::BoxShadow) = joinedLayers(layers);
    p.shadows.layer = int(layers.size()) - 1;
    showShadows(p);
}

void removeShadowLayer(PanelState &p)
{
    QList<QByteArray> layers = shadowList(p);
    if (layers.isEmpty())
        return;
    layers.removeAt(std::clamp<int>(p.shadows.layer, 0, int(layers.size()) - 1));
    p.compound(Compound::BoxShadow) = joinedLayers(layers);
    showShadows(p);
}

void foldTransitionProperty(PanelState &p, const QByteArray &property)
{
    p.transitionProperty = property.simplified();
    setTransition(p, TransitionPart::Property, p.transitionProperty);
}

void foldTransitionTiming(PanelState &p, const QByteArray &timing)
{
    p.transitionTiming = timing.simplified();
    setTransition(p, TransitionPart::Timing, p.transitionTiming);
}

void addTransitionLayer(PanelState &p)
{
    TransitionValues v = transitionValues(p);
    addTransitionLayer(v);
    storeTransitions(p, v);
    p.transitions.layer = int(transitionLayersOf(v).value_or(QList<TransitionLayer>()).size()) - 1;
    showTransitions(p);
}

void removeTransitionLayer(PanelState &p)
{
    TransitionValues v = transitionValues(p);
    removeTransitionLayer(v, p.transitions.layer);
    storeTransitions(p, v);
    showTransitions(p);
}
