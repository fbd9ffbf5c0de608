#include "core/panels/panel_state.h"

#include "core/panels/layout_controls.h"

#include <algorithm>

namespace {

const char *const kLengthNames[kLengthCount] = {
    "Text_Indent", "Line_Height", "Word_Spacing", "Letter_Spacing",
    "MarginTop", "MarginBottom", "MarginLeft", "MarginRight",
    "PaddingTop", "PaddingBottom", "PaddingLeft", "PaddingRight",
    "BorderWidth",
    "ClipTop", "ClipBottom", "ClipLeft", "ClipRight",
    "BlockTop", "BlockBottom", "BlockLeft", "BlockRight", "BlockHeight", "BlockWidth",
    "RowGap", "ColumnGap", "FlexBasis", "FlexGrow", "FlexShrink", "Order",
    "MinWidth", "MaxWidth", "MinHeight", "MaxHeight", "ZIndex",
    "BorderRadius", "RadiusTopLeft", "RadiusTopRight", "RadiusBottomRight", "RadiusBottomLeft",
    "OutlineWidth", "OutlineOffset", "OpacityValue",
    "ShadowX", "ShadowY", "ShadowBlur", "ShadowSpread", "ShadowOpacity",
    "TranslateX", "TranslateY", "Rotate", "Scale", "TransitionDuration", "TransitionDelay",
};

const char *const kTextFieldNames[kTextFieldCount] = {
    "GridTemplateColumns", "GridTemplateRows", "GridTemplateAreas", "GridColumn", "GridRow", "AspectRatio", "Content",
};
const char *const kTextFieldProperties[kTextFieldCount] = {
    "grid-template-columns", "grid-template-rows", "grid-template-areas", "grid-column", "grid-row", "aspect-ratio", "content",
};

const char *const kSwatchNames[kSwatchCount] = {
    "FontColor", "BackGroundColor", "BorderColor", "ScrollBarFaceColor",
    "ScrollBarArrowColor", "ScrollBarBaseColor", "ScrollBarShadowColor", "OutlineColor", "ShadowColor",
};

const std::array<QList<const char *>, kGroupCount> &allGroups()
{
    // The layout page's groups are appended from its own table.
    static std::array<QList<const char *>, kGroupCount> groups = {{
        {"Text_Align_Left", "Text_Align_Center", "Text_Align_Right", "Text_Align_Justify"},
        {"Text_decoration_UnderLine", "Text_decoration_LineThrough", "Text_decoration_OverLine",
         "Text_decoration_Blink", "Text_decoration_None"},
        {"Font_Style_Normal", "Font_Style_Italic"},
        {"Font_Variant_Normal", "Font_Variant_SmallCaps"},
        {"Vertical_Align_Bottom", "Vertical_Align_TextBottom", "Vertical_Align_Sub", "Vertical_Align_Baseline",
         "Vertical_Align_Middle", "Vertical_Align_Super", "Vertical_Align_TextTop", "Vertical_Align_Top"},
        {"BGrPosLT", "BGrPosCT", "BGrPosRT", "BGrPosLC", "BGrPosCC", "BGrPosRC", "BGrPosLB", "BGrPosCB", "BGrPosRB"},
        {"BGrAttFixed", "BGrAttScroll"},
        {"BGrRepXY", "BGrRepNone", "BGrRepY", "BGrRepX"},
        {"BorderSolid", "BorderDotted", "BorderDashed", "BorderOutSet", "BorderRidge", "BorderDouble", "BorderInSet",
         "BorderGroove", "BorderNone"},
        {"DisplayBlock", "DisplayInLine", "DisplayListItem", "DisplayMarker", "DisplayNone", "DisplayTable",
         "DisplayInLineTable", "DisplayTableCaption", "DisplayTableHeaderGroup", "DisplayTableFooterGroup",
         "DisplayTableCell", "DisplayTableRow", "DisplayTableRowGroup", "DisplayTableColumn",
         "DisplayTableColumnGroup", "DisplayInLineBlock", "DisplayFlex", "DisplayInLineFlex", "DisplayGrid",
         "DisplayInLineGrid", "DisplayContents"},
        {"VisibilityVisible", "VisibilityHidden", "VisibilityCollapse"},
        {"OverflowAuto", "OverflowVisible", "OverflowHidden", "OverflowScroll"},
        {"PositionStatic", "PositionRelative", "PositionAbsolute", "PositionFixed", "PositionSticky"},
        {"FloatLeft", "FloatRight"},
    }};
    static const bool layoutAdded = [] {
        for (const LayoutGroup &g : layoutGroups()) {
            for (const LayoutButton &b : g.buttons)
                groups[static_cast<int>(g.group)].append(b.name);
        }
        return true;
    }();
    (void)layoutAdded;
    return groups;
}

} // namespace

