#include "../support/click_through.h"
#include "core/panels/declaration_reader.h"
#include "core/panels/declaration_writer.h"
#include "core/panels/panel_state.h"
#include "core/sheet/rule_memo.h"
#include "core/sheet/unsupported_comment.h"

#include <functional>

#include <gtest/gtest.h>

#include <random>

namespace {

class WriteRule : public testing::Test
{
protected:
    WriteRule() { ResetPanels(panels); }

    ByteLines write(const ByteLines &memoLines = {})
    {
        memo.setLines(memoLines);
        PanelsToDeclarations(panels, memo);
        return memo.lines();
    }

    PanelState panels;
    RuleMemo memo;
};

// One save settles a rule: the program's own output, read again, is
// written back the same. Logical sides the panels show are the case that
// moved at the second save.
TEST(SavedTwice, LogicalSidesReachAFixedPointAfterOneSave)
{
    const char *const bodies[] = {
        "  margin-inline-start: 0.25rem;\n  margin-inline-end: -0.375rem;\n",
        "  margin-left: 1px;\n  margin-inline-start: 0.25rem;\n",
        "  margin-inline-start: 0.25rem;\n  margin-left: 1px;\n",
        "  margin-inline: 1px 2px;\n  padding-inline-end: 3px;\n",
        "  padding-block: 1px;\n  padding-top: 2px;\n  inset-inline: 0;\n",
        "  margin: 0 auto;\n  margin-inline-start: .5em;\n",
    };
    for (const bool keep : {false, true}) {
        for (const char *body : bodies) {
            const QByteArray sheet = ".tag .delete {\n" + QByteArray(body) + "}\n.next {\n  color: red;\n}\n";
            const QByteArray once = clickThroughAndSave(sheet, keep).saved;
            EXPECT_EQ(clickThroughAndSave(once, keep).saved, once) << body << (keep ? " (file's layout)" : "");
        }
    }
}

TEST_F(WriteRule, NeutralPanelsWriteNothing)
{
    EXPECT_TRUE(write().isEmpty());
}

TEST_F(WriteRule, TheDocumentedExampleInOrder)
{
    panels.fontFamily = {"Verdana", 7, true, true};
    panels.fontFamily2 = {"serif", 1, true, true};
    panels.fontWeight = {"bold", 2, true, true};
    panels.fontSize = {"12", 3, true, true};
    panels.fontSizeUnit = "pt";
    panels.setDown(Group::TextAlign, 1);
    panels.length(Length::MarginTop) = {"10", true, "px"};
    panels.swatch(Swatch::Font) = {{255, 0, 0}, true};
    EXPECT_EQ(write({"CURSOR:HAND;"}),
              (ByteLines{"; Font-Family: Verdana, serif;", "; Font-weight: bold; Font-size: 12pt;",
                         "; Text-align: center;", "; Margin-top: 10px;", "; color: RED;", "  CURSOR:HAND;", ""}));
}

TEST_F(WriteRule, LengthFieldsWithoutANumberAreNeverWritten)
{
    panels.length(Length::MarginTop) = {"", true, "px"};
    panels.length(Length::MarginBottom) = {"-", true, "px"};
    panels.length(Length::MarginRight) = {"3", true, ""};
    panels.length(Length::ClipTop) = {".", true, "px"};
    panels.length(Length::ClipLeft) = {"-2", true, "px"};
    EXPECT_EQ(write(), (ByteLines{"; Margin-right: 3;", "; clip: rect(auto, auto, auto, -2px);"}));
}

TEST_F(WriteRule, KeywordFontSizeDropsTheUnit)
{
    panels.fontSize = {"small", 11, true, true};
    panels.fontSizeUnit = "px";
    EXPECT_EQ(write(), ByteLines{"; Font-size: small;"});
    EXPECT_TRUE(panels.fontSizeUnit.isEmpty());
}

TEST_F(WriteRule, AlternativeFamilyAloneWritesNothing)
{
    panels.fontFamily2 = {"serif", 1, true, true};
    EXPECT_TRUE(write().isEmpty());
}

TEST_F(WriteRule, TransparentBackgroundWinsOverTheSwatch)
{
    panels.backGroundTransparent = true;
    panels.swatch(Swatch::BackGround) = {{0, 0, 255}, true};
    EXPECT_EQ(write(), ByteLines{"; BackGround-color: transparent;"});
}

TEST_F(WriteRule, PictureSettingsNeedThePictureBox)
{
    panels.setDown(Group::BgPosition, 4);
    panels.setDown(Group::BgAttachment, 0);
    panels.setDown(Group::BgRepeat, 3);
    EXPECT_TRUE(write().isEmpty());
    panels.backGroundAtt.checked = true;
    panels.backGroundAtt.hint = "IMAGES/Sky.GIF";
    EXPECT_EQ(write(), (ByteLines{"; BackGround-Image: url(IMAGES/Sky.GIF);", "; BackGround-position: center center;",
                                  "; BackGround-Attachment: fixed;", "; BackGround-Repeat: repeat-x;"}));
}

TEST_F(WriteRule, ClipWritesAutoForEdgesNotInUse)
{
    panels.length(Length::ClipBottom) = {"5", true, "px"};
    EXPECT_EQ(write(), ByteLines{"; clip: rect(auto, auto, 5px, auto);"});
}

TEST_F(WriteRule, TwoPiecesOfARowShareALine)
{
    panels.length(Length::BlockTop) = {"0", true, "px"};
    panels.length(Length::BlockLeft) = {"0", true, "px"};
    EXPECT_EQ(write(), ByteLines{"; Top: 0px; Left: 0px;"});
}

TEST_F(WriteRule, KeptLinesAreIndentedOnceAndGeneratedLinesReplaced)
{
    EXPECT_EQ(write({"  two;", " one;", "none;", "", "; Typed: generated;"}),
              (ByteLines{"  two;", "   one;", "  none;", ""}));
}

TEST_F(WriteRule, BasePageRuleIsLeftAlone)
{
    panels.setDown(Group::TextAlign, 0);
    const ByteLines base = {"LINK_HTML=file:///site/index.html"};
    EXPECT_EQ(write(base), base);
}

TEST_F(WriteRule, ColoursUseNamesForTheSixteen)
{
    panels.swatch(Swatch::Font) = {{0x00, 0xFF, 0x00}, true};
    panels.swatch(Swatch::Border) = {{0x12, 0x34, 0x56}, true};
    EXPECT_EQ(write(), ByteLines{"; color: LIME; Border-color: #123456;"});
}

// Writing the panels and reading the text back gives the same panels.
TEST(PanelRoundTrip, ReadingWhatWasWrittenRestoresThePanels)
{
    std::mt19937 rng(20261207);
    auto chance = [&rng](int percent) { return std::uniform_int_distribution<int>(0, 99)(rng) < percent; };
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const QList<QByteArray> units = {"pc", "pt", "ih", "mm", "px", "%", "cm", "em", "ex", ""};

    for (int round = 0; round < 500; ++round) {
        PanelState panels;
        panels.familyItems.append({"Verdana", "DejaVu Sans"});
        ResetPanels(panels);
        if (chance(50)) {
            const int item = 1 + pick(panels.familyItems.size() - 1);
            panels.fontFamily = {panels.familyItems[item], item, true, true};
            if (chance(50)) {
                const int second = 1 + pick(5);
                panels.fontFamily2 = {panels.familyItems[second], second, true, true};
            }
        }
        if (chance(50)) {
            const int item = 1 + pick(PanelState::weightItems().size() - 1);
            panels.fontWeight = {PanelState::weightItems()[item], item, true, true};
            panels.fontSizeBold = item == 2;
        }
        if (chance(50)) {
            const int item = 1 + pick(PanelState::sizeItems().size() - 1);
            panels.fontSize = {PanelState::sizeItems()[item], item, true, true};
            panels.fontSizeUnit = units[pick(units.size())];
        }
        // The parts of shadows, transforms and transitions write through
        // their declarations, not on their own.
        for (int f = 0; f < int(Length::ShadowX); ++f) {
            LengthValue &length = panels.lengths[f];
            const FieldKind kind = fieldKind(static_cast<Length>(f));
            length.unit = kind == FieldKind::Length ? units[pick(units.size())] : QByteArray();
            const int number = kind == FieldKind::Percent ? pick(101) : kind == FieldKind::Number ? pick(1000) : pick(2000) - 1000;
            if (chance(30))
                length = {QByteArray::number(number) + (kind != FieldKind::Integer && chance(30) ? ".5" : ""), true,
                          length.unit};
        }
        // Corners the rule leaves to one border-radius read back as that one.
        if (panels.length(Length::BorderRadius).inUse) {
            for (const Length corner : {Length::RadiusTopLeft, Length::RadiusTopRight, Length::RadiusBottomRight,
                                        Length::RadiusBottomLeft}) {
                if (!panels.length(corner).inUse)
                    panels.length(corner) = panels.length(Length::BorderRadius);
            }
        }
        for (int g = 0; g < kGroupCount; ++g)
            panels.down[g] = chance(50) ? pick(groupButtons(static_cast<Group>(g)).size()) : -1;
        for (SwatchValue &swatch : panels.swatches)
            swatch = {{quint8(pick(256)), quint8(pick(256)), quint8(pick(256))}, chance(50)};
        panels.swatch(Swatch::Shadow) = {};
        panels.backGroundTransparent = chance(30);
        if (panels.backGroundTransparent)
            panels.swatch(Swatch::BackGround).checked = false;
        if (chance(50)) {
            panels.backGroundAtt = {true, true, "Sky.GIF", "img/Sky.GIF"};
        } else {
            panels.down[static_cast<int>(Group::BgPosition)] = -1;
            panels.down[static_cast<int>(Group::BgAttachment)] = -1;
            panels.down[static_cast<int>(Group::BgRepeat)] = -1;
        }

        RuleMemo memo;
        PanelsToDeclarations(panels, memo);
        const PanelState *written = &panels;
        PanelState expected;
        expected.fontFamily = written->fontFamily;
        expected.fontFamily2 = written->fontFamily2;
        expected.fontWeight = written->fontWeight;
        expected.fontSize = written->fontSize;
        expected.fontSizeUnit = written->fontSizeUnit;
        expected.fontSizeBold = written->fontSizeBold;
        expected.lengths = written->lengths;
        expected.down = written->down;
        expected.swatches = written->swatches;
        expected.backGroundTransparent = written->backGroundTransparent;
        expected.backGroundAtt.checked = written->backGroundAtt.checked;
        expected.backGroundAtt.hint = written->backGroundAtt.hint;

        const ByteLines text = memo.lines();
        DeclarationsToPanels(panels, memo);
        SCOPED_TRACE(joinLines(text).toStdString());
        ASSERT_EQ(memo.lines(), text) << "reading must not change the text it wrote";
        EXPECT_EQ(panels.fontFamily.inUse, expected.fontFamily.inUse);
        if (expected.fontFamily.inUse) {
            EXPECT_EQ(panels.fontFamily.text, expected.fontFamily.text);
            EXPECT_EQ(panels.fontFamily2.inUse, expected.fontFamily2.inUse);
        }
        EXPECT_EQ(panels.fontWeight.inUse, expected.fontWeight.inUse);
        if (expected.fontWeight.inUse)
            EXPECT_EQ(panels.fontWeight.text, expected.fontWeight.text);
        EXPECT_EQ(panels.fontSizeBold, expected.fontSizeBold);
        EXPECT_EQ(panels.fontSize.inUse, expected.fontSize.inUse);
        if (expected.fontSize.inUse) {
            EXPECT_EQ(panels.fontSize.text, expected.fontSize.text);
            EXPECT_EQ(panels.fontSizeUnit, expected.fontSizeUnit);
        }
        for (int i = 0; i < kLengthCount; ++i) {
            SCOPED_TRACE(lengthName(static_cast<Length>(i)));
            EXPECT_EQ(panels.lengths[i].inUse, expected.lengths[i].inUse);
            if (expected.lengths[i].inUse) {
                EXPECT_EQ(panels.lengths[i].text, expected.lengths[i].text);
                // The unit reads as written; a bare zero offers px for the
                // next number typed, and is written back bare until then.
                const bool clip = i >= int(Length::ClipTop) && i <= int(Length::ClipRight);
                const bool bare = expected.lengths[i].unit.isEmpty() && i != int(Length::LineHeight) && !clip
                                  && fieldKind(static_cast<Length>(i)) == FieldKind::Length
                                  && expected.lengths[i].text.toDouble() == 0;
                EXPECT_EQ(panels.lengths[i].unit, bare ? QByteArray("px") : expected.lengths[i].unit);
            }
        }
        EXPECT_EQ(panels.down, expected.down);
        for (int s = 0; s < kSwatchCount; ++s) {
            EXPECT_EQ(panels.swatches[s].checked, expected.swatches[s].checked);
            if (expected.swatches[s].checked)
                EXPECT_EQ(panels.swatches[s].color, expected.swatches[s].color);
        }
        EXPECT_EQ(panels.backGroundTransparent, expected.backGroundTransparent);
        EXPECT_EQ(panels.backGroundAtt.checked, expected.backGroundAtt.checked);
        if (expected.backGroundAtt.checked)
            EXPECT_EQ(panels.backGroundAtt.hint, expected.backGroundAtt.hint);
        if (HasFailure())
            return;
    }
}

} // namespace

