// The colour picker on its own and as the colour swatches use it.
#include "window/stylelist/color_form.h"

#include "../support/window_fixture.h"

#include <QTabWidget>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

// Where the pointer stands over the palette: image coordinates.
QPoint cellCentre(int row, int column)
{
    return {column * 11 + 5, row * 15 + 7};
}

class ColorFormTest : public testing::Test
{
protected:
    // Runs the picker modally; while it is open, the gesture acts on it.
    int pick(const std::function<void()> &gesture)
    {
        QTimer::singleShot(0, &form, gesture);
        form.exec();
        return form.chosenColor();
    }

    // The pointer comes from outside the palette (Qt drops a move to where
    // the pointer already is).
    void hover(QPoint at)
    {
        QTest::mouseMove(form.windowHandle(), QPoint(1, 1));
        QTest::mouseMove(form.windowHandle(), image()->mapTo(&form, at));
    }

    QWidget *image() { return form.findChild<QWidget *>(QStringLiteral("Image1")); }
    QString hexLabel() { return form.findChild<QLabel *>(QStringLiteral("ResColorHex"))->text(); }

    TColorForm form;
};

TEST_F(ColorFormTest, ShowsTheStartColourAndItsText)
{
    form.setStartColor(QColor(0x12, 0x34, 0x56));
    QString shown;
    EXPECT_EQ(pick([&] {
                  shown = hexLabel();
                  form.close();
              }),
              -1);
    EXPECT_EQ(shown, QStringLiteral("#123456"));
    EXPECT_EQ(form.size(), QSize(214, 222));
}

TEST_F(ColorFormTest, AClickTakesTheColourUnderThePointer)
{
    struct Case {
        int row, column;
        int color;
        const char *text;
    };
    const Case cases[] = {{0, 0, 0x000000, "#000000"}, {11, 17, 0xFFFFFF, "#FFFFFF"}, {1, 12, 0xFF0000, "#FF0000"}};
    for (const Case &c : cases) {
        QString shown;
        const int chosen = pick([&] {
            hover(cellCentre(c.row, c.column));
            shown = hexLabel();
            QTest::mouseClick(image(), Qt::LeftButton, {}, cellCentre(c.row, c.column));
        });
        EXPECT_EQ(chosen, c.color) << c.text;
        EXPECT_EQ(shown, QLatin1String(c.text));
    }
}

TEST_F(ColorFormTest, CellBordersKeepTheLastPreview)
{
    const int chosen = pick([&] {
        hover(cellCentre(1, 12));
        const QPoint border(11 * 13, 15 + 7); // left edge of the next cell
        hover(border);
        QTest::mouseClick(image(), Qt::LeftButton, {}, border);
    });
    EXPECT_EQ(chosen, 0xFF0000);
}

TEST_F(ColorFormTest, CloseButtonChoosesNothing)
{
    EXPECT_EQ(pick([&] {
                  hover(cellCentre(3, 3));
                  QTest::mouseClick(form.findChild<QToolButton *>(QStringLiteral("SpeedButton1")), Qt::LeftButton);
              }),
              -1);
}

TEST_F(ColorFormTest, ExactChoiceGoesThroughTheSystemDialog)
{
    const int chosen = pick([&] {
        QTimer::singleShot(0, &form, [] {
            auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setCurrentColor(QColor(0x12, 0xAB, 0x34));
            dialog->accept();
        });
        QTest::mouseClick(form.findChild<QToolButton *>(QStringLiteral("DL")), Qt::LeftButton);
    });
    EXPECT_EQ(chosen, 0x12AB34);
}

class SwatchTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith("p {\r\nmargin-top: 4px;\r\n}\r\n");
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
    }

    // Clicks a swatch; the gesture acts on the picker it opens.
    void clickSwatch(const char *swatch, const std::function<void(TColorForm *)> &gesture)
    {
        TColorForm *picker = form->colorForm();
        bool ran = false;
        QTimer::singleShot(0, picker, [&] {
            ran = picker->isVisible();
            gesture(picker);
        });
        QTest::mouseClick(child<QWidget>(swatch), Qt::LeftButton);
        EXPECT_TRUE(ran) << "the picker opened and the gesture ran in it";
    }

    static void pickCell(TColorForm *picker, int row, int column)
    {
        QWidget *image = picker->findChild<QWidget *>(QStringLiteral("Image1"));
        QTest::mouseMove(picker->windowHandle(), image->mapTo(picker, cellCentre(row, column)));
        QTest::mouseClick(image, Qt::LeftButton, {}, cellCentre(row, column));
    }
};

TEST_F(SwatchTest, PickedColourReachesTheRuleTheSheetViewAndTheFile)
{
    clickSwatch("FontColor", [](TColorForm *picker) { pickCell(picker, 0, 5); });
    EXPECT_TRUE(child<QCheckBox>("FontColorCheck")->isChecked()) << form->store().sheetText().constData();
    EXPECT_TRUE(form->store().sheetText().contains("color: BLUE;")) << form->store().sheetText().constData();
    child<QTabWidget>("Viewer")->setCurrentIndex(1);
    EXPECT_TRUE(child<QPlainTextEdit>("HCSSMemo")->toPlainText().contains(QStringLiteral("color: BLUE;")));
    child<QAction>("Save")->trigger();
    EXPECT_TRUE(fileText().contains("color: BLUE;")) << fileText().constData();
}

TEST_F(SwatchTest, ClosingThePickerLeavesTheSwatchAsItWas)
{
    const QColor before = child<ColorSwatch>("BorderColor")->color();
    const QByteArray sheet = form->store().sheetText();
    clickSwatch("BorderColor", [](TColorForm *picker) { picker->close(); });
    EXPECT_EQ(child<ColorSwatch>("BorderColor")->color(), before);
    EXPECT_FALSE(child<QCheckBox>("BorderColorCheck")->isChecked());
    EXPECT_EQ(form->store().sheetText(), sheet);
}

TEST_F(SwatchTest, ThePickerReopenedAfterAPickAndClosedChangesNothing)
{
    clickSwatch("FontColor", [](TColorForm *picker) { pickCell(picker, 0, 5); });
    ASSERT_TRUE(form->store().sheetText().contains("color: BLUE;")) << form->store().sheetText().constData();
    const QByteArray sheet = form->store().sheetText();
    const int undoSteps = form->store().history().pos;
    const QColor border = child<ColorSwatch>("BorderColor")->color();
    clickSwatch("BorderColor", [](TColorForm *picker) { QTest::keyClick(picker, Qt::Key_Escape); });
    clickSwatch("BorderColor", [](TColorForm *picker) { picker->close(); }); // the close box
    EXPECT_EQ(form->store().sheetText(), sheet);
    EXPECT_EQ(form->store().history().pos, undoSteps);
    EXPECT_EQ(child<ColorSwatch>("BorderColor")->color(), border);
    EXPECT_FALSE(child<QCheckBox>("BorderColorCheck")->isChecked());
}

} // namespace