const char *lengthName(Length field)
{
    return kLengthNames[static_cast<int>(field)];
}

FieldKind fieldKind(Length field)
{
    switch (field) {
    case Length::FlexGrow:
    case Length::FlexShrink:
        return FieldKind::Number;
    case Length::Order:
    case Length::ZIndex:
        return FieldKind::Integer;
    case Length::Opacity:
    case Length::ShadowOpacity:
        return FieldKind::Percent;
    case Length::Rotate:
    case Length::Scale:
        return FieldKind::Signed;
    case Length::TransitionDuration:
    case Length::TransitionDelay:
        return FieldKind::Number;
    default:
        return FieldKind::Length;
    }
}

const QList<QByteArray> &fieldKeywords(Length field)
{
    // A field that stands for a whole declaration takes the keywords every
    // property takes; one that is a word of a longer value (a corner of
    // clip, a shadow's offset, a transition's duration) takes none of them.
    static const QList<QByteArray> wide = {"inherit", "initial", "unset", "revert", "revert-layer"};
    static const QList<QByteArray> none;
    static const QList<QByteArray> automatic = QList<QByteArray>{"auto"} + wide;
    static const QList<QByteArray> basis = QList<QByteArray>{"auto", "content", "min-content", "max-content", "fit-content"} + wide;
    static const QList<QByteArray> least = QList<QByteArray>{"auto", "min-content", "max-content", "fit-content"} + wide;
    static const QList<QByteArray> most = QList<QByteArray>{"none", "min-content", "max-content", "fit-content"} + wide;
    switch (field) {
    case Length::FlexBasis:
        return basis;
    case Length::MinWidth:
    case Length::MinHeight:
        return least;
    case Length::MaxWidth:
    case Length::MaxHeight:
        return most;
    case Length::ZIndex:
    case Length::MarginTop:
    case Length::MarginBottom:
    case Length::MarginLeft:
    case Length::MarginRight:
    case Length::BlockTop:
    case Length::BlockBottom:
    case Length::BlockLeft:
    case Length::BlockRight:
    case Length::BlockHeight:
    case Length::BlockWidth:
        return automatic;
    case Length::ClipTop:
    case Length::ClipBottom:
    case Length::ClipLeft:
    case Length::ClipRight:
    case Length::RadiusTopLeft:
    case Length::RadiusTopRight:
    case Length::RadiusBottomRight:
    case Length::RadiusBottomLeft:
        return none;
    default:
        return field >= Length::ShadowX ? none : wide;
    }
}

const char *flagName(Flag flag)
{
    static const char *const names[kFlagCount] = {"PointerEventsNone", "UserSelectNone", "AppearanceNone",
                                                  "TextOverflowEllipsis", "ListStyleNone"};
    return names[static_cast<int>(flag)];
}

const char *flagProperty(Flag flag)
{
    static const char *const names[kFlagCount] = {"pointer-events", "user-select", "appearance", "text-overflow",
                                                  "list-style"};
    return names[static_cast<int>(flag)];
}