namespace {

// A rule read into the panels, one control changed, the rule written: the
// memo's declarations, one a line, without the comment line.
QByteArray afterChange(const ByteLines &rule, const std::function<void(PanelState &)> &change)
{
    PanelState panels;
    RuleMemo memo;
    memo.setLines(rule);
    DeclarationsToPanels(panels, memo);
    change(panels);
    PanelsToDeclarations(panels, memo);
    QByteArray text;
    for (const QByteArray &line : memo.lines()) {
        if (!line.isEmpty() && line.trimmed() != unsupportedComment())
            text += line.trimmed() + "|";
    }
    return text;
}

TEST(PanelChangeTakesEffect, KeptDeclarationsOfThePropertyGiveWayAndShorthandsKeepTheRest)
{
    auto padTop = [](const char *text) {
        return [text](PanelState &p) { p.length(Length::PaddingTop) = {text, true, "px"}; };
    };
    auto blue = [](PanelState &p) { p.swatch(Swatch::Font) = {{0, 0, 255}, true}; };
    auto noColor = [](PanelState &p) { p.swatch(Swatch::Font).checked = false; };
    const struct {
        ByteLines rule;
        std::function<void(PanelState &)> change;
        const char *expected;
    } cases[] = {
        // Untouched, values stay as written.
        {{"color: oklch(55% 0.2 30);", "width: 1.5REM;"}, [](PanelState &) {}, "; color: oklch(55% 0.2 30);|; Width: 1.5REM;|"},
        // The property itself: the kept declaration goes, its priority stays.
        {{"color: red;", "color: var(--brand) !important;"}, blue, "; color: BLUE !important;|"},
        {{"width: calc(100% - 1px);"}, [](PanelState &p) { p.length(Length::BlockWidth) = {"50", true, "px"}; },
         "; Width: 50px;|"},
        // A shorthand keeps its other sides; the new side is written after it.
        {{"padding: 4px;"}, padTop("10"), "padding:4px;|; Padding-top: 10px;|"},
        {{"padding: var(--a) var(--b);"}, padTop("1"), "padding:var(--a) var(--b);|; Padding-top: 1px;|"},
        {{"padding: 4px !important;"}, padTop("2"), "padding:4px !important;|; Padding-top: 2px !important;|"},
        {{"padding-top: 1px;", "padding: 4px;"}, padTop("3"), "padding:4px;|; Padding-top: 3px;|"},
        {{"border: 1px solid var(--c);"}, blue, "; color: BLUE;|border:1px solid var(--c);|"},
        {{"background: #fff url(a.png);"}, [](PanelState &p) { p.swatch(Swatch::BackGround) = {{0, 0, 0}, true}; },
         "background:#fff url(a.png);|; BackGround-color: BLACK;|"},
        // Taken out: a plain shorthand leaves its other sides.
        {{"padding: 1px 2px 3px;"}, [](PanelState &p) { p.length(Length::PaddingTop) = {"", false, "px"}; },
         "padding-right: 2px;|padding-bottom: 3px;|padding-left: 2px;|"},
        {{"color: red;", "color: oklch(50% 0.1 20);"}, noColor, ""},
        {{"border: 1px solid red;"}, [](PanelState &p) { p.swatch(Swatch::Border).checked = false; },
         "border: 1px solid;|"},
        {{"background: #fff url(a.png) !important;"},
         [](PanelState &p) { p.swatch(Swatch::BackGround).checked = false; }, "background: url(a.png) !important;|"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(afterChange(c.rule, c.change), c.expected) << joinLines(c.rule).constData();
}

} // namespace
