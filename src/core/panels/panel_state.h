#pragma once

#include "core/css/css_color.h"
#include "core/panels/css_variables.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <optional>


// An editable combo box of the font tool bar. In use is a state of its
// own: the box is drawn white while in use and in the button face when not.
struct FontBox {
    QByteArray text;
    int selected = 0;  // the selected item, -1 for typed text
    bool inUse = false;
    bool enabled = true;
};

// The number, in-use state and unit of a length field.
struct LengthValue {
    QByteArray text;
    bool inUse = false;
    QByteArray unit = QByteArrayLiteral("px");
};

// The length and number fields, numbered as the window's length field
// table. Grow, shrink, order and z-index are plain numbers.
enum class Length {
    TextIndent, LineHeight, WordSpacing, LetterSpacing,
    MarginTop, MarginBottom, MarginLeft, MarginRight,
    PaddingTop, PaddingBottom, PaddingLeft, PaddingRight,
    BorderWidth,
    ClipTop, ClipBottom, ClipLeft, ClipRight,
    BlockTop, BlockBottom, BlockLeft, BlockRight, BlockHeight, BlockWidth,
    RowGap, ColumnGap, FlexBasis, FlexGrow, FlexShrink, Order,
    MinWidth, MaxWidth, MinHeight, MaxHeight, ZIndex,
    BorderRadius, RadiusTopLeft, RadiusTopRight, RadiusBottomRight, RadiusBottomLeft,
    OutlineWidth, OutlineOffset, Opacity,
    // The parts of a shadow, transform or transition layer (see effect_parts.h).
    ShadowX, ShadowY, ShadowBlur, ShadowSpread, ShadowOpacity,
    TranslateX, TranslateY, Rotate, Scale, TransitionDuration, TransitionDelay,
};
inline constexpr int kLengthCount = 53;
const char *lengthName(Length field); // the edit's name, "MarginTop"

// What a field takes: a length with its unit, a number of 0 or more, a
// whole number of either sign, a share from 0 to 100 written as a number
// from 0 to 1 (opacity), or a number of either sign (a turn, a scale).
enum class FieldKind { Length, Number, Integer, Percent, Signed };
FieldKind fieldKind(Length field);
// The keywords a field takes besides numbers, in small letters.
const QList<QByteArray> &fieldKeywords(Length field);

// The text fields of the grid, which take a value as written.
enum class TextField { GridTemplateColumns, GridTemplateRows, GridTemplateAreas, GridColumn, GridRow, AspectRatio, Content };
inline constexpr int kTextFieldCount = 7;
const char *textFieldName(TextField field); // "GridTemplateColumns"
const char *textFieldProperty(TextField field); // "grid-template-columns"

// Check boxes that write one keyword of a property ("pointer-events: none").
enum class Flag { PointerEventsNone, UserSelectNone, AppearanceNone, TextOverflowEllipsis, ListStyleNone };
inline constexpr int kFlagCount = 5;
const char *flagName(Flag flag);        // "PointerEventsNone"
const char *flagProperty(Flag flag);    // "pointer-events"
const char *flagValue(Flag flag);       // "none"

// Drop-down boxes of keywords; an empty value is a box not in use.
enum class KeywordBox { Cursor, OutlineStyle };
inline constexpr int kKeywordBoxCount = 2;
const char *keywordBoxName(KeywordBox box);     // "Cursor"
const char *keywordBoxProperty(KeywordBox box); // "cursor"
const QList<QByteArray> &keywordBoxItems(KeywordBox box);

// Declarations the panels edit in parts, kept as written: the part
// controls show one layer of them and write into it.
enum class Compound {
    BoxShadow, Transform, Translate, Rotate, Scale,
    Transition, TransitionProperty, TransitionDuration, TransitionTiming, TransitionDelay,
};
inline constexpr int kCompoundCount = 10;
const char *compoundProperty(Compound compound); // "box-shadow"

// The part controls of a list of layers: the layer they show, and why they
// cannot show it (empty when they can).
struct PartsView {
    int layer = 0;
    int layers = 0;
    QString locked;
    QList<QByteArray> captions; // of the layers, for the list
};

// The border property of a kind ("COLOR", "STYLE", "WIDTH") for a side of
// the border side group, in capitals: "BORDER-COLOR", "BORDER-TOP-COLOR".
QByteArray borderKey(int side, const char *kind);
inline constexpr int kBorderSideCount = 5;
const char *borderSideName(int side); // "BorderSide_Top"

// What the preview knows of the selected rule's elements: how many it
// matches, how many of them are flex or grid containers, and how many
// stand in one.
struct LayoutContext {
    bool known = false;
    int elements = 0;
    int containers = 0;
    int flexContainers = 0;
    int items = 0;
    int flexItems = 0;
};

// The option groups; at most one button of each is down. The groups from
// FlexDirection on come from the table of today's properties.
enum class Group {
    TextAlign, TextDecoration, FontStyle, FontVariant, VerticalAlign,
    BgPosition, BgAttachment, BgRepeat, BorderStyle, Display, Visibility,
    Overflow, Position, Float,
    FlexDirection, FlexWrap, JustifyContent, AlignItems, AlignContent, JustifyItems,
    AlignSelf, JustifySelf, GridAutoFlow, BoxSizing, ObjectFit,
    WhiteSpace, TextTransform, OverflowX, OverflowY, BackgroundSize, BackgroundClip,
};
inline constexpr int kGroupCount = 31;
// The names of a group's buttons, in the order the panels lay them out.
const QList<const char *> &groupButtons(Group group);

