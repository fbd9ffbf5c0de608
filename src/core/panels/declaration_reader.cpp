#include "core/panels/declaration_reader.h"

#include "core/css/css_color.h"
#include "core/panels/css_overlap.h"
#include "core/panels/css_variables.h"
#include "core/panels/declaration_list.h"
#include "core/panels/declaration_writer.h"
#include "core/panels/effects_reader.h"
#include "core/panels/effect_parts.h"
#include "core/panels/logical_sides.h"
#include "core/panels/layout_reader.h"
#include "core/panels/reading_steps.h"
#include "core/panels/panel_declarations.h"
#include "core/panels/shorthand_parts.h"
#include "core/panels/panel_state.h"
#include "core/sheet/rule_memo.h"
#include "core/sheet/unsupported_comment.h"
#include "core/panels/working_text.h"

#include <QRegularExpression>

#include <functional>
#include <optional>

using namespace reading;

namespace {

const QByteArray kNoPicture = QByteArray("\xd0\xe8\xf1\xf3\xed\xee\xea \xed\xe5 \xe2\xfb\xe1\xf0\xe0\xed"); // "Рисунок не выбран"

constexpr Rgb kBlack{0, 0, 0}, kWhite{0xFF, 0xFF, 0xFF}, kSilver{0xC0, 0xC0, 0xC0}, kGray{0x80, 0x80, 0x80};

// Looks a value up among a box's items: the item's own spelling when one
// matches in capitals, the value as written otherwise.
void showInBox(FontBox &box, const QList<QByteArray> &items, const QByteArray &value)
{
    const QByteArray wanted = latinUpper(value);
    box.text = value;
    box.selected = -1;
    for (int i = 0; i < items.size(); ++i) {
        if (latinUpper(items[i]) == wanted) {
            box.text = items[i];
            box.selected = i;
        }
    }
    box.inUse = true;
}

void showFamily(PanelState &panels, const QByteArray &v)
{
    const qsizetype comma = v.indexOf(',');
    if (comma < 0) {
        showInBox(panels.fontFamily, panels.familyItems, v);
    } else {
        QByteArray second = v.mid(comma + 1);
        if (second.startsWith(' '))
            second.remove(0, 1);
        showInBox(panels.fontFamily, panels.familyItems, v.left(comma));
        showInBox(panels.fontFamily2, panels.familyItems, second);
    }
}

void showWeight(PanelState &panels, QByteArray v)
{
    if (v.startsWith(' '))
        v.remove(0, 1);
    showInBox(panels.fontWeight, PanelState::weightItems(), v);
    panels.fontSizeBold = latinUpper(panels.fontWeight.text) == "BOLD";
}

bool showSize(PanelState &panels, const QByteArray &upper)
{
    static const QList<QByteArray> keywords = {"XX-SMALL", "X-SMALL", "SMALL",   "MEDIUM",  "LARGE",
                                               "X-LARGE",  "XX-LARGE", "LARGER", "SMALLER"};
    if (keywords.contains(upper)) {
        panels.fontSize.text = upper.toLower();
        panels.fontSizeUnit.clear();
    } else if (isPlainLength(upper)) {
        panels.fontSize.text = digitsOf(upper);
        panels.fontSizeUnit = unitLettersOf(upper);
    } else {
        return false;
    }
    panels.fontSize.inUse = true;
    panels.fontSize.selected = PanelState::sizeItems().indexOf(panels.fontSize.text);
    return true;
}

void loadFontControls(WorkingText &text, PanelState &panels)
{
    const WorkingText::Value family = text.peek("FONT-FAMILY:");
    if (family.found()) {
        const Taken taken = takenFrom(family);
        if (!hasPriority(taken.upper)) {
            noteTaken(text, panels, "FONT-FAMILY", taken);
            showFamily(panels, taken.original);
        }
    }

    const WorkingText::Value weight = text.peek("FONT-WEIGHT:");
    if (weight.found()) {
        const Taken taken = takenFrom(weight);
        if (!hasPriority(taken.upper)) {
            noteTaken(text, panels, "FONT-WEIGHT", taken);
            showWeight(panels, taken.original);
        }
    }

    const WorkingText::Value size = text.peek("FONT-SIZE:");
    if (size.found()) {
        const Taken taken = takenFrom(size);
        if (showSize(panels, taken.upper))
            noteTaken(text, panels, "FONT-SIZE", taken);
        else
            panels.fontSize.selected = PanelState::sizeItems().indexOf(panels.fontSize.text);
    }
}

// A keyword declaration per button; the later find in the list wins.
void loadGroup(WorkingText &text, PanelState &panels, Group group,
               const QList<std::pair<const char *, int>> &patterns)
{
    for (const auto &[pattern, button] : patterns) {
        if (text.take(pattern) >= 0) {
            panels.setDown(group, button);
            // The keyword as the rule gave it goes back while the button is
            // left alone: "oblique" shows as Italic, but is no "italic".
            const QByteArray head(pattern);
            const qsizetype colon = head.indexOf(':');
            panels.asRead[head.left(colon)] = {QByteArray(), head.mid(colon + 1).chopped(1).toLower(), false, false};
        }
    }
}

// rect(top, right, bottom, left), edges split at commas or blanks; each is
// "auto" or a plain length, or the whole declaration stays aside.
void loadClipRect(WorkingText &text, PanelState &panels)
{
    const WorkingText::Value value = text.peek("CLIP:RECT(");
    if (!value.found())
        return;
    QByteArray inner = value.upper;
    if (!inner.endsWith(')'))
        return;
    inner.chop(1);
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    const QStringList edges = QString::fromLatin1(inner).trimmed().split(separators, Qt::SkipEmptyParts);
    if (edges.size() != 4)
        return;
    for (const QString &edge : edges) {
        if (edge != QLatin1String("AUTO") && !isPlainLength(edge.toLatin1()))
            return;
    }
    // With every edge "auto" no field would be in use and the declaration
    // would not be written again: it stays aside as written.
    if (edges.count(QStringLiteral("AUTO")) == 4)
        return;
    text.cut(value);
    panels.asRead["CLIP"] = ReadProperty();
    const Length fields[] = {Length::ClipTop, Length::ClipRight, Length::ClipBottom, Length::ClipLeft};
    for (int i = 0; i < 4; ++i) {
        const QByteArray edge = edges[i].toLatin1();
        if (edge == "AUTO")
            continue;
        LengthValue &field = panels.length(fields[i]);
        field.text = digitsOf(edge);
        field.unit = unitLettersOf(edge);
        field.inUse = true;
    }
}

// The address of a url( ... ) value: the text up to its closing bracket,
// quotes respected. Nothing when anything but blanks and more closing
// brackets follows (a comment, a second image): that value is not one
// picture's address.
std::optional<QByteArray> urlAddress(const QByteArray &afterOpening)
{
    char quote = 0;
    for (qsizetype i = 0; i < afterOpening.size(); ++i) {
        const char c = afterOpening[i];
        if (quote) {
            if (c == '\\')
                ++i;
            else if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ')') {
            QByteArray rest = afterOpening.mid(i + 1).trimmed();
            rest.replace(')', "");
            if (!rest.trimmed().isEmpty())
                return std::nullopt;
            return afterOpening.left(i);
        }
    }
    return std::nullopt;
}

bool loadBackgroundImage(WorkingText &text, PanelState &panels)
{
    const WorkingText::Value value = text.peek("BACKGROUND-IMAGE:URL(");
    if (!value.found() || hasPriority(value.upper))
        return false;
    const std::optional<QByteArray> picture = urlAddress(value.original);
    if (!picture)
        return false;
    text.cut(value);
    panels.asRead["BACKGROUND-IMAGE"] = ReadProperty();
    const QByteArray address = *picture;
    panels.backGroundAtt.enabled = true;
    panels.backGroundAtt.checked = true;
    panels.backGroundAtt.hint = address;
    const qsizetype cut = std::max(address.lastIndexOf('\\'), address.lastIndexOf(':'));
    panels.backGroundAtt.caption = cut < 0 ? address : address.mid(cut + 1);
    return true;
}

struct OptionGroup {
    Group group;
    const char *property;
    QList<std::pair<const char *, int>> patterns; // a later find in the list wins
};

const QList<OptionGroup> &optionGroups()
{
    static const QList<OptionGroup> groups = {
        {Group::FontStyle, "FONT-STYLE", {{"FONT-STYLE:NORMAL;", 0}, {"FONT-STYLE:ITALIC;", 1}, {"FONT-STYLE:OBLIQUE;", 1}}},
        {Group::TextDecoration, "TEXT-DECORATION",
         {{"TEXT-DECORATION:UNDERLINE;", 0}, {"TEXT-DECORATION:LINE-THROUGH;", 1}, {"TEXT-DECORATION:OVERLINE;", 2},
          {"TEXT-DECORATION:BLINK;", 3}, {"TEXT-DECORATION:NONE;", 4}}},
        {Group::FontVariant, "FONT-VARIANT", {{"FONT-VARIANT:NORMAL;", 0}, {"FONT-VARIANT:SMALL-CAPS;", 1}}},
        {Group::TextAlign, "TEXT-ALIGN",
         {{"TEXT-ALIGN:LEFT;", 0}, {"TEXT-ALIGN:RIGHT;", 2}, {"TEXT-ALIGN:CENTER;", 1}, {"TEXT-ALIGN:JUSTIFY;", 3}}},
        {Group::VerticalAlign, "VERTICAL-ALIGN",
         {{"VERTICAL-ALIGN:BOTTOM;", 0}, {"VERTICAL-ALIGN:TEXT-BOTTOM;", 1}, {"VERTICAL-ALIGN:SUB;", 2},
          {"VERTICAL-ALIGN:BASELINE;", 3}, {"VERTICAL-ALIGN:MIDDLE;", 4}, {"VERTICAL-ALIGN:SUPER;", 5},
          {"VERTICAL-ALIGN:TEXT-TOP;", 6}, {"VERTICAL-ALIGN:TOP;", 7}}},
        {Group::BorderStyle, "BORDER-STYLE",
         {{"BORDER-STYLE:SOLID;", 0}, {"BORDER-STYLE:DOTTED;", 1}, {"BORDER-STYLE:DASHED;", 2},
          {"BORDER-STYLE:OUTSET;", 3}, {"BORDER-STYLE:RIDGE;", 4}, {"BORDER-STYLE:DOUBLE;", 5},
          {"BORDER-STYLE:INSET;", 6}, {"BORDER-STYLE:GROOVE;", 7}, {"BORDER-STYLE:NONE;", 8}}},
        {Group::BgPosition, "BACKGROUND-POSITION",
         {{"BACKGROUND-POSITION:LEFT TOP;", 0}, {"BACKGROUND-POSITION:CENTER TOP;", 1},
          {"BACKGROUND-POSITION:RIGHT TOP;", 2}, {"BACKGROUND-POSITION:RIGHT CENTER;", 5},
          {"BACKGROUND-POSITION:RIGHT BOTTOM;", 8}, {"BACKGROUND-POSITION:CENTER BOTTOM;", 7},
          {"BACKGROUND-POSITION:LEFT BOTTOM;", 6}, {"BACKGROUND-POSITION:LEFT CENTER;", 3},
          {"BACKGROUND-POSITION:CENTER CENTER;", 4}}},
        {Group::BgAttachment, "BACKGROUND-ATTACHMENT",
         {{"BACKGROUND-ATTACHMENT:FIXED;", 0}, {"BACKGROUND-ATTACHMENT:SCROLL;", 1}}},
        {Group::BgRepeat, "BACKGROUND-REPEAT",
         {{"BACKGROUND-REPEAT:REPEAT;", 0}, {"BACKGROUND-REPEAT:REPEAT-X;", 3}, {"BACKGROUND-REPEAT:REPEAT-Y;", 2},
          {"BACKGROUND-REPEAT:NO-REPEAT;", 1}}},
        {Group::Display, "DISPLAY",
         {{"DISPLAY:BLOCK;", 0}, {"DISPLAY:INLINE;", 1}, {"DISPLAY:LIST-ITEM;", 2}, {"DISPLAY:MARKER;", 3},
          {"DISPLAY:NONE;", 4}, {"DISPLAY:TABLE;", 5}, {"DISPLAY:INLINE-TABLE;", 6}, {"DISPLAY:TABLE-CAPTION;", 7},
          {"DISPLAY:TABLE-HEADER-GROUP;", 8}, {"DISPLAY:TABLE-FOOTER-GROUP;", 9}, {"DISPLAY:TABLE-CELL;", 10},
          {"DISPLAY:TABLE-ROW;", 11}, {"DISPLAY:TABLE-ROW-GROUP;", 12}, {"DISPLAY:TABLE-COLUMN;", 13},
          {"DISPLAY:INLINE-BLOCK;", 15}, {"DISPLAY:FLEX;", 16}, {"DISPLAY:INLINE-FLEX;", 17}, {"DISPLAY:GRID;", 18},
          {"DISPLAY:INLINE-GRID;", 19}, {"DISPLAY:CONTENTS;", 20}, {"DISPLAY:TABLE-COLUMN-GROUP;", 14}}},
        {Group::Visibility, "VISIBILITY",
         {{"VISIBILITY:VISIBLE;", 0}, {"VISIBILITY:HIDDEN;", 1}, {"VISIBILITY:COLLAPSE;", 2}}},
        {Group::Overflow, "OVERFLOW",
         {{"OVERFLOW:VISIBLE;", 1}, {"OVERFLOW:HIDDEN;", 2}, {"OVERFLOW:SCROLL;", 3}, {"OVERFLOW:AUTO;", 0}}},
        {Group::Position, "POSITION",
         {{"POSITION:STATIC;", 0}, {"POSITION:RELATIVE;", 1}, {"POSITION:ABSOLUTE;", 2}, {"POSITION:FIXED;", 3},
          {"POSITION:STICKY;", 4}}},
        {Group::Float, "FLOAT", {{"FLOAT:LEFT;", 0}, {"FLOAT:RIGHT;", 1}}},
    };
    return groups;
}

const OptionGroup &optionGroup(Group group)
{
    for (const OptionGroup &g : optionGroups()) {
        if (g.group == group)
            return g;
    }
    return optionGroups().first();
}

bool showOption(PanelState &panels, const OptionGroup &g, const QByteArray &upper)
{
    QByteArray wanted = QByteArray(g.property) + ":" + upper + ";";
    wanted.replace("  ", " ");
    for (const auto &[pattern, button] : g.patterns) {
        if (wanted == pattern) {
            panels.setDown(g.group, button);
            return true;
        }
    }
    return false;
}

// The rule's own custom properties first, then those of the sheet; the
// rule's own colour stands for currentColor.
ReadContext contextOf(const WorkingText &text, const PanelState &panels)
{
    QHash<QByteArray, QByteArray> own;
    for (const Declaration &d : declarationsOf(text.original())) {
        if (d.isCustom())
            own.insert(d.name, d.value);
    }
    ReadContext context;
    const VariableLookup sheet = panels.sheetVariable;
    context.variables = [own, sheet](const QByteArray &name) -> std::optional<QByteArray> {
        if (const auto it = own.constFind(name); it != own.constEnd())
            return *it;
        return sheet ? sheet(name) : std::nullopt;
    };
    const WorkingText::Value color = text.peek("COLOR:");
    if (color.found()) {
        const Taken taken = takenFrom(color);
        if (!taken.upper.contains("CURRENTCOLOR")) {
            if (const std::optional<Rgb> rgb = readColorValue(taken.original, context))
                context.current = *rgb;
        }
    }
    return context;
}

// A declaration left in the rule, with the first letter of its name
// without a vendor prefix: most properties the panels show meet only
// names of their own letter, and the look-up runs for every one of them.
struct KeptDeclaration {
    Declaration d;
    char letter = 0;
    bool anyLetter = false; // all, font, inset, inline-size, block-size
};

QList<KeptDeclaration> keptDeclarations(const QList<Declaration> &declarations)
{
    QList<KeptDeclaration> out;
    for (const Declaration &d : declarations) {
        if (d.isCustom())
            continue;
        QByteArray stem = d.name;
        if (stem.startsWith('-')) {
            const qsizetype second = stem.indexOf('-', 1);
            stem = second > 0 ? stem.mid(second + 1) : stem;
        }
        const bool anyLetter = stem == "ALL" || stem == "FONT" || stem.startsWith("INSET") || stem == "INLINE-SIZE"
                               || stem == "BLOCK-SIZE" || stem.startsWith("PLACE-") || stem.endsWith("GAP");
        out.append({d, stem.isEmpty() ? char(0) : stem[0], anyLetter});
    }
    return out;
}

// What the declarations left in the rule give the property in the end: the
// last that sets it, an important one before any that is not; nothing when
// none does or the last cannot be told from the text.
std::optional<QByteArray> keptValueOf(const QList<KeptDeclaration> &kept, const QByteArray &key, bool important,
                                      const VariableLookup &variables)
{
    std::optional<QByteArray> value;
    bool set = false;
    for (const KeptDeclaration &k : kept) {
        const Declaration &d = k.d;
        if ((important && !d.important) || (!k.anyLetter && k.letter != key[0]))
            continue;
        if (d.name == key) {
            value = d.value;
        } else if (cssPropertiesOverlap(d.name, key)) {
            // A shorthand's parts are only known once its variables are
            // put in: "background: var(--brand)".
            const std::optional<QByteArray> whole =
                d.value.contains("var(") || d.value.contains("VAR(") ? substituteVariables(d.value, variables) : d.value;
            value = whole ? longhandOf(d.name, *whole, key) : std::nullopt;
        } else {
            continue;
        }
        set = true;
        important = d.important;
    }
    return set ? value : std::nullopt;
}

// The controls show what the rule gives their properties in the end, also
// where a declaration left in the rule (a shorthand, a later or important
// one) gives it. Such a value is shown, not taken: the declaration stays
// as written until the control is changed.
void showWhatKeptLinesSet(PanelState &p, const QList<Declaration> &declarations, const ReadContext &context)
{
    const QList<KeptDeclaration> kept = keptDeclarations(declarations);
    if (kept.isEmpty())
        return;
    auto show = [&](const QByteArray &key, const std::function<bool(const QByteArray &)> &apply) {
        // What the panels took important, only an important one overrides.
        const auto taken = p.asRead.constFind(key);
        const bool important = taken != p.asRead.cend() && taken->important;
        const std::optional<QByteArray> value = keptValueOf(kept, key, important, context.variables);
        if (!value || !apply(*value))
            return;
        if (!p.asRead.contains(key))
            p.asRead.insert(key, {QByteArray(), QByteArray(), false, true});
    };
    const std::pair<const char *, Length> lengths[] = {
        {"TEXT-INDENT", Length::TextIndent},   {"LINE-HEIGHT", Length::LineHeight},
        {"WORD-SPACING", Length::WordSpacing}, {"LETTER-SPACING", Length::LetterSpacing},
        {"MARGIN-TOP", Length::MarginTop},     {"MARGIN-RIGHT", Length::MarginRight},
        {"MARGIN-BOTTOM", Length::MarginBottom}, {"MARGIN-LEFT", Length::MarginLeft},
        {"PADDING-TOP", Length::PaddingTop},   {"PADDING-RIGHT", Length::PaddingRight},
        {"PADDING-BOTTOM", Length::PaddingBottom}, {"PADDING-LEFT", Length::PaddingLeft},
        {"TOP", Length::BlockTop},
        {"RIGHT", Length::BlockRight},         {"BOTTOM", Length::BlockBottom},
        {"LEFT", Length::BlockLeft},           {"HEIGHT", Length::BlockHeight},
        {"WIDTH", Length::BlockWidth}};
    for (const auto &entry : lengths) {
        const Length field = entry.second;
        show(entry.first, [&p, field](const QByteArray &v) { return showLength(p, field, latinUpper(v)); });
    }
    show(borderKey(p.borderSide, "WIDTH"), [&p](const QByteArray &v) { return showLength(p, Length::BorderWidth, latinUpper(v)); });
    show(borderKey(p.borderSide, "COLOR"), [&](const QByteArray &v) { return showColor(p, Swatch::Border, v, context); });
    show("FONT-FAMILY", [&p](const QByteArray &v) {
        showFamily(p, v);
        return true;
    });
    show("FONT-WEIGHT", [&p](const QByteArray &v) {
        showWeight(p, v);
        return true;
    });
    show("FONT-SIZE", [&p](const QByteArray &v) { return showSize(p, latinUpper(v)); });
    for (const OptionGroup &g : optionGroups()) {
        if (g.group == Group::BgPosition || g.group == Group::BgAttachment || g.group == Group::BgRepeat)
            continue;
        const QByteArray key = g.group == Group::BorderStyle ? borderKey(p.borderSide, "STYLE") : QByteArray(g.property);
        show(key, [&p, &g](const QByteArray &v) { return showOption(p, g, latinUpper(v)); });
    }
    show("BACKGROUND-COLOR", [&](const QByteArray &v) {
        if (latinUpper(v) == "TRANSPARENT") {
            p.backGroundTransparent = true;
            return true;
        }
        return showColor(p, Swatch::BackGround, v, context);
    });
    // All four sides: the value they share, where the rule gives them one
    // side at a time (border-top: 1px solid; border-right: 1px solid; ...).
    if (p.borderSide == 0) {
        const OptionGroup &styles = optionGroup(Group::BorderStyle);
        const std::pair<const char *, std::function<bool(const QByteArray &)>> kinds[] = {
            {"WIDTH", [&p](const QByteArray &v) { return showLength(p, Length::BorderWidth, latinUpper(v)); }},
            {"STYLE", [&p, &styles](const QByteArray &v) { return showOption(p, styles, latinUpper(v)); }},
            {"COLOR", [&](const QByteArray &v) { return showColor(p, Swatch::Border, v, context); }}};
        for (const auto &[kind, apply] : kinds) {
            const QByteArray all = borderKey(0, kind);
            if (p.asRead.contains(all))
                continue;
            std::optional<QByteArray> shared;
            bool same = true;
            for (int side = 1; side <= 4 && same; ++side) {
                const std::optional<QByteArray> value = keptValueOf(kept, borderKey(side, kind), false, context.variables);
                same = value && (!shared || value->simplified() == shared->simplified());
                shared = value;
            }
            if (same && shared && apply(*shared))
                p.asRead.insert(all, {QByteArray(), QByteArray(), false, true});
        }
    }
    showLayoutFromKept(p, show);
    showEffectsFromKept(p, context, show);
    const std::pair<const char *, Swatch> colors[] = {
        {"COLOR", Swatch::Font},
        {"SCROLLBAR-BASE-COLOR", Swatch::ScrollBarBase}, {"SCROLLBAR-FACE-COLOR", Swatch::ScrollBarFace},
        {"SCROLLBAR-ARROW-COLOR", Swatch::ScrollBarArrow}, {"SCROLLBAR-SHADOW-COLOR", Swatch::ScrollBarShadow}};
    for (const auto &entry : colors) {
        const Swatch swatch = entry.second;
        show(entry.first, [&, swatch](const QByteArray &v) { return showColor(p, swatch, v, context); });
    }
}

// What the panels write for each property right after the reading: a
// control still showing it writes the property as the rule did.
void noteGenerated(PanelState &p)
{
    for (const PanelDeclaration &d : panelDeclarations(p)) {
        const auto it = p.asRead.find(d.key());
        if (it != p.asRead.end())
            it->generated = d.value;
    }
}

// One side's border, where the side group chose one: its longhands taken
// as the controls for all four take theirs.
void loadBorderSide(WorkingText &text, PanelState &p, const ReadContext &context)
{
    p.swatch(Swatch::Border).color = kGray;
    QSet<QByteArray> named;
    for (const Declaration &d : declarationsOf(text.original()))
        named.insert(d.name);
    const OptionGroup &styles = optionGroup(Group::BorderStyle);
    loadNamed(text, p, named, borderKey(p.borderSide, "STYLE"), [&](const Taken &t) { return showOption(p, styles, t.upper); });
    loadNamed(text, p, named, borderKey(p.borderSide, "WIDTH"),
              [&](const Taken &t) { return showLength(p, Length::BorderWidth, t.upper); });
    loadNamed(text, p, named, borderKey(p.borderSide, "COLOR"),
              [&](const Taken &t) { return showColor(p, Swatch::Border, t.original, context); });
}

} // namespace

