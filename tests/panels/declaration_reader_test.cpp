#include "core/css/css_color.h"
#include "core/panels/css_overlap.h"
#include "core/panels/shorthand_parts.h"
#include "core/sheet/cp1251.h"
#include "core/panels/declaration_reader.h"
#include "core/panels/panel_state.h"
#include "core/sheet/rule_memo.h"
#include "core/sheet/unsupported_comment.h"
#include "core/panels/working_text.h"

#include <gtest/gtest.h>

namespace {

class ReadRule : public testing::Test
{
protected:
    PanelState panels;
    RuleMemo memo;

    // Reads the lines and returns what the memo then holds below the
    // comment line: the declarations no control stands for.
    ByteLines read(const ByteLines &lines)
    {
        memo.setLines(lines);
        DeclarationsToPanels(panels, memo);
        const ByteLines out = memo.lines();
        const qsizetype comment = out.indexOf(unsupportedComment());
        return comment < 0 ? ByteLines() : out.mid(comment + 1);
    }
    const LengthValue &field(Length f) { return panels.length(f); }
};

TEST(NormaliseDeclarations, SqueezesBlanksAndFoldsLatinLetters)
{
    EXPECT_EQ(NormaliseDeclarations({"; Font-Family: Arial;", "color : red ;;"}), ";FONT-FAMILY:ARIAL;COLOR:RED;");
    EXPECT_EQ(NormaliseDeclarations({"background-position: left  top"}), "BACKGROUND-POSITION:LEFT TOP;");
    EXPECT_EQ(NormaliseDeclarations({"font-family: Times New Roman, serif\t"}), "FONT-FAMILY:TIMES NEW ROMAN, SERIF;");
    EXPECT_EQ(NormaliseDeclarations({"content: '\xe0\xe1'"}), "CONTENT:'\xe0\xe1';");
}

TEST(CssToColor, ReadsNamesAndHexForms)
{
    EXPECT_EQ(CssToColor("#F00"), (Rgb{255, 0, 0}));
    EXPECT_EQ(CssToColor("FF0000"), (Rgb{255, 0, 0}));
    EXPECT_EQ(CssToColor("LIME"), (Rgb{0x00, 0xFF, 0x00}));
    EXPECT_EQ(CssToColor("#12aB3c"), (Rgb{0x12, 0xAB, 0x3C}));
    for (const char *unreadable : {"INHERIT", "VAR(--X)", "#GG0000", "", "#12345", "RGB(1 2)", "OKLCH(", "RGB(1 2) 3)"})
        EXPECT_FALSE(CssToColor(unreadable).has_value()) << unreadable;
}

TEST(ColorToCss, WritesNamesForTheSixteenAndHexOtherwise)
{
    EXPECT_EQ(ColorToCss({255, 0, 0}), "RED");
    // The names mean what CSS means by them.
    EXPECT_EQ(ColorToCss({0x00, 0xFF, 0x00}), "LIME");
    EXPECT_EQ(ColorToCss({0x80, 0xFF, 0x00}), "#80FF00");
    EXPECT_EQ(ColorToCss(kUnknownColor), "#123456");
}

TEST_F(ReadRule, FieldsShowNumbersWithoutALeadingZeroAutoAndTheKeywordsOfEveryProperty)
{
    const struct {
        const char *declaration;
        Length field;
        const char *text;
        const char *unit;
    } cases[] = {
        {"padding-top: .5rem;", Length::PaddingTop, ".5", "rem"},
        {"margin-top: .25em;", Length::MarginTop, ".25", "em"},
        {"text-indent: -.5em;", Length::TextIndent, "-.5", "em"},
        {"opacity: .65;", Length::Opacity, "65", ""},
        {"margin-right: auto;", Length::MarginRight, "auto", ""},
        {"margin-left: AUTO;", Length::MarginLeft, "auto", ""},
        {"width: auto;", Length::BlockWidth, "auto", ""},
        {"margin-bottom: inherit;", Length::MarginBottom, "inherit", ""},
        {"letter-spacing: revert-layer;", Length::LetterSpacing, "revert-layer", ""},
        {"z-index: unset;", Length::ZIndex, "unset", ""},
    };
    for (const auto &c : cases) {
        ResetPanels(panels);
        EXPECT_TRUE(read({c.declaration}).isEmpty()) << c.declaration;
        EXPECT_TRUE(field(c.field).inUse) << c.declaration;
        EXPECT_EQ(field(c.field).text, c.text) << c.declaration;
        if (*c.unit)
            EXPECT_EQ(field(c.field).unit, c.unit) << c.declaration;
    }
}

TEST_F(ReadRule, ATransitionLonghandBeforeItsShorthandIsSetAnewByIt)
{
    read({"transition-duration: 2s;", "transition: opacity 1s;"});
    EXPECT_EQ(field(Length::TransitionDuration).text, "1000");
    EXPECT_EQ(panels.transitionProperty, "opacity");
    ResetPanels(panels);
    read({"transition: opacity 1s;", "transition-duration: 2s;"});
    EXPECT_EQ(field(Length::TransitionDuration).text, "2000");
}

TEST_F(ReadRule, ATurnInAnyUnitShowsInDegrees)
{
    read({"transform: rotate(1.5707963rad);"});
    EXPECT_EQ(field(Length::Rotate).text, "90");
    ResetPanels(panels);
    read({"rotate: 3.1415927rad;"});
    EXPECT_EQ(field(Length::Rotate).text, "180");
    ResetPanels(panels);
    read({"transform: rotate(100grad) scale(2, 3);"});
    EXPECT_EQ(field(Length::Rotate).text, "") << "locked: the scale differs along the axes";
    EXPECT_FALSE(panels.transforms.locked.isEmpty());
}

TEST_F(ReadRule, AShorthandsColourGivenByAVariableShowsOnItsSwatch)
{
    read({"--brand: oklch(0.6 0.15 250);", "background: var(--brand);"});
    EXPECT_TRUE(panels.swatch(Swatch::BackGround).checked);
    EXPECT_EQ(panels.swatch(Swatch::BackGround).color, CssToColor("OKLCH(0.6 0.15 250)").value());
    read({"--edge: 1px solid oklch(0.5 0.2 30);", "border: var(--edge);"});
    EXPECT_TRUE(panels.swatch(Swatch::Border).checked);
    EXPECT_EQ(panels.swatch(Swatch::Border).color, CssToColor("OKLCH(0.5 0.2 30)").value());
}

TEST_F(ReadRule, EveryDeclarationAControlStandsForLeavesNoComment)
{
    EXPECT_TRUE(read({"color: red;", "text-align: center;", "margin-top: 10px;"}).isEmpty());
    EXPECT_EQ(memo.lines(), (ByteLines{"; Text-align: center;", "; Margin-top: 10px;", "; color: red;"}));
}

TEST_F(ReadRule, KeptDeclarationsFollowTheCommentInTheirOwnCase)
{
    const ByteLines kept = read({"color: red;", "text-shadow: gray 1px 1px;", "cursor: hand"});
    EXPECT_EQ(memo.lines().first(), "; color: red;");
    EXPECT_EQ(kept, (ByteLines{"text-shadow:gray 1px 1px;", "cursor:hand;", ""}));
}

TEST_F(ReadRule, PropertyGivenTwiceKeepsTheSecondAsideAndShowsTheValueThatWins)
{
    EXPECT_EQ(read({"margin-top: 1px;", "margin-top: 2px;"}), (ByteLines{"margin-top:2px;", ""}));
    EXPECT_EQ(field(Length::MarginTop).text, "2");
    EXPECT_EQ(memo.lines().first(), "; Margin-top: 1px;");
    read({"color: red !important;", "color: blue;"});
    EXPECT_EQ(panels.swatch(Swatch::Font).color, (Rgb{255, 0, 0}));
}

TEST_F(ReadRule, LaterKeywordOfAGroupWins)
{
    EXPECT_TRUE(read({"text-align: left;", "text-align: center;"}).isEmpty());
    EXPECT_EQ(panels.downIn(Group::TextAlign), 1);
}

// Shown as Italic, written back as the rule gives it: the engine reads
// "oblique" as a value of its own.
TEST_F(ReadRule, ObliqueIsShownAsItalicAndKeptAsWritten)
{
    read({"font-style: oblique"});
    EXPECT_EQ(panels.downIn(Group::FontStyle), 1);
    EXPECT_EQ(memo.lines(), ByteLines{"; Font-style: oblique;"});
}

TEST_F(ReadRule, ShortHeadFirstFoundInsideALongerNameCountsAsAbsent)
{
    EXPECT_EQ(read({"scrollbar-track-color: red;", "color: blue;"}),
              (ByteLines{"scrollbar-track-color:red;", "color:blue;", ""}));
    // Shown, for it is the rule's colour, but left where it stands.
    EXPECT_EQ(panels.swatch(Swatch::Font).color, (Rgb{0, 0, 0xFF}));
}

TEST_F(ReadRule, ShorthandsStayAsWrittenAndShowTheirPartsInTheControls)
{
    const ByteLines kept = read({"margin: 0 auto;", "padding: 5px 1em;", "border: 1px solid red;",
                                 "background: url(a.gif) #fc0;", "font: italic bold 12px/1.5 Arial, serif;",
                                 "text-decoration: underline overline;"});
    EXPECT_EQ(kept, (ByteLines{"margin:0 auto;", "padding:5px 1em;", "border:1px solid red;",
                               "background:url(a.gif) #fc0;", "font:italic bold 12px/1.5 Arial, serif;",
                               "text-decoration:underline overline;", ""}));
    EXPECT_EQ(field(Length::MarginTop).text, "0");
    EXPECT_EQ(field(Length::MarginLeft).text, "auto");
    EXPECT_EQ(field(Length::PaddingBottom).text + field(Length::PaddingBottom).unit, "5px");
    EXPECT_EQ(field(Length::PaddingLeft).text + field(Length::PaddingLeft).unit, "1em");
    EXPECT_EQ(field(Length::BorderWidth).text, "1");
    EXPECT_EQ(panels.downIn(Group::BorderStyle), 0);
    EXPECT_EQ(panels.swatch(Swatch::Border).color, (Rgb{255, 0, 0}));
    EXPECT_EQ(panels.swatch(Swatch::BackGround).color, (Rgb{0xFF, 0xCC, 0}));
    EXPECT_EQ(panels.fontSize.text + panels.fontSizeUnit, "12px");
    EXPECT_EQ(field(Length::LineHeight).text, "1.5");
    EXPECT_EQ(panels.fontFamily.text + "|" + panels.fontFamily2.text, "Arial|serif");
    EXPECT_EQ(panels.downIn(Group::FontStyle), 1);
    EXPECT_TRUE(panels.fontSizeBold);
    EXPECT_EQ(panels.downIn(Group::TextDecoration), -1);
    // Nothing of it is written twice.
    EXPECT_EQ(memo.lines().first(), unsupportedComment());
    for (const char *unknown : {"padding: var(--a) var(--b);", "font: caption;", "border: thin var(--c);"}) {
        read({unknown});
        EXPECT_FALSE(field(Length::PaddingTop).inUse) << unknown;
        EXPECT_FALSE(panels.fontSize.inUse) << unknown;
        EXPECT_FALSE(field(Length::BorderWidth).inUse) << unknown;
    }
}

TEST_F(ReadRule, BackgroundSettingsNeedAPicture)
{
    const ByteLines kept = read({"background-position: left top;", "background-repeat: no-repeat;"});
    EXPECT_EQ(kept.size(), 3);
    EXPECT_EQ(panels.downIn(Group::BgPosition), -1);

    read({"background-image: url(IMAGES/Sky.GIF);", "background-position: left top;",
          "background-repeat: no-repeat;", "background-attachment: fixed;"});
    EXPECT_TRUE(panels.backGroundAtt.checked);
    EXPECT_TRUE(panels.backGroundAtt.enabled);
    EXPECT_EQ(panels.backGroundAtt.hint, "IMAGES/Sky.GIF") << "addresses keep their case";
    EXPECT_EQ(panels.downIn(Group::BgPosition), 0);
    EXPECT_EQ(panels.downIn(Group::BgRepeat), 1);
    EXPECT_EQ(panels.downIn(Group::BgAttachment), 0);
    EXPECT_EQ(memo.lines().first(), "; BackGround-Image: url(IMAGES/Sky.GIF);");
}

TEST_F(ReadRule, PictureCaptionIsTheAddressAfterItsLastColonOrBackslash)
{
    read({"background-image: url(C:\\site\\bg.gif)"});
    EXPECT_EQ(panels.backGroundAtt.caption, "bg.gif");
    read({"background-image: url(img/bg.gif))"});
    EXPECT_EQ(panels.backGroundAtt.caption, "img/bg.gif");
    EXPECT_EQ(panels.backGroundAtt.hint, "img/bg.gif");
}

TEST_F(ReadRule, TransparentBackgroundChecksItsOwnBox)
{
    EXPECT_TRUE(read({"background-color: transparent"}).isEmpty());
    EXPECT_TRUE(panels.backGroundTransparent);
    EXPECT_FALSE(panels.swatch(Swatch::BackGround).checked);
    EXPECT_EQ(memo.lines(), ByteLines{"; BackGround-color: transparent;"});
}

TEST_F(ReadRule, FontFamiliesTakeTheListsSpellingOrStayAsWritten)
{
    panels.familyItems.append("Verdana");
    read({"font-family: VERDANA, Arial, serif"});
    EXPECT_EQ(panels.fontFamily.text, "Verdana");
    EXPECT_TRUE(panels.fontFamily.inUse);
    EXPECT_EQ(panels.fontFamily2.text, "Arial, serif");
    EXPECT_TRUE(panels.fontFamily2.inUse);

    read({"font-family: Fira Sans"});
    EXPECT_EQ(panels.fontFamily.text, "Fira Sans");
    EXPECT_EQ(panels.fontFamily.selected, -1);
}

TEST_F(ReadRule, FontWeightBoldPutsTheBoldButtonDown)
{
    read({"font-weight: BOLD"});
    EXPECT_EQ(panels.fontWeight.text, "bold");
    EXPECT_TRUE(panels.fontSizeBold);
    read({"font-weight: bolder"});
    EXPECT_FALSE(panels.fontSizeBold);
}

TEST_F(ReadRule, FontSizesAndLengthsTakeNumberAndUnit)
{
    read({"font-size: small;", "margin-top: 10%;", "text-indent: -1.5em"});
    EXPECT_EQ(panels.fontSize.text, "small");
    EXPECT_EQ(panels.fontSizeUnit, "");
    EXPECT_EQ(field(Length::MarginTop).text, "10");
    EXPECT_EQ(field(Length::MarginTop).unit, "%");
    EXPECT_EQ(field(Length::TextIndent).text, "-1.5");
    EXPECT_EQ(field(Length::TextIndent).unit, "em");
    read({"font-size: 1.5em"});
    EXPECT_EQ(panels.fontSize.text, "1.5");
    EXPECT_EQ(panels.fontSizeUnit, "em");
}

TEST_F(ReadRule, ValuesTheFieldsCannotShowStayAsideVerbatim)
{
    const ByteLines kept = read({"width: fit-content;", "height: calc(100% - 2rem);", "font-size: inherit;",
                                 "left: 3furlongs;"});
    EXPECT_EQ(kept, (ByteLines{"width:fit-content;", "height:calc(100% - 2rem);", "font-size:inherit;", "left:3furlongs;", ""}));
    for (const LengthValue &value : panels.lengths)
        EXPECT_FALSE(value.inUse);
    EXPECT_FALSE(panels.fontSize.inUse);
}

TEST_F(ReadRule, LengthsInEveryCssUnitReachTheirFields)
{
    const struct {
        const char *declaration;
        Length field;
        const char *text;
        const char *unit;
    } cases[] = {
        {"margin-left: 2rem", Length::MarginLeft, "2", "rem"},  {"padding-top: 1in", Length::PaddingTop, "1", "in"},
        {"width: 50vw", Length::BlockWidth, "50", "vw"},       {"height: 100dvh", Length::BlockHeight, "100", "dvh"},
        {"top: 1.5vmin", Length::BlockTop, "1.5", "vmin"},     {"left: 3ch", Length::BlockLeft, "3", "ch"},
        {"line-height: 2lh", Length::LineHeight, "2", "lh"},   {"right: 10cqw", Length::BlockRight, "10", "cqw"},
        {"bottom: 4Q", Length::BlockBottom, "4", "q"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(read({c.declaration}), ByteLines{}) << c.declaration;
        EXPECT_EQ(field(c.field).text, c.text) << c.declaration;
        EXPECT_EQ(field(c.field).unit, c.unit) << c.declaration;
    }
    read({"font-size: 1.25rem"});
    EXPECT_EQ(panels.fontSizeUnit, "rem");
}

TEST_F(ReadRule, ColoursTheSwatchCannotShowStayAsideUnchecked)
{
    // An open bracket runs to the end: those come last.
    const ByteLines kept = read({"color: rgb(1 2);", "background-color: var(--bg);", "scrollbar-base-color: inherit;",
                                 "scrollbar-face-color: var(--x;", "border-color: oklch(;"});
    EXPECT_EQ(kept.size(), 4);
    EXPECT_EQ(kept[0], "color:rgb(1 2);");
    for (const SwatchValue &swatch : panels.swatches)
        EXPECT_FALSE(swatch.checked);
    read({"color: #f00;", "border-color: FF0000;", "background-color: lime"});
    EXPECT_EQ(panels.swatch(Swatch::Font).color, (Rgb{255, 0, 0}));
    EXPECT_EQ(panels.swatch(Swatch::Border).color, (Rgb{255, 0, 0}));
    EXPECT_EQ(panels.swatch(Swatch::BackGround).color, (Rgb{0x00, 0xFF, 0}));
}

TEST_F(ReadRule, ImportantValuesReachTheControlsAndKeepTheirPriority)
{
    const ByteLines kept = read({"font-family: Arial !important;", "color: red ! IMPORTANT;", "top: 5px !important;",
                                 "text-align: center !important;"});
    EXPECT_EQ(kept, (ByteLines{"text-align:center !important;", ""}));
    EXPECT_EQ(memo.lines().mid(0, 3), (ByteLines{"; Font-Family: Arial !important;", "; color: red !important;",
                                                 "; Top: 5px !important;"}));
    EXPECT_EQ(panels.fontFamily.text, "Arial");
    EXPECT_EQ(panels.swatch(Swatch::Font).color, (Rgb{255, 0, 0}));
    EXPECT_EQ(panels.downIn(Group::TextAlign), 1);
}

TEST_F(ReadRule, ClipRectEdgesSplitAtCommasOrBlanks)
{
    read({"clip: rect(5px, auto, 10px, 0)"});
    EXPECT_EQ(field(Length::ClipTop).text, "5");
    EXPECT_EQ(field(Length::ClipTop).unit, "px");
    EXPECT_FALSE(field(Length::ClipRight).inUse);
    EXPECT_EQ(field(Length::ClipBottom).text, "10");
    EXPECT_EQ(field(Length::ClipLeft).text, "0");
    EXPECT_EQ(field(Length::ClipLeft).unit, "");
    EXPECT_EQ(memo.lines(), ByteLines{"; clip: rect(5px, auto, 10px, 0);"});

    read({"clip: rect(1px 2px 3px 4px)"});
    EXPECT_EQ(field(Length::ClipRight).text, "2");
    EXPECT_EQ(field(Length::ClipLeft).text, "4");

    EXPECT_EQ(read({"clip: rect(1px, 2rem, 3px, 4px)"}), ByteLines{});
    EXPECT_EQ(field(Length::ClipRight).unit, "rem");
}

TEST_F(ReadRule, BasePageLineStaysAsideAsWritten)
{
    EXPECT_EQ(read({"LINK_HTML=file:///Site/Index.html;"}), (ByteLines{"LINK_HTML=file:///Site/Index.html;", ""}));
}

TEST_F(ReadRule, EmptyMemoGivesResetPanelsAndNoLines)
{
    panels.length(Length::MarginTop) = {"7", true, "em"};
    read({});
    EXPECT_TRUE(memo.lines().isEmpty());
    EXPECT_FALSE(field(Length::MarginTop).inUse);
    EXPECT_EQ(field(Length::MarginTop).unit, "em") << "units persist";
    EXPECT_EQ(panels.swatch(Swatch::ScrollBarBase).color, (Rgb{255, 255, 255}));
    EXPECT_EQ(panels.swatch(Swatch::ScrollBarFace).color, (Rgb{0xC0, 0xC0, 0xC0}));
    EXPECT_EQ(panels.swatch(Swatch::Border).color, (Rgb{0x80, 0x80, 0x80}));
    EXPECT_EQ(panels.backGroundAtt.caption, cp1251::encode(QStringLiteral("Рисунок не выбран")));
}

TEST_F(ReadRule, CommentLineIsNotTakenForADeclaration)
{
    const ByteLines kept = read({"; color: RED;", "  " + unsupportedComment(), "  CURSOR:HAND;"});
    EXPECT_EQ(kept, (ByteLines{" CURSOR:HAND;", ""}));
    EXPECT_EQ(memo.lines().count(unsupportedComment()), 1);
}

TEST(PanelState, FixedItemsAreInTheSheetsCodePage)
{
    EXPECT_EQ(PanelState().familyItems.first(), cp1251::encode(QStringLiteral("Шрифт выкл.")));
    EXPECT_EQ(PanelState::weightItems().first(), cp1251::encode(QStringLiteral("Толщина не задана")));
    EXPECT_EQ(PanelState::sizeItems().first(), cp1251::encode(QStringLiteral("выкл.")));
}

} // namespace

namespace {

TEST_F(ReadRule, StringsUrlsAndCommentsAreNeverCut)
{
    const ByteLines kept = read({"quotes: 'a;  b';", "color: red;",
                                 "background-image: url(data:image/png;base64,AAAA);",
                                 "/* color: blue; */ quotes: none;"});
    EXPECT_EQ(kept, (ByteLines{"quotes:'a;  b';", "/* color:blue;*/ quotes:none;", ""}));
    EXPECT_EQ(panels.backGroundAtt.hint, "data:image/png;base64,AAAA");
    EXPECT_EQ(panels.swatch(Swatch::Font).color, (Rgb{255, 0, 0}));
}

TEST_F(ReadRule, PatternInsideAnotherWordIsNotADeclaration)
{
    EXPECT_EQ(read({"bgcolor: red;"}), (ByteLines{"bgcolor:red;", ""}));
    EXPECT_FALSE(panels.swatch(Swatch::Font).checked);
}

TEST_F(ReadRule, EarlierShorthandKeepsALaterLonghandAfterIt)
{
    // Generated lines are written first; these must keep their order.
    EXPECT_EQ(read({"margin: 1rem;", "margin-top: 0;"}), (ByteLines{"margin:1rem;", "margin-top:0;", ""}));
    EXPECT_EQ(read({"border-top-style: dashed;", "border-style: solid;"}),
              (ByteLines{"border-top-style:dashed;", "border-style:solid;", ""}));
    EXPECT_EQ(read({"font: 12px Arial;", "font-size: 10px;"}), (ByteLines{"font:12px Arial;", "font-size:10px;", ""}));
    EXPECT_EQ(read({"-webkit-text-decoration: none;", "text-decoration: none;"}).size(), 3);
    EXPECT_EQ(read({"text-decoration-color: red;", "text-decoration: none;"}).size(), 3);
}

TEST_F(ReadRule, AllFourBorderSidesShowWhatTheyShareAndOneSideItsOwn)
{
    const ByteLines sides = {"border-top: 1px solid red;", "border-right: 1px solid red;",
                             "border-bottom: 1px solid red;", "border-left: 1px dashed red;"};
    const ByteLines kept = read(sides);
    EXPECT_EQ(panels.length(Length::BorderWidth).text, "1");
    EXPECT_TRUE(panels.swatch(Swatch::Border).checked);
    EXPECT_EQ(panels.downIn(Group::BorderStyle), -1) << "the left side differs";
    EXPECT_EQ(kept.size(), 5) << "shown, not taken";
    panels.borderSide = 4;
    read(sides);
    EXPECT_EQ(panels.downIn(Group::BorderStyle), 2);
    panels.borderSide = 0;
}

TEST_F(ReadRule, UnrelatedDeclarationsStillReachThePanels)
{
    EXPECT_EQ(read({"border-color: red;", "border-style: solid;", "margin-top: 0;", "margin: 1rem;"}),
              (ByteLines{"margin:1rem;", ""}));
    EXPECT_EQ(panels.downIn(Group::BorderStyle), 0);
    EXPECT_TRUE(panels.length(Length::MarginTop).inUse);
}

TEST(ShorthandParts, AKeywordEveryPropertyTakesStandsForTheWholeShorthand)
{
    for (const char *keyword : {"inherit", "initial", "unset", "revert", "revert-layer"}) {
        EXPECT_EQ(longhandOf("BORDER", keyword, "BORDER-TOP-WIDTH"), QByteArray(keyword)) << keyword;
        EXPECT_EQ(longhandOf("BORDER", keyword, "BORDER-LEFT-COLOR"), QByteArray(keyword)) << keyword;
        EXPECT_EQ(longhandOf("FONT", keyword, "FONT-FAMILY"), QByteArray(keyword)) << keyword;
        EXPECT_EQ(longhandOf("BACKGROUND", keyword, "BACKGROUND-COLOR"), QByteArray(keyword)) << keyword;
    }
}

TEST(CssOverlap, PropertiesThatSetTheSameThingMeet)
{
    const struct {
        const char *a, *b;
        bool overlap;
    } cases[] = {
        {"MARGIN", "MARGIN-LEFT", true},
        {"BORDER-LEFT", "BORDER-COLOR", true},
        {"BORDER-LEFT-COLOR", "BORDER-COLOR", true},
        {"BORDER-LEFT-WIDTH", "BORDER-COLOR", false},
        {"BORDER-RADIUS", "BORDER-STYLE", false},
        {"INSET", "TOP", true},
        {"ALL", "COLOR", true},
        {"ALL", "DIRECTION", false},
        {"FONT-SIZE", "FONT-FAMILY", false},
        // What a reading reordered before the relation came from the catalogue.
        {"TRANSITION-DURATION", "TRANSITION", true},
        {"TRANSITION-PROPERTY", "TRANSITION", true},
        {"LIST-STYLE-TYPE", "LIST-STYLE", true},
        {"TEXT-WRAP", "WHITE-SPACE", true},
        {"ANIMATION-NAME", "ANIMATION", true},
        // Shorthands that share a longhand; one that resets another.
        {"BORDER-TOP", "BORDER-WIDTH", true},
        {"FONT", "FONT-KERNING", true},
        {"FONT-VARIANT-CAPS", "FONT", true},
        {"BORDER", "BORDER-IMAGE", true},
        // A logical side and a physical one, not two of either.
        {"MARGIN-LEFT", "MARGIN-INLINE-START", true},
        {"MARGIN-INLINE", "MARGIN-TOP", true},
        {"WIDTH", "INLINE-SIZE", true},
        {"BORDER-TOP-LEFT-RADIUS", "BORDER-START-START-RADIUS", true},
        {"MARGIN-TOP", "MARGIN-LEFT", false},
        {"MARGIN-INLINE-START", "MARGIN-BLOCK-START", false},
        {"OUTLINE", "OUTLINE-OFFSET", false},
        // A legacy alias; a prefix the catalogue lacks.
        {"-WEBKIT-BOX-SHADOW", "BOX-SHADOW", true},
        {"-MOZ-TRANSITION", "TRANSITION-DELAY", true},
        {"--X", "COLOR", false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(cssPropertiesOverlap(c.a, c.b), c.overlap) << c.a << " " << c.b;
        EXPECT_EQ(cssPropertiesOverlap(c.b, c.a), c.overlap) << c.b << " " << c.a;
    }
}

} // namespace
