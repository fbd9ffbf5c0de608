#include "core/panels/panel_declarations.h"

#include "core/css/css_color.h"
#include "core/panels/layout_controls.h"
#include "core/panels/panel_state.h"
#include "core/panels/reading_steps.h"
#include "core/sheet/byte_lines.h"

#include <algorithm>
#include <iterator>

namespace {

bool isSizeKeyword(const QByteArray &text)
{
    static const QList<QByteArray> keywords = {"XX-SMALL", "X-SMALL", "SMALL",   "MEDIUM",  "LARGE",
                                               "X-LARGE",  "XX-LARGE", "LARGER", "SMALLER"};
    return keywords.contains(latinUpper(text));
}

class Rows
{
public:
    explicit Rows(PanelState &p) : m_p(p) {}

    void next() { ++m_row; }
    void add(bool condition, const QByteArray &name, const QByteArray &value)
    {
        if (condition)
            m_out.append({m_row, name, value});
    }
    // A field in use without a number (a lone "-" or ".") has nothing to write.
    void length(Length field, const QByteArray &physical)
    {
        const QByteArray &logical = m_p.logical[static_cast<int>(field)];
        const QByteArray name = logical.isEmpty() ? physical : logical;
        const LengthValue &v = m_p.length(field);
        if (v.inUse && fieldKeywords(field).contains(v.text))
            add(true, name, v.text);
        else if (fieldKind(field) == FieldKind::Percent)
            add(v.inUse && reading::hasDigit(v.text), name, QByteArray::number(std::clamp(v.text.toDouble(), 0.0, 100.0) / 100, 'g', 6));
        else
            add(v.inUse && reading::hasDigit(v.text), name, fieldKind(field) == FieldKind::Length ? v.text + v.unit : v.text);
    }
    // A layout group: the keyword its button chose when clicked, or its own.
    void layoutOption(const LayoutGroup &g)
    {
        const int down = m_p.downIn(g.group);
        if (down < 0 || down >= g.buttons.size())
            return;
        const QByteArray &chosen = m_p.chosen[static_cast<int>(g.group)];
        add(true, g.name, chosen.isEmpty() ? QByteArray(g.buttons[down].value) : chosen);
    }
    void color(Swatch s, const QByteArray &name) { add(m_p.swatch(s).checked, name, ColorToCss(m_p.swatch(s).color)); }
    // The value of the button down in a group, with the buttons' values by index.
    void option(Group group, const QByteArray &name, const QList<const char *> &values)
    {
        const int down = m_p.downIn(group);
        if (down >= 0 && down < values.size() && values[down])
            add(true, name, values[down]);
    }
    QList<PanelDeclaration> take() { return std::move(m_out); }

private:
    PanelState &m_p;
    int m_row = 0;
    QList<PanelDeclaration> m_out;
};

} // namespace

QByteArray PanelDeclaration::key() const
{
    return latinUpper(name);
}

