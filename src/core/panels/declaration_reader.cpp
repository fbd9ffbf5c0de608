#include "core/panels/declaration_reader.h"

#include "core/panels/css_color.h"
#include "core/panels/declaration_writer.h"
#include "core/panels/panel_state.h"
#include "core/sheet/rule_memo.h"
#include "core/sheet/unsupported_comment.h"
#include "core/panels/working_text.h"

#include <QRegularExpression>

#include <optional>

namespace {

const QByteArray kNoPicture = QByteArray("\xd0\xe8\xf1\xf3\xed\xee\xea \xed\xe5 \xe2\xfb\xe1\xf0\xe0\xed"); // "Рисунок не выбран"

constexpr Rgb kBlack{0, 0, 0}, kWhite{0xFF, 0xFF, 0xFF}, kSilver{0xC0, 0xC0, 0xC0}, kGray{0x80, 0x80, 0x80};

QByteArray digitsOf(const QByteArray &text)
{
    QByteArray out;
    for (const char c : text) {
        if ((c >= '0' && c <= '9') || c == '-' || c == '.')
            out += c;
    }
    return out;
}

// The unit after a plain length's number, in small letters.
QByteArray unitLettersOf(const QByteArray &upper)
{
    qsizetype from = 0;
    while (from < upper.size() && ((upper[from] >= '0' && upper[from] <= '9') || upper[from] == '-'
                                   || upper[from] == '+' || upper[from] == '.'))
        ++from;
    return upper.mid(from).toLower();
}

// A plain number, optionally followed by a CSS length unit or "%" (and the
// old "ih"). Anything else (auto, calc(), a variable, a priority mark) is
// not a value the length fields can show and so stays as the user wrote it.
bool isPlainLength(const QByteArray &upper)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?[0-9]+(\\.[0-9]+)?(PC|PT|IH|IN|MM|PX|%|CM|EM|EX|REM|VW|VH|VMIN|VMAX|CH|LH|RLH|DVH|SVH|LVH|"
                       "DVW|SVW|LVW|CQW|CQH|CQI|CQB|CQMIN|CQMAX|Q)?$"));
    return pattern.match(QString::fromLatin1(upper)).hasMatch();
}

bool hasPriority(const QByteArray &upper)
{
    return upper.contains('!');
}

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

void loadLength(WorkingText &text, PanelState &panels, const char *head, Length field)
{
    const WorkingText::Value value = text.peek(head);
    if (!value.found() || !isPlainLength(value.upper))
        return;
    text.cut(value);
    LengthValue &length = panels.length(field);
    length.text = digitsOf(value.upper);
    length.inUse = true;
    length.unit = unitLettersOf(value.upper);
}

void loadFontControls(WorkingText &text, PanelState &panels)
{
    const WorkingText::Value family = text.peek("FONT-FAMILY:");
    if (family.found() && !hasPriority(family.upper)) {
        text.cut(family);
        const QByteArray &v = family.original;
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

    const WorkingText::Value weight = text.peek("FONT-WEIGHT:");
    if (weight.found() && !hasPriority(weight.upper)) {
        text.cut(weight);
        QByteArray v = weight.original;
        if (v.startsWith(' '))
            v.remove(0, 1);
        showInBox(panels.fontWeight, PanelState::weightItems(), v);
        panels.fontSizeBold = latinUpper(panels.fontWeight.text) == "BOLD";
    }

    static const QList<QByteArray> keywords = {"XX-SMALL", "X-SMALL", "SMALL",   "MEDIUM",  "LARGE",
                                               "X-LARGE",  "XX-LARGE", "LARGER", "SMALLER"};
    const WorkingText::Value size = text.peek("FONT-SIZE:");
    if (size.found()) {
        if (keywords.contains(size.upper)) {
            text.cut(size);
            panels.fontSize.text = size.upper.toLower();
            panels.fontSizeUnit.clear();
            panels.fontSize.inUse = true;
        } else if (isPlainLength(size.upper)) {
            text.cut(size);
            panels.fontSize.text = digitsOf(size.upper);
            panels.fontSizeUnit = unitLettersOf(size.upper);
            panels.fontSize.inUse = true;
        }
        panels.fontSize.selected = PanelState::sizeItems().indexOf(panels.fontSize.text);
    }
}

// A keyword declaration per button; the later find in the list wins.
void loadGroup(WorkingText &text, PanelState &panels, Group group,
               const QList<std::pair<const char *, int>> &patterns)
{
    for (const auto &[pattern, button] : patterns) {
        if (text.take(pattern) >= 0)
            panels.setDown(group, button);
    }
}

// A colour read onto a swatch; a colour the swatch cannot show stays aside.
bool loadColor(WorkingText &text, PanelState &panels, const char *head, Swatch swatch, Rgb absent)
{
    SwatchValue &target = panels.swatch(swatch);
    const WorkingText::Value value = text.peek(head);
    const std::optional<Rgb> color = value.found() ? CssToColor(value.upper) : std::nullopt;
    if (!color) {
        target.color = absent;
        return false;
    }
    text.cut(value);
    target.checked = true;
    target.color = *color;
    return true;
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
    const QByteArray address = *picture;
    panels.backGroundAtt.enabled = true;
    panels.backGroundAtt.checked = true;
    panels.backGroundAtt.hint = address;
    const qsizetype cut = std::max(address.lastIndexOf('\\'), address.lastIndexOf(':'));
    panels.backGroundAtt.caption = cut < 0 ? address : address.mid(cut + 1);
    return true;
}

} // namespace

