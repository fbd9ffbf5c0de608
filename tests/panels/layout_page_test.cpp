// The layout page through the real widgets: a row of cards made a wrapped
// column by its buttons and fields, grid tracks typed, refused and added,
// and the lines of a grid drawn over the preview where the engine lays it.
#include "../support/window_fixture.h"
#include "window/panels/easing_curve.h"
#include "window/preview/outline_overlay.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QApplication>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWebEngineView>

namespace {

class LayoutPageTest : public WindowTest
{
protected:
    void open(const QByteArray &sheet)
    {
        startWith(sheet);
        form->store().setKeepUntouchedLayout(true);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        auto *pages = child<QTabWidget>("TABPANEL");
        pages->setCurrentWidget(child<QWidget>("LayoutBox"));
    }
    void click(const char *name) { QTest::mouseClick(child<QToolButton>(name), Qt::LeftButton); }
    void type(const char *field, const QString &text)
    {
        auto *edit = child<QLineEdit>(field);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QByteArray sheet() { return form->store().sheetText().replace("\r\n", "\n"); }
};

TEST_F(LayoutPageTest, TheButtonsMakeARowAWrappedCentredColumnOneLineEach)
{
    open(".cards {\n  display: flex;\n}\n");
    click("Flex_Direction_Column");
    click("Flex_Wrap_Wrap");
    click("Align_Items_Center");
    type("RowGap", QStringLiteral("16"));
    // One line each, in whatever order they came.
    QByteArrayList lines = sheet().split('\n');
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (QByteArrayList{"", "  align-items: center;", "  display: flex;", "  flex-direction: column;",
                                     "  flex-wrap: wrap;", "  row-gap: 16px;", ".cards {", "}"}));
    // The rule's own display is flex: start and end take their flex forms.
    click("Justify_Content_End");
    EXPECT_TRUE(sheet().contains("  justify-content: flex-end;\n")) << sheet().constData();
    // A click on the pressed button takes the property out.
    click("Flex_Wrap_Wrap");
    EXPECT_FALSE(sheet().contains("flex-wrap")) << sheet().constData();
    EXPECT_FALSE(child<QToolButton>("Flex_Wrap_Wrap")->isChecked());
}

TEST_F(LayoutPageTest, ShorthandsShowInEveryFieldTheySetAndWrittenWordsStay)
{
    open(".x {\n  flex: 1;\n  gap: 4px 2em;\n  place-items: self-start center;\n  order: -3;\n}\n");
    EXPECT_EQ(child<QLineEdit>("FlexGrow")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLineEdit>("FlexShrink")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLineEdit>("FlexBasis")->text(), QStringLiteral("0"));
    EXPECT_EQ(child<QToolButton>("FlexBasis_")->text(), QStringLiteral("%"));
    EXPECT_EQ(child<QLineEdit>("RowGap")->text(), QStringLiteral("4"));
    EXPECT_EQ(child<QLineEdit>("ColumnGap")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<QToolButton>("ColumnGap_")->text(), QStringLiteral("em"));
    EXPECT_TRUE(child<QToolButton>("Align_Items_Start")->isChecked());
    EXPECT_TRUE(child<QToolButton>("Justify_Items_Center")->isChecked());
    EXPECT_EQ(child<QLineEdit>("Order")->text(), QStringLiteral("-3"));
    // Another control changed: what the rule wrote stays as it was.
    click("Flex_Direction_Row");
    EXPECT_EQ(sheet().toStdString(), ".x {\n  flex: 1;\n  gap: 4px 2em;\n  place-items: self-start center;\n  order: -3;\n"
                       "  flex-direction: row;\n}\n");
}

TEST_F(LayoutPageTest, ATrackListIsCheckedAddedToAndShortened)
{
    open(".g {\n  display: grid;\n}\n");
    const QByteArray before = sheet();
    type("GridTemplateColumns", QStringLiteral("1fr banana"));
    EXPECT_EQ(sheet(), before);
    EXPECT_EQ(form->statusBar()->currentMessage(), QStringLiteral("Это не список дорожек сетки"));
    EXPECT_EQ(child<QLineEdit>("GridTemplateColumns")->text(), QStringLiteral("1fr banana")) << "kept to be put right";
    type("GridTemplateColumns", QStringLiteral("[a] minmax(100px, 1fr) repeat(auto-fill, 20%)"));
    EXPECT_TRUE(sheet().contains("  grid-template-columns: [a] minmax(100px, 1fr) repeat(auto-fill, 20%);\n"));
    // Beside an automatic repeat a fixed track is added, and the repeat is
    // not taken off by the button.
    click("GridAddColumn");
    EXPECT_TRUE(sheet().contains("  grid-template-columns: [a] minmax(100px, 1fr) repeat(auto-fill, 20%) 20%;\n"))
        << sheet().constData();
    EXPECT_TRUE(form->statusBar()->currentMessage().startsWith(QStringLiteral("Рядом с автоматическим повтором")));
    click("GridRemoveColumn");
    click("GridRemoveColumn");
    EXPECT_TRUE(sheet().contains("  grid-template-columns: [a] minmax(100px, 1fr) repeat(auto-fill, 20%);\n"))
        << sheet().constData();
    EXPECT_TRUE(form->statusBar()->currentMessage().startsWith(QStringLiteral("Автоматический повтор")));
    type("GridTemplateColumns", QStringLiteral("repeat(3, 1fr)"));
    click("GridRemoveColumn");
    EXPECT_TRUE(sheet().contains("  grid-template-columns: repeat(2, 1fr);\n")) << sheet().constData();
    click("GridAddRow");
    click("GridAddRow");
    EXPECT_TRUE(sheet().contains("  grid-template-rows: 1fr 1fr;\n")) << sheet().constData();
    QTest::mouseClick(child<QCheckBox>("Grid_Auto_Flow_Dense"), Qt::LeftButton);
    click("Grid_Auto_Flow_Column");
    EXPECT_TRUE(sheet().contains("  grid-auto-flow: column dense;\n")) << sheet().constData();
}

TEST_F(LayoutPageTest, AContainerPropertyOnNoContainerIsSaidOnce)
{
    open(".p {\n  color: red;\n}\n");
    form->editor().panels().layoutContext = {true, 2, 0, 0, 0, 0};
    click("Justify_Content_Center");
    EXPECT_EQ(form->statusBar()->currentMessage(), QStringLiteral("Свойство действует только на flex- и grid-контейнеры"));
    form->statusBar()->clearMessage();
    click("Align_Items_End");
    EXPECT_TRUE(form->statusBar()->currentMessage().isEmpty()) << "said once";
    // No flex container known: start and end keep their own forms.
    EXPECT_TRUE(sheet().contains("align-items: end;")) << sheet().constData();
    type("Order", QStringLiteral("2"));
    EXPECT_EQ(form->statusBar()->currentMessage(),
              QStringLiteral("Свойство действует только на элементы flex- и grid-контейнеров"));
}

// The grid's tracks and gaps, drawn over the page, stand where the engine
// lays the grid out, allowing for padding and centred content; the page
// itself is left as it was.
TEST_F(LayoutPageTest, GridLinesAreDrawnWhereTheEngineLaysTheTracks)
{
    const QString page = dir.filePath(QStringLiteral("grid.html"));
    QFile out(page);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"site.css\"></head><body style=\"margin: 0\">"
              "<div class=\"g\" style=\"width: 500px\"><i id=\"a\">1</i><i id=\"b\">2</i><i id=\"c\">3</i></div></body></html>");
    out.close();
    startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8()
              + ";\r\n}\r\n.g {\r\ndisplay: grid;\r\ngrid-template-columns: 60px 70px 80px;\r\ncolumn-gap: 12px;\r\n"
                "padding: 10px 30px;\r\njustify-content: center;\r\nmax-width: 300px;\r\n}\r\n");
    auto *view = child<QWebEngineView>("PreBrowser");
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    ASSERT_TRUE(loaded.wait(30000));
    auto evaluate = [&](const QString &script) {
        QVariant result;
        bool answered = false;
        view->page()->runJavaScript(script, [&](const QVariant &value) {
            result = value;
            answered = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 20000));
        return result;
    };
    const QString styles = QStringLiteral("JSON.stringify(Array.from(document.querySelectorAll('html, html *')).map(e => "
                                          "Array.from(getComputedStyle(e)).map(p => getComputedStyle(e).getPropertyValue(p))))");
    const QString before = evaluate(styles).toString();
    auto *list = child<QListWidget>("ListTag");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    auto *overlay = child<OutlineOverlay>("PreviewOutlines");
    ASSERT_TRUE(QTest::qWaitFor([&] { return overlay->gaps().size() == 2; }, 10000));
    // Each item fills its column: the column tracks are the items' boxes across.
    for (const char *id : {"a", "b", "c"}) {
        const QVariantList item = evaluate(QStringLiteral("(function(){ const r = document.getElementById('%1')"
                                                          ".getBoundingClientRect(); return [r.left, r.width]; })()")
                                               .arg(QLatin1String(id)))
                                      .toList();
        const bool found = std::any_of(overlay->tracks().begin(), overlay->tracks().end(), [&](const QRectF &t) {
            return std::abs(t.left() - item[0].toDouble()) <= 1 && std::abs(t.width() - item[1].toDouble()) <= 1;
        });
        EXPECT_TRUE(found) << id << " at " << item[0].toDouble() << ", " << item[1].toDouble();
    }
    EXPECT_NEAR(overlay->gaps()[0].width(), 12, 1);
    EXPECT_EQ(evaluate(styles).toString(), before);
    EXPECT_EQ(evaluate(QStringLiteral("document.getElementsByTagName('*').length")).toInt(), 8);
    // Switched off, the lines go.
    QTest::mouseClick(child<QCheckBox>("LayoutOverlay"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return overlay->tracks().isEmpty(); }, 10000));
}

} // namespace

