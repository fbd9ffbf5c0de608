#pragma once

#include "core/css/css_color.h"
#include "core/panels/css_variables.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>

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

// The 23 length fields, numbered as the window's length field table.
enum class Length {
    TextIndent, LineHeight, WordSpacing, LetterSpacing,
    MarginTop, MarginBottom, MarginLeft, MarginRight,
    PaddingTop, PaddingBottom, PaddingLeft, PaddingRight,
    BorderWidth,
    ClipTop, ClipBottom, ClipLeft, ClipRight,
    BlockTop, BlockBottom, BlockLeft, BlockRight, BlockHeight, BlockWidth,
};
inline constexpr int kLengthCount = 23;
const char *lengthName(Length field); // the edit's name, "MarginTop"

// The fourteen option groups; at most one button of each is down.
enum class Group {
    TextAlign, TextDecoration, FontStyle, FontVariant, VerticalAlign,
    BgPosition, BgAttachment, BgRepeat, BorderStyle, Display, Visibility,
    Overflow, Position, Float,
};
inline constexpr int kGroupCount = 14;
// The names of a group's buttons, in the order the panels lay them out.
const QList<const char *> &groupButtons(Group group);

struct ButtonRef {
    Group group;
    int index;
};
std::optional<ButtonRef> findButton(const QByteArray &name);

enum class Swatch { Font, BackGround, Border, ScrollBarFace, ScrollBarArrow, ScrollBarBase, ScrollBarShadow };
inline constexpr int kSwatchCount = 7;
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
    std::array<int, kGroupCount> down; // the button down in each group, -1 for none
    std::array<SwatchValue, kSwatchCount> swatches;

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

    LengthValue &length(Length field) { return lengths[static_cast<int>(field)]; }
    const LengthValue &length(Length field) const { return lengths[static_cast<int>(field)]; }
    SwatchValue &swatch(Swatch s) { return swatches[static_cast<int>(s)]; }
    const SwatchValue &swatch(Swatch s) const { return swatches[static_cast<int>(s)]; }
    int downIn(Group group) const { return down[static_cast<int>(group)]; }
    bool isDown(Group group, int index) const { return downIn(group) == index; }
    // Puts a button down, releasing the others of its group; -1 raises all.
    void setDown(Group group, int index) { down[static_cast<int>(group)] = index; }

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