void ResetPanels(PanelState &p)
{
    p.asRead.clear();
    p.fontFamily.selected = 0;
    p.fontFamily.text = p.familyItems.value(0);
    p.fontFamily.inUse = false;
    p.fontFamily2.selected = 0;
    p.fontFamily2.text = p.familyItems.value(0);
    p.fontFamily2.inUse = false;
    p.fontWeight.selected = 0;
    p.fontWeight.text = PanelState::weightItems().first();
    p.fontWeight.inUse = false;
    p.fontSize.text = PanelState::sizeItems().first();
    p.fontSize.inUse = false;
    for (LengthValue &length : p.lengths) {
        length.text.clear();
        length.inUse = false;
    }
    p.fontSizeBold = false;
    p.down.fill(-1);
    for (QByteArray &chosen : p.chosen)
        chosen.clear();
    for (QByteArray &t : p.texts)
        t.clear();
    p.gridDense = false;
    p.flags.fill(false);
    for (QByteArray &box : p.keywordBoxes)
        box.clear();
    for (QByteArray &c : p.compounds)
        c.clear();
    for (QByteArray &name : p.logical)
        name.clear();
    p.swatch(Swatch::Outline) = {kBlack, false, {}};
    p.swatch(Swatch::Font) = {kBlack, false, {}};
    p.swatch(Swatch::Border) = {p.buttonFace, false, {}};
    p.swatch(Swatch::BackGround) = {kWhite, false, {}};
    p.backGroundTransparent = false;
    p.backGroundAtt.checked = false;
    p.backGroundAtt.enabled = false;
    p.backGroundAtt.caption = kNoPicture;
    p.swatch(Swatch::ScrollBarBase) = {kSilver, false, {}};
    p.swatch(Swatch::ScrollBarFace) = {kWhite, false, {}};
    p.swatch(Swatch::ScrollBarArrow) = {kBlack, false, {}};
    p.swatch(Swatch::ScrollBarShadow) = {kGray, false, {}};
}

