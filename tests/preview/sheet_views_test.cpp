// Clicks in the rule's text and in the whole-sheet view.
#include "../support/window_fixture.h"

#include <QListWidget>
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

} // namespace
