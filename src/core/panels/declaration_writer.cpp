#include "core/panels/declaration_writer.h"

#include "core/panels/css_color.h"
#include "core/panels/panel_state.h"
#include "core/sheet/rule_memo.h"

#include <algorithm>
#include <iterator>

namespace {

// One generated line: ";" and its pieces, each a blank, a property and ";".
class LineBuilder
{
public:
    explicit LineBuilder(ByteLines &out) : m_out(out) {}
    ~LineBuilder()
    {
        if (!m_text.isEmpty())
            m_out.append(";" + m_text);
    }
    void add(bool condition, const QByteArray &piece)
    {
        if (condition)
            m_text += piece;
    }

private:
    ByteLines &m_out;
    QByteArray m_text;
};

bool isSizeKeyword(const QByteArray &text)
{
    static const QList<QByteArray> keywords = {"XX-SMALL", "X-SMALL", "SMALL",   "MEDIUM",  "LARGE",
                                               "X-LARGE",  "XX-LARGE", "LARGER", "SMALLER"};
    return keywords.contains(latinUpper(text));
}

bool hasNumber(const QByteArray &text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

bool PanelsToDeclarations(PanelState &p, RuleMemo &memo)
{
    for (const QByteArray &line : memo.lines()) {
        if (line.contains("LINK_HTML="))
            return false;
    }
    p.applyButtonVisible = false;

    ByteLines kept;
    for (const QByteArray &line : memo.lines()) {
        if (!line.isEmpty() && !line.startsWith(';'))
            kept.append(line);
    }

    auto length = [&p](Length field, const char *property) {
        const LengthValue &v = p.length(field);
        return QByteArray(" ") + property + ": " + v.text + v.unit + ";";
    };
    // A field in use without a number (a lone "-" or ".") has nothing to write.
    auto inUse = [&p](Length field) { return p.length(field).inUse && hasNumber(p.length(field).text); };
    auto down = [&p](Group group, int index) { return p.isDown(group, index); };
    auto color = [&p](Swatch s, const char *property) {
        return QByteArray(" ") + property + ": " + ColorToCss(p.swatch(s).color) + ";";
    };
    auto checked = [&p](Swatch s) { return p.swatch(s).checked; };

    ByteLines out;
    if (p.fontFamily.inUse) {
        QByteArray line = "; Font-Family: " + p.fontFamily.text;
        if (p.fontFamily2.inUse)
            line += ", " + p.fontFamily2.text;
        out.append(line + ";");
    }
    {
        LineBuilder line(out);
        line.add(p.fontWeight.inUse, " Font-weight: " + p.fontWeight.text + ";");
        if (p.fontSize.inUse && !p.fontSize.text.trimmed().isEmpty()) {
            if (isSizeKeyword(p.fontSize.text))
                p.fontSizeUnit.clear();
            line.add(true, " Font-size: " + p.fontSize.text + p.fontSizeUnit + ";");
        }
    }
    {
        LineBuilder line(out);
        line.add(down(Group::FontStyle, 0), " Font-style: normal;");
        line.add(down(Group::FontStyle, 1), " Font-style: italic;");
        line.add(down(Group::FontVariant, 0), " Font-variant: normal;");
        line.add(down(Group::FontVariant, 1), " Font-variant: small-caps;");
    }
    {
        LineBuilder line(out);
        const char *values[] = {"underline", "line-through", "overline", "blink", "none"};
        for (int i = 0; i < 5; ++i)
            line.add(down(Group::TextDecoration, i), QByteArray(" Text-decoration: ") + values[i] + ";");
    }
    {
        LineBuilder line(out);
        line.add(inUse(Length::TextIndent), length(Length::TextIndent, "Text-indent"));
        line.add(inUse(Length::LineHeight), length(Length::LineHeight, "Line-height"));
    }
    {
        LineBuilder line(out);
        line.add(inUse(Length::WordSpacing), length(Length::WordSpacing, "Word-spacing"));
        line.add(inUse(Length::LetterSpacing), length(Length::LetterSpacing, "Letter-spacing"));
    }
    {
        LineBuilder line(out);
        line.add(down(Group::TextAlign, 0), " Text-align: left;");
        line.add(down(Group::TextAlign, 2), " Text-align: right;");
        line.add(down(Group::TextAlign, 1), " Text-align: center;");
        line.add(down(Group::TextAlign, 3), " Text-align: justify;");
        const char *values[] = {"bottom", "text-bottom", "sub", "baseline", "middle", "super", "text-top", "top"};
        for (int i = 0; i < 8; ++i)
            line.add(down(Group::VerticalAlign, i), QByteArray(" Vertical-align: ") + values[i] + ";");
    }
    const std::pair<Length, const char *> sides[][2] = {
        {{Length::MarginTop, "Margin-top"}, {Length::MarginRight, "Margin-right"}},
        {{Length::MarginBottom, "Margin-bottom"}, {Length::MarginLeft, "Margin-left"}},
        {{Length::PaddingTop, "Padding-top"}, {Length::PaddingRight, "Padding-right"}},
        {{Length::PaddingBottom, "Padding-bottom"}, {Length::PaddingLeft, "Padding-left"}},
    };
    for (const auto &row : sides) {
        LineBuilder line(out);
        for (const auto &[field, property] : row)
            line.add(inUse(field), length(field, property));
    }
    {
        LineBuilder line(out);
        line.add(checked(Swatch::Font), color(Swatch::Font, "color"));
        line.add(checked(Swatch::Border), color(Swatch::Border, "Border-color"));
    }
    {
        LineBuilder line(out);
        const char *values[] = {"solid", "dotted", "dashed", "outset", "ridge", "double", "inset", "groove", "none"};
        for (int i = 0; i < 9; ++i)
            line.add(down(Group::BorderStyle, i), QByteArray(" Border-style: ") + values[i] + ";");
    }
    {
        LineBuilder line(out);
        line.add(inUse(Length::BorderWidth), length(Length::BorderWidth, "Border-width"));
    }
    {
        LineBuilder line(out);
        if (p.backGroundTransparent)
            line.add(true, " BackGround-color: transparent;");
        else
            line.add(checked(Swatch::BackGround), color(Swatch::BackGround, "BackGround-color"));
    }
    if (p.backGroundAtt.checked) {
        {
            LineBuilder line(out);
            // The address goes back exactly as written: paths are case-sensitive.
            line.add(true, " BackGround-Image: url(" + p.backGroundAtt.hint + ");");
        }
        {
            LineBuilder line(out);
            const std::pair<int, const char *> positions[] = {
                {0, "left top"},     {1, "center top"},  {2, "right top"},   {5, "right center"},
                {8, "right bottom"}, {7, "center bottom"}, {6, "left bottom"}, {3, "left center"},
                {4, "center center"}};
            for (const auto &[index, value] : positions)
                line.add(down(Group::BgPosition, index), QByteArray(" BackGround-position: ") + value + ";");
        }
        {
            LineBuilder line(out);
            line.add(down(Group::BgAttachment, 0), " BackGround-Attachment: fixed;");
            line.add(down(Group::BgAttachment, 1), " BackGround-Attachment: scroll;");
        }
        {
            LineBuilder line(out);
            line.add(down(Group::BgRepeat, 0), " BackGround-Repeat: repeat;");
            line.add(down(Group::BgRepeat, 3), " BackGround-Repeat: repeat-x;");
            line.add(down(Group::BgRepeat, 2), " BackGround-Repeat: repeat-y;");
            line.add(down(Group::BgRepeat, 1), " BackGround-Repeat: no-repeat;");
        }
    }
    {
        LineBuilder line(out);
        const char *values[] = {"block",           "inline",           "list-item",     "marker",
                                "none",            "table",            "inline-table",  "table-caption",
                                "table-header-group", "table-footer-group", "table-cell", "table-row",
                                "table-row-group", "table-column",     "table-column-group",
                                "inline-block",    "flex",             "inline-flex",   "grid",
                                "inline-grid",     "contents"};
        for (int i = 0; i < int(std::size(values)); ++i)
            line.add(down(Group::Display, i), QByteArray(" Display: ") + values[i] + ";");
    }
    {
        LineBuilder line(out);
        const char *visibility[] = {"visible", "hidden", "collapse"};
        for (int i = 0; i < 3; ++i)
            line.add(down(Group::Visibility, i), QByteArray(" Visibility: ") + visibility[i] + ";");
        line.add(down(Group::Overflow, 1), " Overflow: visible;");
        line.add(down(Group::Overflow, 2), " Overflow: hidden;");
        line.add(down(Group::Overflow, 3), " Overflow: scroll;");
        line.add(down(Group::Overflow, 0), " Overflow: auto;");
    }
    {
        LineBuilder line(out);
        const Length edges[] = {Length::ClipTop, Length::ClipRight, Length::ClipBottom, Length::ClipLeft};
        bool any = false;
        for (const Length edge : edges)
            any = any || inUse(edge);
        if (any) {
            QByteArray piece = " clip: rect(";
            for (int i = 0; i < 4; ++i) {
                const LengthValue &v = p.length(edges[i]);
                piece += inUse(edges[i]) ? v.text + v.unit : QByteArray("auto");
                piece += i < 3 ? ", " : ");";
            }
            line.add(true, piece);
        }
    }
    {
        LineBuilder line(out);
        const char *positions[] = {"static", "relative", "absolute", "fixed", "sticky"};
        for (int i = 0; i < int(std::size(positions)); ++i)
            line.add(down(Group::Position, i), QByteArray(" Position: ") + positions[i] + ";");
        line.add(down(Group::Float, 0), " Float: left;");
        line.add(down(Group::Float, 1), " Float: right;");
    }
    const std::pair<Length, const char *> blocks[][2] = {
        {{Length::BlockTop, "Top"}, {Length::BlockLeft, "Left"}},
        {{Length::BlockRight, "Right"}, {Length::BlockBottom, "Bottom"}},
        {{Length::BlockHeight, "Height"}, {Length::BlockWidth, "Width"}},
    };
    for (const auto &row : blocks) {
        LineBuilder line(out);
        for (const auto &[field, property] : row)
            line.add(inUse(field), length(field, property));
    }
    {
        LineBuilder line(out);
        line.add(checked(Swatch::ScrollBarBase), color(Swatch::ScrollBarBase, "Scrollbar-base-color"));
        line.add(checked(Swatch::ScrollBarFace), color(Swatch::ScrollBarFace, "Scrollbar-face-color"));
    }
    {
        LineBuilder line(out);
        line.add(checked(Swatch::ScrollBarArrow), color(Swatch::ScrollBarArrow, "Scrollbar-arrow-color"));
        line.add(checked(Swatch::ScrollBarShadow), color(Swatch::ScrollBarShadow, "Scrollbar-shadow-color"));
    }

    for (const QByteArray &line : kept)
        out.append(line.startsWith("  ") ? line : "  " + line);
    // A reading ends declarations that close with ";" with an empty line;
    // so do the panels, and the sheet reads back as it was written.
    if (!kept.isEmpty() && kept.last().trimmed().endsWith(';'))
        out.append(QByteArray());
    memo.setLines(out);
    return true;
}