void ResetPanels(PanelState &p)
{
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
    p.swatch(Swatch::Font) = {kBlack, false};
    p.swatch(Swatch::Border) = {p.buttonFace, false};
    p.swatch(Swatch::BackGround) = {kWhite, false};
    p.backGroundTransparent = false;
    p.backGroundAtt.checked = false;
    p.backGroundAtt.enabled = false;
    p.backGroundAtt.caption = kNoPicture;
    p.swatch(Swatch::ScrollBarBase) = {kSilver, false};
    p.swatch(Swatch::ScrollBarFace) = {kWhite, false};
    p.swatch(Swatch::ScrollBarArrow) = {kBlack, false};
    p.swatch(Swatch::ScrollBarShadow) = {kGray, false};
}

void DeclarationsToPanels(PanelState &p, RuleMemo &memo)
{
    p.applyButtonVisible = false;
    WorkingText text = WorkingText::fromLines(memo.lines());
    ResetPanels(p);
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

    loadGroup(text, p, Group::FontStyle,
              {{"FONT-STYLE:NORMAL;", 0}, {"FONT-STYLE:ITALIC;", 1}, {"FONT-STYLE:OBLIQUE;", 1}});
    loadGroup(text, p, Group::TextDecoration,
              {{"TEXT-DECORATION:UNDERLINE;", 0}, {"TEXT-DECORATION:LINE-THROUGH;", 1},
               {"TEXT-DECORATION:OVERLINE;", 2}, {"TEXT-DECORATION:BLINK;", 3}, {"TEXT-DECORATION:NONE;", 4}});
    loadGroup(text, p, Group::FontVariant, {{"FONT-VARIANT:NORMAL;", 0}, {"FONT-VARIANT:SMALL-CAPS;", 1}});
    loadGroup(text, p, Group::TextAlign,
              {{"TEXT-ALIGN:LEFT;", 0}, {"TEXT-ALIGN:RIGHT;", 2}, {"TEXT-ALIGN:CENTER;", 1},
               {"TEXT-ALIGN:JUSTIFY;", 3}});
    loadGroup(text, p, Group::VerticalAlign,
              {{"VERTICAL-ALIGN:BOTTOM;", 0}, {"VERTICAL-ALIGN:TEXT-BOTTOM;", 1}, {"VERTICAL-ALIGN:SUB;", 2},
               {"VERTICAL-ALIGN:BASELINE;", 3}, {"VERTICAL-ALIGN:MIDDLE;", 4}, {"VERTICAL-ALIGN:SUPER;", 5},
               {"VERTICAL-ALIGN:TEXT-TOP;", 6}, {"VERTICAL-ALIGN:TOP;", 7}});
    loadGroup(text, p, Group::BorderStyle,
              {{"BORDER-STYLE:SOLID;", 0}, {"BORDER-STYLE:DOTTED;", 1}, {"BORDER-STYLE:DASHED;", 2},
               {"BORDER-STYLE:OUTSET;", 3}, {"BORDER-STYLE:RIDGE;", 4}, {"BORDER-STYLE:DOUBLE;", 5},
               {"BORDER-STYLE:INSET;", 6}, {"BORDER-STYLE:GROOVE;", 7}, {"BORDER-STYLE:NONE;", 8}});
    loadLength(text, p, "BORDER-WIDTH:", Length::BorderWidth);

    const WorkingText::Value background = text.peek("BACKGROUND-COLOR:");
    if (background.found() && background.upper == "TRANSPARENT") {
        text.cut(background);
        p.backGroundTransparent = true;
    } else {
        loadColor(text, p, "BACKGROUND-COLOR:", Swatch::BackGround, kWhite);
    }
    loadColor(text, p, "BORDER-COLOR:", Swatch::Border, kGray);
    loadColor(text, p, "SCROLLBAR-BASE-COLOR:", Swatch::ScrollBarBase, kWhite);
    loadColor(text, p, "SCROLLBAR-FACE-COLOR:", Swatch::ScrollBarFace, kSilver);
    loadColor(text, p, "SCROLLBAR-ARROW-COLOR:", Swatch::ScrollBarArrow, kBlack);
    loadColor(text, p, "SCROLLBAR-SHADOW-COLOR:", Swatch::ScrollBarShadow, kGray);
    loadColor(text, p, "COLOR:", Swatch::Font, kBlack);

    if (loadBackgroundImage(text, p)) {
        loadGroup(text, p, Group::BgPosition,
                  {{"BACKGROUND-POSITION:LEFT TOP;", 0}, {"BACKGROUND-POSITION:CENTER TOP;", 1},
                   {"BACKGROUND-POSITION:RIGHT TOP;", 2}, {"BACKGROUND-POSITION:RIGHT CENTER;", 5},
                   {"BACKGROUND-POSITION:RIGHT BOTTOM;", 8}, {"BACKGROUND-POSITION:CENTER BOTTOM;", 7},
                   {"BACKGROUND-POSITION:LEFT BOTTOM;", 6}, {"BACKGROUND-POSITION:LEFT CENTER;", 3},
                   {"BACKGROUND-POSITION:CENTER CENTER;", 4}});
        loadGroup(text, p, Group::BgAttachment,
                  {{"BACKGROUND-ATTACHMENT:FIXED;", 0}, {"BACKGROUND-ATTACHMENT:SCROLL;", 1}});
        loadGroup(text, p, Group::BgRepeat,
                  {{"BACKGROUND-REPEAT:REPEAT;", 0}, {"BACKGROUND-REPEAT:REPEAT-X;", 3},
                   {"BACKGROUND-REPEAT:REPEAT-Y;", 2}, {"BACKGROUND-REPEAT:NO-REPEAT;", 1}});
    }

    loadGroup(text, p, Group::Display,
              {{"DISPLAY:BLOCK;", 0}, {"DISPLAY:INLINE;", 1}, {"DISPLAY:LIST-ITEM;", 2}, {"DISPLAY:MARKER;", 3},
               {"DISPLAY:NONE;", 4}, {"DISPLAY:TABLE;", 5}, {"DISPLAY:INLINE-TABLE;", 6},
               {"DISPLAY:TABLE-CAPTION;", 7}, {"DISPLAY:TABLE-HEADER-GROUP;", 8},
               {"DISPLAY:TABLE-FOOTER-GROUP;", 9}, {"DISPLAY:TABLE-CELL;", 10}, {"DISPLAY:TABLE-ROW;", 11},
               {"DISPLAY:TABLE-ROW-GROUP;", 12}, {"DISPLAY:TABLE-COLUMN;", 13},
               {"DISPLAY:INLINE-BLOCK;", 15}, {"DISPLAY:FLEX;", 16}, {"DISPLAY:INLINE-FLEX;", 17},
               {"DISPLAY:GRID;", 18}, {"DISPLAY:INLINE-GRID;", 19}, {"DISPLAY:CONTENTS;", 20},
               {"DISPLAY:TABLE-COLUMN-GROUP;", 14}});
    loadGroup(text, p, Group::Visibility,
              {{"VISIBILITY:VISIBLE;", 0}, {"VISIBILITY:HIDDEN;", 1}, {"VISIBILITY:COLLAPSE;", 2}});
    loadGroup(text, p, Group::Overflow,
              {{"OVERFLOW:VISIBLE;", 1}, {"OVERFLOW:HIDDEN;", 2}, {"OVERFLOW:SCROLL;", 3}, {"OVERFLOW:AUTO;", 0}});
    loadClipRect(text, p);
    loadGroup(text, p, Group::Position,
              {{"POSITION:STATIC;", 0}, {"POSITION:RELATIVE;", 1}, {"POSITION:ABSOLUTE;", 2},
               {"POSITION:FIXED;", 3}, {"POSITION:STICKY;", 4}});
    loadGroup(text, p, Group::Float, {{"FLOAT:LEFT;", 0}, {"FLOAT:RIGHT;", 1}});
    loadLength(text, p, "TOP:", Length::BlockTop);
    loadLength(text, p, "RIGHT:", Length::BlockRight);
    loadLength(text, p, "BOTTOM:", Length::BlockBottom);
    loadLength(text, p, "LEFT:", Length::BlockLeft);
    loadLength(text, p, "HEIGHT:", Length::BlockHeight);
    loadLength(text, p, "WIDTH:", Length::BlockWidth);

    text.removeAll(latinUpper(unsupportedComment()));
    text.trimLeadingSemicolons();

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
