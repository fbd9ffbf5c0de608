// Clearing a length, every way the user can, on every field, over rules
// with shorthands, !important, var() and nesting, in both layouts. The
// engine reads the sheets: the field's property is gone (unless a shorthand
// with a var() still gives it; a clip side becomes auto) and nothing else
// changed.
#include "../support/fake_host.h"
#include "../support/page_script.h"
#include "../support/scripted_questioner.h"
#include "../support/sheet_fixture.h"
#include "../support/window_fixture.h"

#include "core/editor/editor.h"
#include "core/preview/sheet_lowering.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>
#include <QWebEnginePage>

#include <functional>

namespace {

// For each [before, after, property, cleared]: what changed that should not
// have, or an empty text.
const char *const kJudge = R"(
(cases => {
  const read = text => {
    const sheet = new CSSStyleSheet();
    sheet.replaceSync(text);
    const out = {};
    for (const rule of sheet.cssRules) {
      if (!rule.style) continue;
      for (let i = 0; i < rule.style.length; ++i)
        out[rule.selectorText + ' ' + rule.style[i]] = rule.style.getPropertyValue(rule.style[i])
          + (rule.style.getPropertyPriority(rule.style[i]) ? ' !' : '');
    }
    return out;
  };
  const longhands = property => {
    const e = document.createElement('div');
    for (const value of [property === 'clip' ? 'auto' : '1px', '1', 'none', '0s']) {
      e.style.setProperty(property, value); // a number: flex-grow, order; a list: box-shadow
      if (e.style.length) break;
    }
    return Array.from(e.style);
  };
  return cases.map(([before, after, property, cleared]) => {
    const b = read(before), a = read(after), own = longhands(property), wrong = [];
    for (const key of new Set([...Object.keys(b), ...Object.keys(a)])) {
      const mine = own.some(name => key.endsWith(' ' + name));
      // A shorthand that cannot go leaves the part at its initial value.
      if (mine && cleared && a[key] && a[key] !== 'initial' && a[key] !== b[key]) wrong.push(key + ' still "' + a[key] + '"');
      if (!mine && a[key] !== b[key]) wrong.push(key + ': "' + b[key] + '" became "' + a[key] + '"');
    }
    return wrong.join('; ');
  });
})
)";

const char *cssProperty(Length field)
{
    static const char *const names[] = {"text-indent", "line-height", "word-spacing", "letter-spacing",
                                        "margin-top", "margin-bottom", "margin-left", "margin-right",
                                        "padding-top", "padding-bottom", "padding-left", "padding-right",
                                        "border-width", "clip", "clip", "clip", "clip",
                                        "top", "bottom", "left", "right", "height", "width",
                                        "row-gap", "column-gap", "flex-basis", "flex-grow", "flex-shrink", "order",
                                        "min-width", "max-width", "min-height", "max-height", "z-index",
                                        "border-radius", "border-top-left-radius", "border-top-right-radius",
                                        "border-bottom-right-radius", "border-bottom-left-radius", "outline-width",
                                        "outline-offset", "opacity",
                                        "box-shadow", "box-shadow", "box-shadow", "box-shadow", "box-shadow",
                                        "transform", "transform", "transform", "transform",
                                        "transition-duration", "transition-delay"};
    static_assert(std::size(names) == kLengthCount);
    return names[int(field)];
}