struct ButtonRef {
    Group group;
    int index;
};
std::optional<ButtonRef> findButton(const QByteArray &name);

enum class Swatch { Font, BackGround, Border, ScrollBarFace, ScrollBarArrow, ScrollBarBase, ScrollBarShadow, Outline, Shadow };
inline constexpr int kSwatchCount = 9;
const char *swatchName(Swatch swatch); // "FontColor"; its check box adds "Check"

struct SwatchValue {
    Rgb color;
    bool checked = false;
    // The value the rule gives, where it is no plain colour ("var(--brand)"):
    // the swatch's tooltip names it.
    QByteArray written;
};

// How a property the panels stand for was given in the rule when it was
// read. A control left as it was read writes the property as the rule had
// it; one the user changed takes the property over from the rule.
struct ReadProperty {
    QByteArray generated; // what the panels wrote for it right after reading; empty for nothing
    QByteArray written;   // its value as the rule wrote it, when the panels took it
    bool important = false;
    bool derived = false; // shown from a declaration the panels left in the rule (a shorthand)
};

// Every property control of the panels, without widgets. The panels are
// the model of the generated declarations; the widgets only show them.
class PanelState : public QObject
{
    Q_OBJECT
public:
    explicit PanelState(QObject *parent = nullptr);

    FontBox fontFamily, fontFamily2{QByteArray(), 0, false, false}, fontWeight, fontSize;
    QByteArray fontSizeUnit = QByteArrayLiteral("px");
    bool fontSizeBold = false;

    std::array<LengthValue, kLengthCount> lengths;
    // The logical property a side field was read from and writes
    // ("margin-inline-start"); empty for its physical one.
    std::array<QByteArray, kLengthCount> logical;
    std::array<int, kGroupCount> down; // the button down in each group, -1 for none
    // The side the border controls show and change: 0 all, then top, right,
    // bottom, left (BorderSide_*). It sets no property of its own.
    int borderSide = 0;
    std::array<SwatchValue, kSwatchCount> swatches;
    std::array<QByteArray, kTextFieldCount> texts; // empty for a field not in use
    bool gridDense = false;
    std::array<bool, kFlagCount> flags{};
    std::array<QByteArray, kKeywordBoxCount> keywordBoxes;
    std::array<QByteArray, kCompoundCount> compounds; // empty for not in the rule
    PartsView shadows, transforms, transitions;
    bool shadowInset = false;
    QByteArray transitionProperty, transitionTiming;
    // The keyword a layout button wrote when it was clicked ("flex-start"
    // or "start", after the container); empty for the button's own.
    std::array<QByteArray, kGroupCount> chosen;
    // Kept over readings: the preview tells it for the selected rule.
    LayoutContext layoutContext;

    // The window's button face, the colour of a border swatch after a reset.
    Rgb buttonFace{0xEF, 0xEF, 0xEF};
    // BtnStyleUpdate: shown once the user types into the rule's text.
    bool applyButtonVisible = false;

    // By property, in capitals; cleared with the panels.
    QHash<QByteArray, ReadProperty> asRead;
    // The custom properties the sheet gives, for the var() of a rule that
    // does not give them itself.
    VariableLookup sheetVariable;

    bool backGroundTransparent = false;
    struct {
        bool checked = false;
        bool enabled = false;
        QByteArray caption;
        QByteArray hint;
    } backGroundAtt;

    QByteArray &compound(Compound c) { return compounds[static_cast<int>(c)]; }
    const QByteArray &compound(Compound c) const { return compounds[static_cast<int>(c)]; }
    QByteArray &text(TextField field) { return texts[static_cast<int>(field)]; }
    const QByteArray &text(TextField field) const { return texts[static_cast<int>(field)]; }
    LengthValue &length(Length field) { return lengths[static_cast<int>(field)]; }
    const LengthValue &length(Length field) const { return lengths[static_cast<int>(field)]; }
    SwatchValue &swatch(Swatch s) { return swatches[static_cast<int>(s)]; }
    const SwatchValue &swatch(Swatch s) const { return swatches[static_cast<int>(s)]; }
    int downIn(Group group) const { return down[static_cast<int>(group)]; }
    bool isDown(Group group, int index) const { return downIn(group) == index; }
    // Puts a button down, releasing the others of its group; -1 raises all.
    void setDown(Group group, int index)
    {
        down[static_cast<int>(group)] = index;
        chosen[static_cast<int>(group)].clear();
    }

    // What follows from the check boxes.
    bool backGroundColorCheckEnabled() const { return !backGroundTransparent; }
    bool backGroundSwatchVisible() const { return !backGroundTransparent; }
    bool backGroundButtonsEnabled() const { return backGroundAtt.checked; }

    // The items of the font boxes: the fixed ones and, for the two family
    // boxes, the installed fonts after them.
    QList<QByteArray> familyItems;
    static const QList<QByteArray> &weightItems();
    static const QList<QByteArray> &sizeItems();

    // Tells the widgets to show the state again.
    void notify() { emit changed(); }

signals:
    void changed();
};
