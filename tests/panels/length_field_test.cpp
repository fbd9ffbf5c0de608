// The length fields and the unit chooser as the user works them: real
// mouse and key events on the real widgets.
#include "../support/window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

class LengthFieldWindowTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith("h1 {\r\nmargin-top: 4px;\r\n}\r\n", Layout::Program);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        child<QTabWidget>("TABPANEL")->setCurrentIndex(1);
    }

    QToolButton *stepper(const char *field, bool up)
    {
        auto *upDown = child<UpDown>(field);
        return up ? upDown->upButton() : upDown->downButton();
    }

    QByteArray sheet() { return form->store().sheetText(); }
};

TEST_F(LengthFieldWindowTest, StepOfTheStepperIsWrittenIntoTheRule)
{
    auto *edit = child<QLineEdit>("MarginBottom");
    QTest::mouseClick(stepper("MarginBottomUpDown", true), Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    EXPECT_TRUE(isInUse(edit));
    EXPECT_TRUE(sheet().contains("Margin-bottom: 1px;")) << sheet().constData();

    QTest::mouseClick(stepper("MarginBottomUpDown", false), Qt::LeftButton);
    QTest::mouseClick(stepper("MarginBottomUpDown", false), Qt::LeftButton);
    EXPECT_TRUE(sheet().contains("Margin-bottom: -1px;")) << sheet().constData();
}

TEST_F(LengthFieldWindowTest, SteppingALoneMinusSaysSoAndWritesNothingBroken)
{
    auto *edit = child<QLineEdit>("MarginLeft");
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, '-');
    EXPECT_EQ(edit->text(), QStringLiteral("-"));
    QTest::mouseClick(stepper("MarginLeftUpDown", true), Qt::LeftButton);
    ASSERT_EQ(questioner->asked.size(), 1);
    EXPECT_EQ(questioner->asked.first().text, QStringLiteral("'-' is not a valid integer value"));
    EXPECT_FALSE(sheet().contains("Margin-left")) << sheet().constData();
}

TEST_F(LengthFieldWindowTest, DoubleClickClearsTheFieldForGood)
{
    auto *edit = child<QLineEdit>("MarginTop");
    ASSERT_EQ(edit->text(), QStringLiteral("4"));
    doubleClick(edit);
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_FALSE(isInUse(edit));
    EXPECT_FALSE(sheet().contains("Margin-top")) << sheet().constData();

    // A later change commits the panels again; the cleared field stays out.
    QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton);
    EXPECT_FALSE(sheet().contains("Margin-top")) << sheet().constData();
    child<QAction>("Save")->trigger();
    EXPECT_FALSE(fileText().contains("Margin-top")) << fileText().constData();
}

TEST_F(LengthFieldWindowTest, TypingIntoAFieldReachedWithTabPutsItInUse)
{
    auto *top = child<QLineEdit>("MarginTop");
    auto *next = child<QLineEdit>("MarginLeft");
    QTest::mouseClick(top, Qt::LeftButton);
    QTest::keyClick(top, Qt::Key_Tab);
    ASSERT_TRUE(next->hasFocus());
    EXPECT_FALSE(isInUse(next));
    QTest::keyClicks(next, QStringLiteral("7x"));
    QTest::sendKeyEvent(QTest::Click, next, Qt::Key(0x0436), QStringLiteral("ж"), Qt::NoModifier);
    EXPECT_EQ(next->text(), QStringLiteral("7"));
    EXPECT_TRUE(isInUse(next));
    QTest::keyClick(next, Qt::Key_Return);
    EXPECT_TRUE(sheet().contains("Margin-left: 7px;")) << sheet().constData();
}

TEST_F(LengthFieldWindowTest, AMarginFieldTakesAutoTypedOverItsNumber)
{
    auto *right = child<QLineEdit>("MarginRight");
    QTest::mouseClick(right, Qt::LeftButton);
    QTest::keyClicks(right, QStringLiteral("12"));
    QTest::keyClick(right, Qt::Key_Return);
    ASSERT_TRUE(sheet().contains("Margin-right: 12px;")) << sheet().constData();
    QTest::mouseClick(right, Qt::LeftButton);
    QTest::keyClick(right, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(right, QStringLiteral("auto"));
    EXPECT_EQ(right->text(), QStringLiteral("auto"));
    QTest::keyClick(right, Qt::Key_Return);
    EXPECT_TRUE(sheet().contains("Margin-right: auto;")) << sheet().constData();
}

TEST_F(LengthFieldWindowTest, PastedTextIsCleanedAndWrittenWhenTheFieldIsLeft)
{
    // From the field's context menu: opening the menu is not leaving it,
    // and the pasted text survives the next click.
    auto *padding = child<QLineEdit>("PaddingTop");
    QApplication::clipboard()->setText(QStringLiteral("1a2"));
    QTest::mouseClick(padding, Qt::LeftButton);
    // The right button's press, then the menu the platform asks for.
    QTest::mousePress(padding, Qt::RightButton);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, padding->rect().center(),
                                padding->mapToGlobal(padding->rect().center()));
    QApplication::sendEvent(padding, &menuEvent);
    QTest::mouseRelease(padding, Qt::RightButton);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction *paste = nullptr;
    for (QAction *action : menu->actions())
        paste = action->text().endsWith(QStringLiteral("\tCtrl+V")) ? action : paste;
    ASSERT_NE(paste, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
    ASSERT_TRUE(QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }));
    EXPECT_EQ(padding->text(), QStringLiteral("1a2"));
    QTest::mouseClick(padding, Qt::LeftButton);
    EXPECT_EQ(padding->text(), QStringLiteral("1a2"));
    QTest::mouseClick(child<QLineEdit>("PaddingLeft"), Qt::LeftButton);
    EXPECT_EQ(padding->text(), QStringLiteral("12"));
    EXPECT_TRUE(sheet().contains("Padding-top: 12px;")) << sheet().constData();

    // With Ctrl+V into a field reached by Tab, then Tab.
    auto *right = child<QLineEdit>("PaddingRight");
    QApplication::clipboard()->setText(QStringLiteral("-3b4"));
    QTest::keyClick(child<QLineEdit>("PaddingLeft"), Qt::Key_Tab);
    ASSERT_TRUE(right->hasFocus());
    QTest::keyClick(right, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(right, Qt::Key_Tab);
    EXPECT_EQ(right->text(), QStringLiteral("-34"));
    EXPECT_TRUE(sheet().contains("Padding-right: -34px;")) << sheet().constData();
}