const char *flagValue(Flag flag)
{
    return flag == Flag::TextOverflowEllipsis ? "ellipsis" : "none";
}

const char *keywordBoxName(KeywordBox box)
{
    return box == KeywordBox::Cursor ? "Cursor" : "OutlineStyle";
}

const char *keywordBoxProperty(KeywordBox box)
{
    return box == KeywordBox::Cursor ? "cursor" : "outline-style";
}

const QList<QByteArray> &keywordBoxItems(KeywordBox box)
{
    static const QList<QByteArray> cursors = {"auto", "default", "pointer", "text", "move", "not-allowed", "wait",
                                              "progress", "help", "crosshair", "grab", "grabbing", "zoom-in",
                                              "zoom-out", "col-resize", "row-resize", "ew-resize", "ns-resize",
                                              "nesw-resize", "nwse-resize", "copy", "none"};
    static const QList<QByteArray> styles = {"none", "auto", "solid", "dotted", "dashed", "double",
                                             "groove", "ridge", "inset", "outset"};
    return box == KeywordBox::Cursor ? cursors : styles;
}

QByteArray borderKey(int side, const char *kind)
{
    static const char *const sides[kBorderSideCount] = {"", "TOP-", "RIGHT-", "BOTTOM-", "LEFT-"};
    return QByteArray("BORDER-") + sides[std::clamp(side, 0, kBorderSideCount - 1)] + kind;
}

const char *borderSideName(int side)
{
    static const char *const names[kBorderSideCount] = {"BorderSide_All", "BorderSide_Top", "BorderSide_Right",
                                                        "BorderSide_Bottom", "BorderSide_Left"};
    return names[std::clamp(side, 0, kBorderSideCount - 1)];
}

const char *compoundProperty(Compound compound)
{
    static const char *const names[kCompoundCount] = {
        "box-shadow", "transform", "translate", "rotate", "scale",
        "transition", "transition-property", "transition-duration", "transition-timing-function", "transition-delay",
    };
    return names[static_cast<int>(compound)];
}

const char *textFieldName(TextField field)
{
    return kTextFieldNames[static_cast<int>(field)];
}

const char *textFieldProperty(TextField field)
{
    return kTextFieldProperties[static_cast<int>(field)];
}

const char *swatchName(Swatch swatch)
{
    return kSwatchNames[static_cast<int>(swatch)];
}

const QList<const char *> &groupButtons(Group group)
{
    return allGroups()[static_cast<int>(group)];
}

std::optional<ButtonRef> findButton(const QByteArray &name)
{
    for (int g = 0; g < kGroupCount; ++g) {
        const QList<const char *> &buttons = allGroups()[g];
        for (int i = 0; i < buttons.size(); ++i) {
            if (name == buttons[i])
                return ButtonRef{static_cast<Group>(g), i};
        }
    }
    return std::nullopt;
}

PanelState::PanelState(QObject *parent)
    : QObject(parent)
{
    down.fill(-1);
    familyItems = {QByteArray("\xd8\xf0\xe8\xf4\xf2 \xe2\xfb\xea\xeb."), "serif", "san-serif", "cursive", "fantasy",
                   "monospace"};
}

const QList<QByteArray> &PanelState::weightItems()
{
    static const QList<QByteArray> items = {
        QByteArray("\xd2\xee\xeb\xf9\xe8\xed\xe0 \xed\xe5 \xe7\xe0\xe4\xe0\xed\xe0"),
        "normal", "bold", "bolder", "lighter", "100", "200", "300", "400", "500", "600", "700", "800", "900"};
    return items;
}

const QList<QByteArray> &PanelState::sizeItems()
{
    static const QList<QByteArray> items = {
        QByteArray("\xe2\xfb\xea\xeb."), "8", "10", "12", "14", "16", "18", "20", "24", "xx-small", "x-small",
        "small", "medium", "large", "x-large", "xx-large", "larger", "smaller"};
    return items;
}