QList<PanelDeclaration> panelDeclarations(PanelState &p)
{
    Rows rows(p);
    if (p.fontFamily.inUse) {
        QByteArray family = p.fontFamily.text;
        if (p.fontFamily2.inUse)
            family += ", " + p.fontFamily2.text;
        rows.add(true, "Font-Family", family);
    }
    rows.next();
    rows.add(p.fontWeight.inUse, "Font-weight", p.fontWeight.text);
    if (p.fontSize.inUse && !p.fontSize.text.trimmed().isEmpty()) {
        if (isSizeKeyword(p.fontSize.text))
            p.fontSizeUnit.clear();
        rows.add(true, "Font-size", p.fontSize.text + p.fontSizeUnit);
    }
    rows.next();
    rows.option(Group::FontStyle, "Font-style", {"normal", "italic"});
    rows.option(Group::FontVariant, "Font-variant", {"normal", "small-caps"});
    rows.next();
    rows.option(Group::TextDecoration, "Text-decoration", {"underline", "line-through", "overline", "blink", "none"});
    rows.next();
    rows.length(Length::TextIndent, "Text-indent");
    rows.length(Length::LineHeight, "Line-height");
    rows.next();
    rows.length(Length::WordSpacing, "Word-spacing");
    rows.length(Length::LetterSpacing, "Letter-spacing");
    rows.next();
    rows.option(Group::TextAlign, "Text-align", {"left", "center", "right", "justify"});
    rows.option(Group::VerticalAlign, "Vertical-align",
                {"bottom", "text-bottom", "sub", "baseline", "middle", "super", "text-top", "top"});
    const std::pair<Length, const char *> sides[][2] = {
        {{Length::MarginTop, "Margin-top"}, {Length::MarginRight, "Margin-right"}},
        {{Length::MarginBottom, "Margin-bottom"}, {Length::MarginLeft, "Margin-left"}},
        {{Length::PaddingTop, "Padding-top"}, {Length::PaddingRight, "Padding-right"}},
        {{Length::PaddingBottom, "Padding-bottom"}, {Length::PaddingLeft, "Padding-left"}},
    };
    for (const auto &row : sides) {
        rows.next();
        for (const auto &[field, property] : row)
            rows.length(field, property);
    }
    // The border controls write the side chosen, or all four.
    const auto border = [&p](const char *kind, const char *all) {
        return p.borderSide == 0 ? QByteArray(all) : borderKey(p.borderSide, kind).toLower();
    };
    rows.next();
    rows.color(Swatch::Font, "color");
    rows.color(Swatch::Border, border("COLOR", "Border-color"));
    rows.next();
    rows.option(Group::BorderStyle, border("STYLE", "Border-style"),
                {"solid", "dotted", "dashed", "outset", "ridge", "double", "inset", "groove", "none"});
    rows.next();
    rows.length(Length::BorderWidth, border("WIDTH", "Border-width"));
    rows.next();
    if (p.backGroundTransparent)
        rows.add(true, "BackGround-color", "transparent");
    else
        rows.color(Swatch::BackGround, "BackGround-color");
    rows.next();
    rows.layoutOption(*layoutGroup(Group::BackgroundSize));
    rows.layoutOption(*layoutGroup(Group::BackgroundClip));
    // The preview's engine clips to the text only under its old name.
    rows.add(p.downIn(Group::BackgroundClip) == kBackgroundClipText, "-webkit-background-clip", "text");
    if (p.backGroundAtt.checked) {
        rows.next();
        // The address goes back exactly as written: paths are case-sensitive.
        rows.add(true, "BackGround-Image", "url(" + p.backGroundAtt.hint + ")");
        rows.next();
        rows.option(Group::BgPosition, "BackGround-position",
                    {"left top", "center top", "right top", "left center", "center center", "right center",
                     "left bottom", "center bottom", "right bottom"});
        rows.next();
        rows.option(Group::BgAttachment, "BackGround-Attachment", {"fixed", "scroll"});
        rows.next();
        rows.option(Group::BgRepeat, "BackGround-Repeat", {"repeat", "no-repeat", "repeat-y", "repeat-x"});
    }
    rows.next();
    rows.option(Group::Display, "Display",
                {"block", "inline", "list-item", "marker", "none", "table", "inline-table", "table-caption",
                 "table-header-group", "table-footer-group", "table-cell", "table-row", "table-row-group",
                 "table-column", "table-column-group", "inline-block", "flex", "inline-flex", "grid",
                 "inline-grid", "contents"});
    rows.next();
    rows.option(Group::Visibility, "Visibility", {"visible", "hidden", "collapse"});
    rows.option(Group::Overflow, "Overflow", {"auto", "visible", "hidden", "scroll"});
    rows.layoutOption(*layoutGroup(Group::OverflowX));
    rows.layoutOption(*layoutGroup(Group::OverflowY));
    rows.next();
    rows.layoutOption(*layoutGroup(Group::WhiteSpace));
    rows.layoutOption(*layoutGroup(Group::TextTransform));
    rows.next();
    const Length edges[] = {Length::ClipTop, Length::ClipRight, Length::ClipBottom, Length::ClipLeft};
    const bool anyEdge = std::any_of(std::begin(edges), std::end(edges), [&p](Length edge) {
        return p.length(edge).inUse && reading::hasDigit(p.length(edge).text);
    });
    if (anyEdge) {
        QByteArray rect = "rect(";
        for (int i = 0; i < 4; ++i) {
            const LengthValue &v = p.length(edges[i]);
            rect += v.inUse && reading::hasDigit(v.text) ? v.text + v.unit : QByteArray("auto");
            rect += i < 3 ? ", " : ")";
        }
        rows.add(true, "clip", rect);
    }
    rows.next();
    rows.option(Group::Position, "Position", {"static", "relative", "absolute", "fixed", "sticky"});
    rows.option(Group::Float, "Float", {"left", "right"});
    const std::pair<Length, const char *> blocks[][2] = {
        {{Length::BlockTop, "Top"}, {Length::BlockLeft, "Left"}},
        {{Length::BlockRight, "Right"}, {Length::BlockBottom, "Bottom"}},
        {{Length::BlockHeight, "Height"}, {Length::BlockWidth, "Width"}},
    };
    for (const auto &row : blocks) {
        rows.next();
        for (const auto &[field, property] : row)
            rows.length(field, property);
    }
    const auto group = [&rows](Group g) { rows.layoutOption(*layoutGroup(g)); };
    rows.next();
    rows.length(Length::MinWidth, "min-width");
    rows.length(Length::MaxWidth, "max-width");
    rows.next();
    rows.length(Length::MinHeight, "min-height");
    rows.length(Length::MaxHeight, "max-height");
    rows.next();
    rows.add(!p.text(TextField::AspectRatio).isEmpty(), "aspect-ratio", p.text(TextField::AspectRatio));
    group(Group::BoxSizing);
    group(Group::ObjectFit);
    rows.length(Length::ZIndex, "z-index");
    rows.next();
    group(Group::FlexDirection);
    group(Group::FlexWrap);
    rows.next();
    group(Group::JustifyContent);
    group(Group::AlignItems);
    rows.next();
    group(Group::AlignContent);
    group(Group::JustifyItems);
    rows.next();
    rows.length(Length::RowGap, "row-gap");
    rows.length(Length::ColumnGap, "column-gap");
    rows.next();
    rows.length(Length::FlexGrow, "flex-grow");
    rows.length(Length::FlexShrink, "flex-shrink");
    rows.length(Length::FlexBasis, "flex-basis");
    rows.next();
    rows.length(Length::Order, "order");
    group(Group::AlignSelf);
    group(Group::JustifySelf);
    for (const TextField field : {TextField::GridTemplateColumns, TextField::GridTemplateRows,
                                  TextField::GridTemplateAreas}) {
        rows.next();
        rows.add(!p.text(field).isEmpty(), textFieldProperty(field), p.text(field));
    }
    rows.next();
    const int flow = p.downIn(Group::GridAutoFlow);
    if (flow >= 0 || p.gridDense) {
        QByteArray value = flow == 1 ? "column" : flow == 0 ? "row" : "";
        if (p.gridDense)
            value += value.isEmpty() ? "dense" : " dense";
        rows.add(true, "grid-auto-flow", value);
    }
    rows.next();
    rows.add(!p.text(TextField::GridColumn).isEmpty(), "grid-column", p.text(TextField::GridColumn));
    rows.add(!p.text(TextField::GridRow).isEmpty(), "grid-row", p.text(TextField::GridRow));
    rows.next();
    rows.add(!p.text(TextField::Content).isEmpty(), "content", p.text(TextField::Content));
    // Effects.
    rows.next();
    rows.length(Length::BorderRadius, "border-radius");
    rows.next();
    rows.length(Length::RadiusTopLeft, "border-top-left-radius");
    rows.length(Length::RadiusTopRight, "border-top-right-radius");
    rows.next();
    rows.length(Length::RadiusBottomRight, "border-bottom-right-radius");
    rows.length(Length::RadiusBottomLeft, "border-bottom-left-radius");
    rows.next();
    rows.length(Length::Opacity, "opacity");
    const auto compound = [&rows, &p](Compound c) {
        rows.add(!p.compound(c).isEmpty(), compoundProperty(c), p.compound(c));
    };
    rows.next();
    compound(Compound::BoxShadow);
    rows.next();
    for (const Compound c : {Compound::Transform, Compound::Translate, Compound::Rotate, Compound::Scale})
        compound(c);
    rows.next();
    for (const Compound c : {Compound::Transition, Compound::TransitionProperty, Compound::TransitionDuration,
                             Compound::TransitionTiming, Compound::TransitionDelay})
        compound(c);
    rows.next();
    rows.length(Length::OutlineWidth, "outline-width");
    const QByteArray &outlineStyle = p.keywordBoxes[static_cast<int>(KeywordBox::OutlineStyle)];
    rows.add(!outlineStyle.isEmpty(), "outline-style", outlineStyle);
    rows.next();
    rows.color(Swatch::Outline, "outline-color");
    rows.length(Length::OutlineOffset, "outline-offset");
    rows.next();
    const QByteArray &cursor = p.keywordBoxes[static_cast<int>(KeywordBox::Cursor)];
    rows.add(!cursor.isEmpty(), "cursor", cursor);
    for (int f = 0; f < kFlagCount; ++f)
        rows.add(p.flags[f], flagProperty(static_cast<Flag>(f)), flagValue(static_cast<Flag>(f)));
    rows.next();
    rows.color(Swatch::ScrollBarBase, "Scrollbar-base-color");
    rows.color(Swatch::ScrollBarFace, "Scrollbar-face-color");
    rows.next();
    rows.color(Swatch::ScrollBarArrow, "Scrollbar-arrow-color");
    rows.color(Swatch::ScrollBarShadow, "Scrollbar-shadow-color");
    return rows.take();
}