namespace {

// The effects page through its real widgets.
class EffectsPageTest : public LayoutPageTest
{
protected:
    void openEffects(const QByteArray &text)
    {
        open(text);
        child<QTabWidget>("TABPANEL")->setCurrentWidget(child<QWidget>("EffectsBox"));
    }
};

TEST_F(EffectsPageTest, ADragOfTheOpacitySliderIsOneUndoStep)
{
    openEffects(".x {\n  color: red;\n}\n");
    auto *slider = child<QSlider>("Opacity");
    const int before = form->store().history().pos;
    // Pressed on the handle, dragged to the left, let go.
    const QPoint handle(slider->width() - 4, slider->height() / 2);
    QTest::mousePress(slider, Qt::LeftButton, {}, handle);
    for (int x = handle.x(); x > slider->width() / 2; x -= 8)
        QTest::mouseMove(slider, QPoint(x, handle.y()));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, handle.y()));
    EXPECT_EQ(form->store().history().pos, before + 1);
    const int shown = slider->value();
    EXPECT_GT(shown, 30);
    EXPECT_LT(shown, 70);
    EXPECT_TRUE(sheet().contains(QByteArray("  opacity: 0.") + QByteArray::number(shown).left(1))) << sheet().constData();
    EXPECT_EQ(child<QLineEdit>("OpacityValue")->text(), QString::number(shown));
}

