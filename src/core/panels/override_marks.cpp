#include "core/panels/override_marks.h"

#include "core/panels/panel_state.h"
#include "core/preview/element_cascade.h"
#include "core/preview/page_sheets.h"

namespace {

QStringList words(const char *list)
{
    return QString::fromLatin1(list).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The longhands of each option group; old and new engines split some
// shorthands differently (white-space, background-repeat).
const char *groupProperties(Group group)
{
    switch (group) {
    case Group::TextAlign: return "text-align";
    case Group::TextDecoration: return "text-decoration-line text-decoration";
    case Group::FontStyle: return "font-style";
    case Group::FontVariant: return "font-variant-caps";
    case Group::VerticalAlign: return "vertical-align";
    case Group::BgPosition: return "background-position-x background-position-y";
    case Group::BgAttachment: return "background-attachment";
    case Group::BgRepeat: return "background-repeat background-repeat-x background-repeat-y";
    case Group::BorderStyle: return "";
    case Group::Display: return "display";
    case Group::Visibility: return "visibility";
    case Group::Overflow: return "overflow-x overflow-y";
    case Group::Position: return "position";
    case Group::Float: return "float";
    case Group::FlexDirection: return "flex-direction";
    case Group::FlexWrap: return "flex-wrap";
    case Group::JustifyContent: return "justify-content";
    case Group::AlignItems: return "align-items";
    case Group::AlignContent: return "align-content";
    case Group::JustifyItems: return "justify-items";
    case Group::AlignSelf: return "align-self";
    case Group::JustifySelf: return "justify-self";
    case Group::GridAutoFlow: return "grid-auto-flow";
    case Group::BoxSizing: return "box-sizing";
    case Group::ObjectFit: return "object-fit";
    case Group::WhiteSpace: return "white-space white-space-collapse text-wrap text-wrap-mode";
    case Group::TextTransform: return "text-transform";
    case Group::OverflowX: return "overflow-x";
    case Group::OverflowY: return "overflow-y";
    case Group::BackgroundSize: return "background-size";
    case Group::BackgroundClip: return "background-clip -webkit-background-clip";
    }
    return "";
}

// The fields' physical properties; a side read from a logical property
// stands for that one too.
const char *lengthProperties(Length field)
{
    switch (field) {
    case Length::TextIndent: return "text-indent";
    case Length::LineHeight: return "line-height";
    case Length::WordSpacing: return "word-spacing";
    case Length::LetterSpacing: return "letter-spacing";
    case Length::MarginTop: return "margin-top";
    case Length::MarginBottom: return "margin-bottom";
    case Length::MarginLeft: return "margin-left";
    case Length::MarginRight: return "margin-right";
    case Length::PaddingTop: return "padding-top";
    case Length::PaddingBottom: return "padding-bottom";
    case Length::PaddingLeft: return "padding-left";
    case Length::PaddingRight: return "padding-right";
    // One mark says it for a property of several fields; the layer lists
    // say it for their parts.
    case Length::ClipTop: return "clip";
    case Length::ClipBottom: case Length::ClipLeft: case Length::ClipRight: return "";
    case Length::BlockTop: return "top";
    case Length::BlockBottom: return "bottom";
    case Length::BlockLeft: return "left";
    case Length::BlockRight: return "right";
    case Length::BlockHeight: return "height";
    case Length::BlockWidth: return "width";
    case Length::RowGap: return "row-gap";
    case Length::ColumnGap: return "column-gap";
    case Length::FlexBasis: return "flex-basis";
    case Length::FlexGrow: return "flex-grow";
    case Length::FlexShrink: return "flex-shrink";
    case Length::Order: return "order";
    case Length::MinWidth: return "min-width";
    case Length::MaxWidth: return "max-width";
    case Length::MinHeight: return "min-height";
    case Length::MaxHeight: return "max-height";
    case Length::ZIndex: return "z-index";
    case Length::BorderRadius:
        return "border-top-left-radius border-top-right-radius border-bottom-right-radius border-bottom-left-radius";
    case Length::RadiusTopLeft: return "border-top-left-radius";
    case Length::RadiusTopRight: return "border-top-right-radius";
    case Length::RadiusBottomRight: return "border-bottom-right-radius";
    case Length::RadiusBottomLeft: return "border-bottom-left-radius";
    case Length::OutlineWidth: return "outline-width";
    case Length::OutlineOffset: return "outline-offset";
    case Length::Opacity: return "opacity";
    case Length::ShadowX: case Length::ShadowY: case Length::ShadowBlur: case Length::ShadowSpread:
    case Length::ShadowOpacity: return "";
    case Length::TranslateX: return "translate transform";
    case Length::TranslateY: return "";
    case Length::Rotate: return "rotate transform";
    case Length::Scale: return "scale transform";
    case Length::TransitionDuration: case Length::TransitionDelay: return "";
    case Length::BorderWidth: return "";
    }
    return "";
}

// The four sides' longhands of a border kind, or the chosen side's.
QStringList borderProperties(int side, const char *kind)
{
    QStringList out;
    for (int s = side == 0 ? 1 : side; s <= (side == 0 ? 4 : side); ++s)
        out.append(QString::fromLatin1(borderKey(s, kind).toLower()));
    return out;
}

const char *swatchProperties(Swatch swatch)
{
    switch (swatch) {
    case Swatch::Font: return "color";
    case Swatch::BackGround: return "background-color";
    case Swatch::Outline: return "outline-color";
    default: return ""; // the scroll bar colours no engine of today reads
    }
}

QString winnerHint(const CascadeEntry &winner, const PageSheets &sheets)
{
    return QStringLiteral("Перекрыто: ") + sheets.ruleName(winner, false);
}

// The declaration that beats the rule's own for a property, when the rule
// sets it for the element and another wins.
const CascadeEntry *beaten(const ElementCascade &cascade, const QString &property, int rule)
{
    if (!cascade.entryOf(property, rule))
        return nullptr;
    const CascadeEntry *winner = cascade.winner(property);
    if (!winner || (!winner->inline_ && winner->sheet < 0 && winner->rule == rule))
        return nullptr;
    return winner;
}

} // namespace

QList<ControlProperties> controlProperties(const PanelState &p)
{
    QList<ControlProperties> out;
    out.append({"Font_Family", {QStringLiteral("font-family")}});
    out.append({"Font_Weight", {QStringLiteral("font-weight")}});
    out.append({"Font_Size", {QStringLiteral("font-size")}});
    for (int l = 0; l < kLengthCount; ++l) {
        const Length field = static_cast<Length>(l);
        QStringList properties = field == Length::BorderWidth ? borderProperties(p.borderSide, "WIDTH")
                                                              : words(lengthProperties(field));
        if (!p.logical[l].isEmpty())
            properties.append(QString::fromLatin1(p.logical[l].toLower()));
        if (!properties.isEmpty())
            out.append({lengthName(field), properties});
    }
    for (int g = 0; g < kGroupCount; ++g) {
        const Group group = static_cast<Group>(g);
        const QList<const char *> &buttons = groupButtons(group);
        if (buttons.isEmpty())
            continue;
        const int down = p.downIn(group);
        const char *button = buttons[down >= 0 && down < buttons.size() ? down : 0];
        out.append({button, group == Group::BorderStyle ? borderProperties(p.borderSide, "STYLE")
                                                        : words(groupProperties(group))});
    }
    for (int s = 0; s < kSwatchCount; ++s) {
        const Swatch swatch = static_cast<Swatch>(s);
        const QStringList properties =
            swatch == Swatch::Border ? borderProperties(p.borderSide, "COLOR") : words(swatchProperties(swatch));
        if (!properties.isEmpty())
            out.append({swatchName(swatch), properties});
    }
    out.append({"BackGroundAttCheck", {QStringLiteral("background-image")}});
    for (int t = 0; t < kTextFieldCount; ++t) {
        const TextField field = static_cast<TextField>(t);
        QStringList properties{QString::fromLatin1(textFieldProperty(field))};
        if (field == TextField::GridColumn)
            properties = words("grid-column-start grid-column-end");
        else if (field == TextField::GridRow)
            properties = words("grid-row-start grid-row-end");
        out.append({textFieldName(field), properties});
    }
    for (int f = 0; f < kFlagCount; ++f) {
        const Flag flag = static_cast<Flag>(f);
        QStringList properties{QString::fromLatin1(flagProperty(flag))};
        if (flag == Flag::ListStyleNone)
            properties = words("list-style-type list-style-image list-style-position");
        else if (flag == Flag::UserSelectNone || flag == Flag::AppearanceNone)
            properties.append(QStringLiteral("-webkit-") + properties.first());
        out.append({flagName(flag), properties});
    }
    for (int b = 0; b < kKeywordBoxCount; ++b)
        out.append({keywordBoxName(static_cast<KeywordBox>(b)), {QString::fromLatin1(keywordBoxProperty(static_cast<KeywordBox>(b)))}});
    out.append({"TransitionList", words("transition-property transition-duration transition-timing-function "
                                        "transition-delay transition-behavior")});
    out.append({"ShadowList", {QStringLiteral("box-shadow")}});
    return out;
}

QList<OverrideMark> overrideMarks(const QList<ControlProperties> &controls, const ElementCascade &cascade,
                                  const PageSheets &sheets, int rule)
{
    QList<OverrideMark> out;
    if (rule < 0 || cascade.properties().isEmpty())
        return out;
    for (const ControlProperties &control : controls) {
        for (const QString &property : control.properties) {
            if (const CascadeEntry *winner = beaten(cascade, property, rule)) {
                out.append({control.control, winner->sheet, winner->inline_ ? -1 : winner->rule,
                            winnerHint(*winner, sheets)});
                break;
            }
        }
    }
    return out;
}

QList<OverrideMark> overrideMarks(const QStringList &variables, const ElementCascade &cascade,
                                  const PageSheets &sheets, int rule)
{
    QList<OverrideMark> out;
    if (rule < 0 || cascade.properties().isEmpty())
        return out;
    for (const QString &name : variables) {
        if (const CascadeEntry *winner = beaten(cascade, name, rule))
            out.append({name.toUtf8(), winner->sheet, winner->inline_ ? -1 : winner->rule, winnerHint(*winner, sheets)});
    }
    return out;
}
