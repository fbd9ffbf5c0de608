#include "core/panels/effects_reader.h"

#include "core/sheet/byte_lines.h"

using namespace reading;

namespace {

const std::pair<const char *, Length> kEffectLengths[] = {
    {"BORDER-RADIUS", Length::BorderRadius},
    {"BORDER-TOP-LEFT-RADIUS", Length::RadiusTopLeft},
    {"BORDER-TOP-RIGHT-RADIUS", Length::RadiusTopRight},
    {"BORDER-BOTTOM-RIGHT-RADIUS", Length::RadiusBottomRight},
    {"BORDER-BOTTOM-LEFT-RADIUS", Length::RadiusBottomLeft},
    {"OUTLINE-WIDTH", Length::OutlineWidth},
    {"OUTLINE-OFFSET", Length::OutlineOffset},
    {"OPACITY", Length::Opacity},
};

bool showFlag(PanelState &panels, Flag flag, const QByteArray &upper)
{
    if (upper.simplified() != latinUpper(flagValue(flag)))
        return false;
    panels.flags[static_cast<int>(flag)] = true;
    return true;
}

// A box shows a keyword of its list; a cursor also a value of its own
// ("url(hand.cur), pointer" stays in the rule as written).
bool showKeyword(PanelState &panels, KeywordBox box, const QByteArray &original)
{
    const QByteArray value = original.simplified().toLower();
    if (!keywordBoxItems(box).contains(value))
        return false;
    panels.keywordBoxes[static_cast<int>(box)] = value;
    return true;
}

bool showCompound(PanelState &panels, Compound compound, const QByteArray &original)
{
    const QByteArray value = original.trimmed();
    if (value.isEmpty())
        return false;
    panels.compound(compound) = value;
    return true;
}

} // namespace

void loadEffects(WorkingText &text, PanelState &panels, const ReadContext &context, const QSet<QByteArray> &named)
{
    for (const auto &[key, field] : kEffectLengths) {
        if (named.contains(key))
            loadLength(text, panels, (QByteArray(key) + ":").constData(), field);
    }
    if (named.contains("OUTLINE-COLOR"))
        loadColor(text, panels, "OUTLINE-COLOR:", Swatch::Outline, Rgb{0, 0, 0}, context);
    else
        panels.swatch(Swatch::Outline).color = Rgb{0, 0, 0};
    auto load = [&](const QByteArray &key, const std::function<bool(const Taken &)> &show) {
        loadNamed(text, panels, named, key, show);
    };
    for (int f = 0; f < kFlagCount; ++f) {
        const Flag flag = static_cast<Flag>(f);
        load(latinUpper(flagProperty(flag)), [&](const Taken &t) { return showFlag(panels, flag, t.upper); });
    }
    for (int b = 0; b < kKeywordBoxCount; ++b) {
        const KeywordBox box = static_cast<KeywordBox>(b);
        load(latinUpper(keywordBoxProperty(box)), [&](const Taken &t) { return showKeyword(panels, box, t.original); });
    }
    // Shadows, transforms and transitions are kept whole, as written; their
    // part controls show them (showEffectParts).
    for (int c = 0; c < kCompoundCount; ++c) {
        const Compound compound = static_cast<Compound>(c);
        load(latinUpper(compoundProperty(compound)), [&](const Taken &t) { return showCompound(panels, compound, t.original); });
    }
}

void showEffectsFromKept(PanelState &p, const ReadContext &context, const ShowKept &show)
{
    for (const auto &[key, field] : kEffectLengths) {
        const Length f = field;
        show(key, [&p, f](const QByteArray &v) { return showLength(p, f, latinUpper(v)); });
    }
    show("OUTLINE-COLOR", [&p, &context](const QByteArray &v) { return showColor(p, Swatch::Outline, v, context); });
    for (int f = 0; f < kFlagCount; ++f) {
        const Flag flag = static_cast<Flag>(f);
        show(latinUpper(flagProperty(flag)), [&p, flag](const QByteArray &v) { return showFlag(p, flag, latinUpper(v)); });
    }
    for (int b = 0; b < kKeywordBoxCount; ++b) {
        const KeywordBox box = static_cast<KeywordBox>(b);
        show(latinUpper(keywordBoxProperty(box)), [&p, box](const QByteArray &v) { return showKeyword(p, box, v); });
    }
    for (int c = 0; c < kCompoundCount; ++c) {
        const Compound compound = static_cast<Compound>(c);
        show(latinUpper(compoundProperty(compound)), [&p, compound](const QByteArray &v) { return showCompound(p, compound, v); });
    }
}

void showCornersOfRadius(PanelState &panels)
{
    const LengthValue all = panels.length(Length::BorderRadius);
    if (!all.inUse)
        return;
    // A corner changed must still win over the corners' shorthand, which
    // the panels write first: it takes the shorthand's priority.
    const bool important = panels.asRead.value("BORDER-RADIUS").important;
    for (int c = 1; c <= 4; ++c) {
        const auto &[key, field] = kEffectLengths[c];
        LengthValue &corner = panels.length(field);
        if (corner.inUse || panels.asRead.contains(key))
            continue;
        corner = all;
        panels.asRead.insert(key, {QByteArray(), QByteArray(), important, true});
    }
}