TEST(LengthClearing, EveryWayOfClearingEveryFieldLeavesTheRestAsTheEngineReadIt)
{
    const struct {
        const char *name;
        QByteArray sheet;
        int row;
    } rules[] = {
        {"Shorthands", ".x {\n  padding: 4px 8px;\n  margin: 1px 2px 3px;\n  border-width: 1px 2px;\n}\n", 0},
        {"ImportantAndVar",
         ".x {\n  PADDING: 4px !important;\n  margin: var(--m) 2px;\n  top: 1px; width: 5em; line-height: 1.5;\n"
         "  text-indent: 2px; clip: rect(1px, 2px, 3px, 4px);\n}\n",
         0},
        {"Nested", ".p {\n  color: red;\n  .x {\n    padding: 4px 8px;\n    margin: 0 auto;\n    left: 0;\n  }\n}\n", 1},
        {"FlexShorthands", ".x {\n  display: flex;\n  flex: 2 1 10px;\n  gap: 4px 8px;\n  order: -1 !important;\n}\n", 0},
        {"Sizes", ".x {\n  max-width: none;\n  min-height: 2em !important;\n  z-index: 2147483647;\n}\n", 0},
        {"Effects", ".x {\n  border-radius: 4px 8px 2px;\n  outline: 2px solid red;\n  opacity: .5;\n}\n", 0},
        {"Layers",
         ".x {\n  box-shadow: 0 1px 2px red, inset 0 0 4px blue;\n  transform: translate(4px, 2px) rotate(5deg) scale(1.5);\n"
         "  transition: opacity 150ms ease, color .3s linear 1s;\n}\n",
         0},
    };
    const struct {
        const char *name;
        bool clears;
        std::function<void(PanelController &, Length)> act;
    } ways[] = {
        {"DoubleClick", true, [](PanelController &p, Length f) { p.lengthDoubleClicked(f); }},
        {"EmptiedAndLeft", true,
         [](PanelController &p, Length f) {
             p.lengthTyped(f, "");
             p.lengthLeft(f, "");
         }},
        {"NoUnit", false,
         [](PanelController &p, Length f) {
             p.unitChosen(f, "");
             p.changeAndCommit();
         }},
    };
    QJsonArray cases;
    QStringList names;
    for (const bool keep : {true, false}) {
        for (const auto &rule : rules) {
            for (const auto &way : ways) {
                for (int f = 0; f < kLengthCount; ++f) {
                    FakeHost host;
                    ScriptedQuestioner questioner;
                    Editor editor{host, questioner};
                    SheetStore &store = editor.store();
                    store.setKeepUntouchedLayout(keep);
                    openText(store, rule.sheet);
                    editor.ListTagClick(rule.row);
                    const QByteArray before = store.sheetText();
                    way.act(editor.panelController(), Length(f));
                    cases.append(QJsonArray{QString::fromUtf8(lowerForPreview(before, "").text),
                                            QString::fromUtf8(lowerForPreview(store.sheetText(), "").text),
                                            QString::fromLatin1(cssProperty(Length(f))),
                                            way.clears && qstrcmp(cssProperty(Length(f)), "clip") != 0
                                                && f < int(Length::ShadowX)});
                    names.append(QStringLiteral("%1 %2 %3 %4").arg(keep ? "kept" : "program", rule.name, way.name,
                                                                   lengthName(Length(f))));
                }
            }
        }
    }
    const QVariantList verdicts = judgeInBlankPage(kJudge, cases);
    ASSERT_EQ(verdicts.size(), cases.size());
    for (qsizetype i = 0; i < verdicts.size(); ++i)
        EXPECT_TRUE(verdicts[i].toString().isEmpty()) << names[i].toStdString() << ": " << verdicts[i].toString().toStdString()
                                                     << "\n" << cases[i].toArray()[1].toString().toStdString();
}

// The same through the real widgets, once for each way, with the file's
// layout kept: only the shorthand's line changes.
class LengthClearingWindowTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith(".x {\n  padding: 4px 8px;\n}\n");
        form->store().setKeepUntouchedLayout(true);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        child<QTabWidget>("TABPANEL")->setCurrentIndex(1);
        top = child<QLineEdit>("PaddingTop");
        ASSERT_EQ(top->text(), QStringLiteral("4"));
    }
    QByteArray sheet() { return form->store().sheetText().replace("\r\n", "\n"); }
    QLineEdit *top = nullptr;
};

TEST_F(LengthClearingWindowTest, ADoubleClickSplitsTheShorthandInItsOwnStyle)
{
    doubleClick(top);
    EXPECT_EQ(sheet(), ".x {\n  padding-bottom: 4px;\n  padding-left: 8px;\n  padding-right: 8px;\n}\n");
}

TEST_F(LengthClearingWindowTest, EmptyingTheFieldAndTabbingAwaySplitsTheShorthand)
{
    QTest::mouseClick(top, Qt::LeftButton);
    top->selectAll();
    QTest::keyClick(top, Qt::Key_Delete);
    QTest::keyClick(top, Qt::Key_Tab);
    EXPECT_EQ(sheet(), ".x {\n  padding-bottom: 4px;\n  padding-left: 8px;\n  padding-right: 8px;\n}\n");
}

TEST_F(LengthClearingWindowTest, NoUnitWritesTheBareNumberAndTheButtonSaysSo)
{
    auto *unit = child<QToolButton>("PaddingTop_");
    QTest::mouseClick(unit, Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>("Z_off"), Qt::LeftButton);
    EXPECT_TRUE(sheet().contains("padding-top: 4;")) << sheet().constData();
    EXPECT_TRUE(unit->text().isEmpty()) << unit->text().toStdString();
}

} // namespace
