// Clicks in the rule's text and in the whole-sheet view.
#include "../support/window_fixture.h"

#include <QApplication>
#include <QListWidget>
#include <QWheelEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>

namespace {

class SheetViewsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith("Body {\r\ncolor: red;\r\nmargin-top: 5px;\r\n}\r\nh1 {\r\n}\r\np {\r\n}\r\n");
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
    }

    // Turns the sheet views to a page as the user does, on its tab.
    void turnTo(int index)
    {
        QTabBar *bar = child<QTabWidget>("Viewer")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    // Clicks the middle of the line that begins with the text.
    void clickLine(QPlainTextEdit *memo, const QString &start)
    {
        for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
            if (block.text().startsWith(start)) {
                QTextCursor cursor(block);
                cursor.movePosition(QTextCursor::EndOfBlock);
                const QRect end = memo->cursorRect(cursor);
                QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(end.left() / 2, end.center().y()));
                return;
            }
        }
        ADD_FAILURE() << "no line " << start.toStdString();
    }
};

TEST_F(SheetViewsTest, ClickInTheRulesTextTurnsToItsPropertyPage)
{
    turnTo(0);
    auto *memo = child<QPlainTextEdit>("CSSMemo");
    auto *pages = child<QTabWidget>("TABPANEL");
    clickLine(memo, QStringLiteral("; Margin"));
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("MarginPadding"));
    clickLine(memo, QStringLiteral("; color"));
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("ColorBox"));
}

TEST_F(SheetViewsTest, TurnsByKeyboardOrWheelShowWhatAClickShows)
{
    auto *viewer = child<QTabWidget>("Viewer");
    auto *memo = child<QPlainTextEdit>("CSSMemo");
    auto *view = child<QPlainTextEdit>("HCSSMemo");
    turnTo(0);
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("float: left;"));
    QTest::keyClick(memo, Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(viewer->currentIndex(), 1);
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("float: left;"))) << view->toPlainText().toStdString();

    // Back by Ctrl+PgUp, more typing, forward by the wheel over the tabs.
    QTest::keyClick(view, Qt::Key_PageUp, Qt::ControlModifier);
    ASSERT_EQ(viewer->currentIndex(), 0);
    QTest::keyClicks(memo, QStringLiteral("clear: both;"));
    QTabBar *bar = viewer->tabBar();
    QWheelEvent wheel(bar->tabRect(0).center(), bar->mapToGlobal(bar->tabRect(0).center()), {}, {0, -120},
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
    ASSERT_EQ(viewer->currentIndex(), 1);
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("clear: both;"))) << view->toPlainText().toStdString();

    // The keys go round: back from the first page to the last, and on.
    QTest::keyClick(view, Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(viewer->currentIndex(), viewer->count() - 1);
    QTest::keyClick(viewer->currentWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(viewer->currentIndex(), 0);
}

TEST_F(SheetViewsTest, ClickInTheSheetViewSelectsTheRuleThere)
{
    turnTo(1);
    auto *view = child<QPlainTextEdit>("HCSSMemo");
    auto *list = child<QListWidget>("ListTag");
    clickLine(view, QStringLiteral("p {"));
    EXPECT_EQ(list->currentRow(), 2);
    clickLine(view, QStringLiteral("h1 {"));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(form->store().currentStyleIndex(), 1);
}

TEST_F(SheetViewsTest, AClickOnATabShowsThatPageAnewAndPutsTheUserInIt)
{
    auto *viewer = child<QTabWidget>("Viewer");
    auto *memo = child<QPlainTextEdit>("CSSMemo");
    auto *view = child<QPlainTextEdit>("HCSSMemo");
    auto *disk = child<QPlainTextEdit>("HCssInDiskMemo");
    turnTo(0);
    EXPECT_TRUE(memo->hasFocus());
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("float: left;"));

    turnTo(1);
    ASSERT_EQ(viewer->currentIndex(), 1);
    EXPECT_TRUE(view->hasFocus());
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("float: left;"))) << view->toPlainText().toStdString();

    turnTo(2);
    EXPECT_TRUE(disk->hasFocus());
    EXPECT_TRUE(disk->toPlainText().contains(QStringLiteral("margin-top: 5px;"))) << disk->toPlainText().toStdString();

    // The browser's page writes the sheet for the page to read.
    turnTo(3);
    EXPECT_TRUE(fileText().toLower().contains("float: left;")) << fileText().toStdString();

    // A sheet never saved has no copy to show, and the user is told so.
    form->store().setSheetModified(false);
    form->editor().files().NewExecute();
    turnTo(2);
    ASSERT_FALSE(questioner->asked.isEmpty());
    EXPECT_TRUE(questioner->asked.last().text.startsWith(QStringLiteral("Для возможности просмотра")));
}

} // namespace