void DeclarationsToPanels(PanelState &p, RuleMemo &memo)
{
    p.applyButtonVisible = false;
    WorkingText text = WorkingText::fromLines(memo.lines());
    ResetPanels(p);
    const ReadContext context = contextOf(text, p);
    loadFontControls(text, p);

    loadLength(text, p, "TEXT-INDENT:", Length::TextIndent);
    loadLength(text, p, "LINE-HEIGHT:", Length::LineHeight);
    loadLength(text, p, "WORD-SPACING:", Length::WordSpacing);
    loadLength(text, p, "LETTER-SPACING:", Length::LetterSpacing);
    loadLength(text, p, "MARGIN-TOP:", Length::MarginTop);
    loadLength(text, p, "MARGIN-RIGHT:", Length::MarginRight);
    loadLength(text, p, "MARGIN-BOTTOM:", Length::MarginBottom);
    loadLength(text, p, "MARGIN-LEFT:", Length::MarginLeft);
    loadLength(text, p, "PADDING-TOP:", Length::PaddingTop);
    loadLength(text, p, "PADDING-RIGHT:", Length::PaddingRight);
    loadLength(text, p, "PADDING-BOTTOM:", Length::PaddingBottom);
    loadLength(text, p, "PADDING-LEFT:", Length::PaddingLeft);

    for (const OptionGroup &g : optionGroups()) {
        if (g.group == Group::BorderStyle)
            break;
        loadGroup(text, p, g.group, g.patterns);
    }
    if (p.borderSide == 0) {
        loadGroup(text, p, Group::BorderStyle, optionGroup(Group::BorderStyle).patterns);
        loadLength(text, p, "BORDER-WIDTH:", Length::BorderWidth);
    }

    const WorkingText::Value background = text.peek("BACKGROUND-COLOR:");
    if (background.found() && takenFrom(background).upper == "TRANSPARENT") {
        noteTaken(text, p, "BACKGROUND-COLOR", takenFrom(background));
        p.backGroundTransparent = true;
    } else {
        loadColor(text, p, "BACKGROUND-COLOR:", Swatch::BackGround, kWhite, context);
    }
    if (p.borderSide == 0)
        loadColor(text, p, "BORDER-COLOR:", Swatch::Border, kGray, context);
    else
        loadBorderSide(text, p, context);
    loadColor(text, p, "SCROLLBAR-BASE-COLOR:", Swatch::ScrollBarBase, kWhite, context);
    loadColor(text, p, "SCROLLBAR-FACE-COLOR:", Swatch::ScrollBarFace, kSilver, context);
    loadColor(text, p, "SCROLLBAR-ARROW-COLOR:", Swatch::ScrollBarArrow, kBlack, context);
    loadColor(text, p, "SCROLLBAR-SHADOW-COLOR:", Swatch::ScrollBarShadow, kGray, context);
    loadColor(text, p, "COLOR:", Swatch::Font, kBlack, context);

    if (loadBackgroundImage(text, p)) {
        for (const Group g : {Group::BgPosition, Group::BgAttachment, Group::BgRepeat})
            loadGroup(text, p, g, optionGroup(g).patterns);
    }

    for (const Group g : {Group::Display, Group::Visibility, Group::Overflow})
        loadGroup(text, p, g, optionGroup(g).patterns);
    loadClipRect(text, p);
    for (const Group g : {Group::Position, Group::Float})
        loadGroup(text, p, g, optionGroup(g).patterns);
    loadLength(text, p, "TOP:", Length::BlockTop);
    loadLength(text, p, "RIGHT:", Length::BlockRight);
    loadLength(text, p, "BOTTOM:", Length::BlockBottom);
    loadLength(text, p, "LEFT:", Length::BlockLeft);
    loadLength(text, p, "HEIGHT:", Length::BlockHeight);
    loadLength(text, p, "WIDTH:", Length::BlockWidth);
    // The properties of today's pages are looked for only where named.
    QSet<QByteArray> named;
    for (const Declaration &d : declarationsOf(text.original()))
        named.insert(d.name);
    loadLayout(text, p, named);
    loadEffects(text, p, context, named);
    loadLogicalSides(text, p, named);

    text.removeAll(latinUpper(unsupportedComment()));
    text.trimLeadingSemicolons();

    const QList<Declaration> kept = declarationsOf(text.original());
    showWhatKeptLinesSet(p, kept, context);
    noteLogicalSides(p, kept);
    showCornersOfRadius(p);
    showEffectParts(p);
    noteGenerated(p);

    memo.clear();
    PanelsToDeclarations(p, memo);
    if (text.isEmpty()) {
        p.notify();
        return;
    }
    ByteLines lines = memo.lines();
    lines.append(unsupportedComment());
    lines.append(text.declarationLines());
    memo.setLines(lines);
    p.notify();
}