TEST_F(LengthFieldWindowTest, AMinusTypedBeforeTheDigitsMakesANegativeLength)
{
    auto *edit = child<QLineEdit>("MarginLeft");
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, QStringLiteral("-5"));
    EXPECT_EQ(edit->text(), QStringLiteral("-5"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(sheet().contains("Margin-left: -5px;")) << sheet().constData();
}

TEST_F(LengthFieldWindowTest, WindowOpensWithItsClientAreaBelowTheMenuBar)
{
    EXPECT_EQ(form->width(), 792);
    EXPECT_EQ(form->height() - form->menuBar()->height(), 572);
}

TEST_F(LengthFieldWindowTest, ChooserOpensBelowTheMenuBarAndSetsTheUnit)
{
    auto *chooser = child<QWidget>("Z_Select");
    QTest::mousePress(child<QToolButton>("Font_Size_"), Qt::LeftButton);
    ASSERT_TRUE(chooser->isVisible());
    EXPECT_EQ(chooser->y(), form->menuBar()->height() + 1);
    QTest::mouseRelease(child<QToolButton>("Font_Size_"), Qt::LeftButton);

    // Another unit button moves the chooser there.
    auto *unit = child<QToolButton>("MarginTop_");
    QTest::mouseClick(unit, Qt::LeftButton);
    const QRect button(unit->mapTo(form.get(), QPoint(0, 0)), unit->size());
    EXPECT_NEAR(chooser->geometry().center().x(), button.center().x(), 1);
    QTest::mouseClick(child<QToolButton>("Z_8"), Qt::LeftButton);
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(unit->text(), QStringLiteral("em"));
    EXPECT_TRUE(sheet().contains("Margin-top: 4em;")) << sheet().constData();

    QTest::mouseClick(unit, Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>("Z_off"), Qt::LeftButton);
    EXPECT_TRUE(sheet().contains("Margin-top: 4;")) << sheet().constData();

    // Today's units have a row of their own.
    for (const char *name : {"Z_rem", "Z_vw", "Z_vh"}) {
        QTest::mouseClick(unit, Qt::LeftButton);
        auto *button = child<QToolButton>(name);
        ASSERT_TRUE(button->isVisible()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(unit->text(), button->text());
        EXPECT_TRUE(sheet().contains("Margin-top: 4" + button->text().toLatin1() + ";")) << sheet().constData();
    }
    EXPECT_GT(child<QToolButton>("Z_cancel")->y(), child<QToolButton>("Z_rem")->y()) << "cancel moves below";
}

TEST_F(LengthFieldWindowTest, ChooserCountsDownAndClosesOnTheSixthTick)
{
    auto *timer = form->findChild<QTimer *>(QStringLiteral("Z_Timer"));
    auto *cancel = child<QToolButton>("Z_cancel");
    QTest::mouseClick(child<QToolButton>("MarginTop_"), Qt::LeftButton);
    QStringList captions{cancel->text()};
    for (int tick = 0; tick < 6; ++tick) {
        ASSERT_TRUE(timer->isActive());
        QMetaObject::invokeMethod(timer, "timeout");
        captions.append(cancel->text());
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Отмена"), "(5)", "(4)", "(3)", "(2)", "(1)", "(1)"}));
    EXPECT_FALSE(child<QWidget>("Z_Select")->isVisible());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(child<QToolButton>("MarginTop_")->text(), QStringLiteral("px"));

    // Opened again after a partial countdown, it starts afresh.
    QTest::mouseClick(child<QToolButton>("MarginTop_"), Qt::LeftButton);
    QMetaObject::invokeMethod(timer, "timeout");
    QMetaObject::invokeMethod(timer, "timeout");
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>("MarginTop_"), Qt::LeftButton);
    EXPECT_EQ(cancel->text(), QStringLiteral("Отмена"));
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_EQ(cancel->text(), QStringLiteral("(5)"));
}

} // namespace