TEST_F(EffectsPageTest, CornersShowTheShorthandAndAllCornersTakeThemOver)
{
    openEffects(".x {\n  border-radius: 4px 8px 2px;\n  cursor: pointer;\n}\n");
    EXPECT_EQ(child<QLineEdit>("RadiusTopLeft")->text(), QStringLiteral("4"));
    EXPECT_EQ(child<QLineEdit>("RadiusTopRight")->text(), QStringLiteral("8"));
    EXPECT_EQ(child<QLineEdit>("RadiusBottomRight")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<QLineEdit>("RadiusBottomLeft")->text(), QStringLiteral("8"));
    EXPECT_EQ(child<QComboBox>("Cursor")->currentText(), QStringLiteral("pointer"));
    type("RadiusBottomLeft", QStringLiteral("6"));
    EXPECT_TRUE(sheet().contains("  border-bottom-left-radius: 6px;\n")) << sheet().constData();
    type("BorderRadius", QStringLiteral("10"));
    EXPECT_FALSE(sheet().contains("border-bottom-left-radius")) << sheet().constData();
    EXPECT_TRUE(sheet().contains("  border-radius: 10px;\n")) << sheet().constData();
    QTest::mouseClick(child<QCheckBox>("PointerEventsNone"), Qt::LeftButton, {}, QPoint(4, 6));
    EXPECT_TRUE(sheet().contains("  pointer-events: none;\n")) << sheet().constData();
}


TEST_F(EffectsPageTest, AShadowLayerIsEditedInPartsAndOneShownAsWrittenIsLocked)
{
    openEffects(".x {\n  box-shadow: 0 1px red, inset 0 0 4px var(--c);\n}\n");
    auto *list = child<QListWidget>("ShadowList");
    ASSERT_EQ(list->count(), 2);
    auto *parts = child<QWidget>("ShadowParts");
    EXPECT_TRUE(parts->isEnabled());
    EXPECT_EQ(child<QLineEdit>("ShadowY")->text(), QStringLiteral("1"));
    // The second layer holds a var(): its parts are shown as written.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_FALSE(parts->isEnabled());
    EXPECT_TRUE(child<QLabel>("ShadowPartsNote")->isVisibleTo(form.get()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    type("ShadowBlur", QStringLiteral("3"));
    EXPECT_TRUE(sheet().contains("  box-shadow: 0 1px 3px red, inset 0 0 4px var(--c);\n")) << sheet().constData();
    QTest::mouseClick(child<QCheckBox>("ShadowInset"), Qt::LeftButton, {}, QPoint(4, 6));
    EXPECT_TRUE(sheet().contains("  box-shadow: inset 0 1px 3px red, inset")) << sheet().constData();
    click("ShadowAdd");
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 2);
    click("ShadowDelete");
    click("ShadowDelete");
    EXPECT_EQ(list->count(), 1);
    EXPECT_TRUE(sheet().contains("  box-shadow: inset 0 1px 3px red;\n")) << sheet().constData();
}

TEST_F(EffectsPageTest, TransformsKeepTheRuleFormAndADragOfTheCurveIsOneUndoStep)
{
    openEffects(".x {\n  transform: translateY(-1px);\n  transition: opacity 1s ease, color 2s;\n}\n");
    type("Rotate", QStringLiteral("2"));
    EXPECT_TRUE(sheet().contains("  transform: translateY(-1px) rotate(2deg);\n")) << sheet().constData();
    auto *list = child<QListWidget>("TransitionList");
    ASSERT_EQ(list->count(), 2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    type("TransitionDuration", QStringLiteral("150"));
    EXPECT_TRUE(sheet().contains("  transition: opacity 1s ease, color 0.15s;\n")) << sheet().constData();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    auto *curve = child<EasingCurve>("EasingCurve");
    const int before = form->store().history().pos;
    const QPoint handle = curve->handleAt(1).toPoint();
    QTest::mousePress(curve, Qt::LeftButton, {}, handle);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(curve, handle + QPoint(0, 6 * step));
    QTest::mouseRelease(curve, Qt::LeftButton, {}, handle + QPoint(0, 24));
    EXPECT_EQ(form->store().history().pos, before + 1);
    EXPECT_TRUE(sheet().contains("  transition: opacity 1s cubic-bezier(0.25, 0.1, 0.25, 0.")) << sheet().constData();
    EXPECT_EQ(child<QComboBox>("TransitionTiming")->currentText().left(13), QStringLiteral("cubic-bezier("));
}

TEST_F(EffectsPageTest, LogicalSidesAndBorderSidesWriteTheirOwnProperties)
{
    open(".x {\n  margin-inline: 0 auto;\n  padding-inline-start: 4px;\n  border-bottom: 1px solid red;\n}\n");
    auto *padding = child<QLineEdit>("PaddingLeft");
    EXPECT_EQ(padding->text(), QStringLiteral("4"));
    EXPECT_TRUE(padding->font().italic());
    EXPECT_TRUE(padding->toolTip().contains(QStringLiteral("padding-inline-start")));
    type("PaddingLeft", QStringLiteral("6"));
    EXPECT_TRUE(sheet().contains("  padding-inline-start: 6px;\n")) << sheet().constData();
    // Shown from the shorthand, the end side is written after it, by its name.
    EXPECT_EQ(child<QLineEdit>("MarginRight")->text(), QStringLiteral("auto"));
    type("MarginRight", QStringLiteral("2"));
    EXPECT_TRUE(sheet().contains("margin-inline: 0 auto;")) << sheet().constData();
    EXPECT_TRUE(sheet().contains("margin-inline-end: 2px;")) << sheet().constData();
    EXPECT_FALSE(sheet().contains("margin-right")) << sheet().constData();
    // Bottom shows the side's border; a width under Top writes the top alone.
    click("BorderSide_Bottom");
    EXPECT_EQ(child<QLineEdit>("BorderWidth")->text(), QStringLiteral("1"));
    EXPECT_TRUE(child<QToolButton>("BorderSolid")->isChecked());
    click("BorderSide_Top");
    EXPECT_EQ(child<QLineEdit>("BorderWidth")->text(), QString());
    type("BorderWidth", QStringLiteral("3"));
    EXPECT_TRUE(sheet().contains("border-top-width: 3px;")) << sheet().constData();
    EXPECT_TRUE(sheet().contains("border-bottom: 1px solid red;")) << sheet().constData();
    click("BorderSide_All");
    EXPECT_EQ(child<QLineEdit>("BorderWidth")->text(), QString());
}

TEST_F(EffectsPageTest, ContentIsQuotedForBeforeAndAfterRules)
{
    openEffects(".x::before {\n  color: red;\n}\n.y {\n  color: blue;\n}\n");
    auto *content = child<QLineEdit>("Content");
    EXPECT_TRUE(content->isVisibleTo(form.get()));
    QTest::mouseClick(content, Qt::LeftButton);
    // An arrow has no key of its own: it comes as typed text.
    QTest::sendKeyEvent(QTest::Click, content, Qt::Key_unknown, QStringLiteral("→"), Qt::NoModifier);
    QTest::keyClick(content, Qt::Key_Space);
    QTest::keyClick(content, Qt::Key_Return);
    EXPECT_TRUE(sheet().contains("  content: \"→ \";\n")) << sheet().constData();
    auto *list = child<QListWidget>("ListTag");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_FALSE(content->isVisibleTo(form.get()));
}


// The page scrolling on is Qt's passing of a wheel the box leaves, which it
// does for a real wheel only: tried with the mouse.
TEST_F(EffectsPageTest, TheWheelLeavesABoxWithoutFocusAlone)
{
    openEffects(".x {\n  color: red;\n}\n");
    const QByteArray before = sheet();
    auto *page = child<QScrollArea>("EffectsBox");
    auto *box = child<QComboBox>("OutlineStyle");
    page->ensureWidgetVisible(box);
    for (int turn = 0; turn < 3; ++turn) {
        QWheelEvent wheel(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &wheel);
    }
    EXPECT_EQ(box->currentText(), QString());
    EXPECT_EQ(sheet(), before);
}


TEST_F(EffectsPageTest, AnotherRuleStartsAtItsFirstLayer)
{
    openEffects(".a {\n  box-shadow: 0 1px red, 0 2px blue;\n}\n.b {\n  box-shadow: 0 3px green, 0 4px black;\n}\n");
    auto *list = child<QListWidget>("ShadowList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(child<QLineEdit>("ShadowY")->text(), QStringLiteral("2"));
    // A change keeps the layer chosen.
    type("ShadowBlur", QStringLiteral("5"));
    EXPECT_EQ(list->currentRow(), 1);
    auto *rules = child<QListWidget>("ListTag");
    QTest::mouseClick(rules->viewport(), Qt::LeftButton, {}, rules->visualItemRect(rules->item(1)).center());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(child<QLineEdit>("ShadowY")->text(), QStringLiteral("3"));
}

} // namespace
