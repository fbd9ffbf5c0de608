// Finding one's way with the keyboard: the filter over the rule list, the
// find bar of the texts, the undo keys, the recent sheets.
#include "../support/window_fixture.h"

#include "window/shell/main_form.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace {

class FindingTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith("body {\r\ncolor: red;\r\n}\r\n.navbar {\r\nmargin: 0;\r\n}\r\n"
                  "@media (min-width: 992px) {\r\n.navbar-expand-lg .navbar-nav {\r\npadding: 1px;\r\n}\r\n}\r\n"
                  ".nav-link {\r\nwidth: 1px;\r\n}\r\n");
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        list = child<QListWidget>("ListTag");
        filter = child<QLineEdit>("RuleFilter");
        count = child<QLabel>("RuleFilterCount");
    }

    QStringList shownRows() const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) {
            if (!list->isRowHidden(i))
                out.append(list->item(i)->text());
        }
        return out;
    }

    QListWidget *list = nullptr;
    QLineEdit *filter = nullptr;
    QLabel *count = nullptr;
};

TEST_F(FindingTest, TheFilterKeepsTheRowsThatHoldTheTextAndLeavesTheSelectionAlone)
{
    EXPECT_EQ(count->text(), QStringLiteral("4 из 4"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(filter->hasFocus()) << "Ctrl+F in the list";
    QTest::keyClicks(filter, QStringLiteral("NAV"));
    EXPECT_EQ(shownRows(), (QStringList{".navbar", QStringLiteral("@media (min-width: 992px) \u203A .navbar-expand-lg .navbar-nav"),
                                        ".nav-link"}));
    EXPECT_EQ(count->text(), QStringLiteral("3 из 4"));
    EXPECT_FALSE(form->findChild<QAction *>(QStringLiteral("StyleUp"))->isEnabled()) << "no moves while filtered";
    EXPECT_FALSE(list->dragEnabled());
    // Down hands over to the list, at the first row kept.
    QTest::keyClick(filter, Qt::Key_Down);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(form->store().list().selected(), 1);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(form->store().list().selected(), 3);
    // Nothing matches: no row, and no row shown as selected.
    filter->setFocus();
    QTest::keyClicks(filter, QStringLiteral(".*["));
    EXPECT_TRUE(shownRows().isEmpty());
    EXPECT_EQ(count->text(), QStringLiteral("0 из 4"));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    filter->setText(QString(10000, QLatin1Char('x')));
    EXPECT_EQ(count->text(), QStringLiteral("0 из 4"));
    // Esc empties it; the rule chosen while filtered is still the one.
    QTest::keyClick(filter, Qt::Key_Escape);
    EXPECT_TRUE(filter->text().isEmpty());
    EXPECT_EQ(shownRows().size(), 4);
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_TRUE(form->findChild<QAction *>(QStringLiteral("StyleUp"))->isEnabled());
    // The first row kept may be the very first row.
    QTest::keyClicks(filter, QStringLiteral("body"));
    QTest::keyClick(filter, Qt::Key_Down);
    EXPECT_EQ(form->store().list().selected(), 0);
    filter->clear();
    // From a panel too.
    child<QTabWidget>("TABPANEL")->currentWidget()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(filter->hasFocus());
}

// While the filter hides the current rule nothing acts on it unseen; a
// click in the sheet view that selects a hidden rule brings its row back.
TEST_F(FindingTest, ARuleTheFilterHidesIsNotActedOnUnseen)
{
    auto *rename = form->findChild<QAction *>(QStringLiteral("StyleDelete"));
    auto *pages = child<QTabWidget>("TABPANEL");
    EXPECT_TRUE(rename->isEnabled());
    QTest::keyClicks(filter, QStringLiteral("nav"));
    EXPECT_EQ(form->store().list().selected(), 0) << "body stays the rule chosen";
    EXPECT_FALSE(rename->isEnabled());
    EXPECT_FALSE(form->findChild<QAction *>(QStringLiteral("StyleRename"))->isEnabled());
    EXPECT_FALSE(pages->currentWidget()->isEnabled());
    EXPECT_FALSE(child<QWidget>("Font_Family")->isEnabled());
    EXPECT_FALSE(child<QWidget>("Text_Align_Center")->isEnabled());
    // The window's own buttons there stay as their keys are.
    auto *tools = child<QWidget>("PanelToolStyle");
    for (const char *name : {"BackEdit", "ForeEdit", "EditCopy", "EditPaste", "Save"}) {
        auto *action = form->findChild<QAction *>(QLatin1String(name));
        for (QToolButton *button : tools->findChildren<QToolButton *>()) {
            if (button->defaultAction() == action)
                EXPECT_EQ(button->isEnabled(), action->isEnabled()) << name;
        }
    }
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_F2);
    EXPECT_EQ(form->store().styleCount(), 4);
    // The element's rules would count the same way: what the list shows.
    EXPECT_EQ(count->text(), QStringLiteral("3 из 4"));
    filter->clear();
    EXPECT_TRUE(rename->isEnabled());
    EXPECT_TRUE(pages->currentWidget()->isEnabled());
    EXPECT_TRUE(child<QWidget>("Font_Family")->isEnabled());
    EXPECT_FALSE(child<QWidget>("Font_Family2")->isEnabled()) << "greyed for its own reason, it stays so";

    // Selected from the sheet view while hidden: the filter goes.
    QTest::keyClicks(filter, QStringLiteral("nav"));
    auto *viewer = child<QTabWidget>("Viewer");
    viewer->setCurrentIndex(1);
    auto *sheet = child<QPlainTextEdit>("HCSSMemo");
    QTextCursor at = sheet->textCursor();
    at.setPosition(int(sheet->toPlainText().indexOf(QStringLiteral("color: red"))));
    sheet->setTextCursor(at);
    QTest::mouseClick(sheet->viewport(), Qt::LeftButton, {}, sheet->cursorRect().center());
    EXPECT_EQ(form->store().list().selected(), 0);
    EXPECT_TRUE(filter->text().isEmpty());
    EXPECT_TRUE(rename->isEnabled());
}

// Ctrl+F goes where the user is: from the style tool bars to the filter,
// and after a click on a sheet page's tab to that page's find bar.
TEST_F(FindingTest, CtrlFFindsWhereTheUserIs)
{
    auto *box = child<QWidget>("PanelToolStyle")->findChild<QComboBox *>();
    ASSERT_NE(box, nullptr);
    box->setFocus();
    ASSERT_TRUE(box->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(filter->hasFocus());

    auto *viewer = child<QTabWidget>("Viewer");
    QTabBar *tabs = viewer->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ASSERT_EQ(viewer->currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    auto *find = child<QPlainTextEdit>("HCSSMemo")->parentWidget()->findChild<QLineEdit *>(QStringLiteral("FindText"));
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->hasFocus());
    EXPECT_FALSE(filter->hasFocus());
}

TEST_F(FindingTest, TheFindBarGoesFromMatchToMatchAroundTheEnds)
{
    auto *viewer = child<QTabWidget>("Viewer");
    viewer->setCurrentIndex(1);
    auto *sheet = child<QPlainTextEdit>("HCSSMemo");
    sheet->setFocus();
    QTextCursor start = sheet->textCursor();
    start.setPosition(int(sheet->toPlainText().indexOf(QStringLiteral(".navbar-expand"))));
    sheet->setTextCursor(start);
    QTest::keyClick(sheet, Qt::Key_F, Qt::ControlModifier);
    auto *find = sheet->parentWidget()->findChild<QLineEdit *>(QStringLiteral("FindText"));
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(find->hasFocus());
    const QString text = sheet->toPlainText();
    QTest::keyClicks(find, QStringLiteral("NAVBAR"));
    auto selectionAt = [sheet] { return sheet->textCursor().selectionStart(); };
    // The first match from the caret, then on, around the end, and back.
    const int second = int(text.indexOf(QStringLiteral("navbar"), text.indexOf(QStringLiteral(".navbar-expand"))));
    EXPECT_EQ(selectionAt(), second);
    EXPECT_EQ(sheet->textCursor().selectedText(), QStringLiteral("navbar"));
    EXPECT_EQ(sheet->parentWidget()->findChild<QLabel *>(QStringLiteral("FindCount"))->text(),
              QStringLiteral("3 совпадения"));
    EXPECT_EQ(sheet->extraSelections().size(), 3) << "every match is marked";
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(selectionAt(), int(text.lastIndexOf(QStringLiteral("navbar"))));
    QTest::keyClick(find, Qt::Key_F3);
    EXPECT_EQ(selectionAt(), int(text.indexOf(QStringLiteral("navbar")))) << "around the end";
    QTest::keyClick(find, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(selectionAt(), int(text.lastIndexOf(QStringLiteral("navbar")))) << "and back around the start";
    // Taken literally, however long.
    find->setText(QString(10000, QLatin1Char('(')));
    EXPECT_EQ(sheet->parentWidget()->findChild<QLabel *>(QStringLiteral("FindCount"))->text(),
              QStringLiteral("0 совпадений"));
    QTest::keyClick(find, Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());
    EXPECT_TRUE(sheet->hasFocus());
    EXPECT_TRUE(sheet->extraSelections().isEmpty());
    // The second use opens it again, with the word kept.
    QTest::keyClick(sheet, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(find->isVisible());
    EXPECT_TRUE(find->hasFocus());
}

TEST_F(FindingTest, UndoKeysWorkOutsideTextsAndStayTheTextsOwnInside)
{
    const QByteArray before = form->store().sheetText();
    QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton);
    ASSERT_NE(form->store().sheetText(), before);
    const QByteArray changed = form->store().sheetText();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->store().sheetText(), before);
    QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form->store().sheetText(), changed);
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->store().sheetText(), changed);
    // In the rule's text the keys undo the typing, not the sheet.
    child<QTabWidget>("Viewer")->setCurrentIndex(0);
    auto *memo = child<QPlainTextEdit>("CSSMemo");
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    const QString typed = memo->toPlainText();
    QTest::keyClicks(memo, QStringLiteral("x"));
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), typed);
    EXPECT_EQ(form->store().sheetText(), changed);
}

TEST_F(FindingTest, RecentSheetsAreListedNewestFirstAndAGoneOneLeaves)
{
    const QString other = dir.filePath(QStringLiteral("other.css"));
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("a {\r\nb: c;\r\n}\r\n");
    file.close();
    ASSERT_TRUE(form->editor().files().OpenSheet(other));
    auto *recent = child<QMenu>("RecentFiles");
    auto entries = [&recent] {
        emit recent->aboutToShow();
        QStringList out;
        for (const QAction *action : recent->actions())
            out.append(action->toolTip());
        return out;
    };
    EXPECT_EQ(entries(), (QStringList{other, path}));
    // A new window sees them, and a choice opens the sheet.
    form->close();
    form = std::make_unique<TMainForm>();
    auto scripted = std::make_unique<ScriptedQuestioner>();
    // The recovery copy the first window left: the file as it stands.
    scripted->answers = {Questioner::Yes};
    form->setQuestioner(std::move(scripted));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    recent = child<QMenu>("RecentFiles");
    EXPECT_EQ(entries(), (QStringList{other, path}));
    QFile::remove(other);
    // A gone sheet chosen with its key leaves the list, with a word.
    auto choose = [&recent](Qt::Key key) {
        recent->popup(QPoint(0, 0));
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == recent; }));
        QTest::keyClick(recent, key);
    };
    choose(Qt::Key_1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return entries() == QStringList{path}; }, 5000)) << "the gone sheet leaves";
    EXPECT_TRUE(form->statusBar()->currentMessage().contains(QStringLiteral("other.css")));
    EXPECT_TRUE(form->store().currentFileName().isEmpty());
    choose(Qt::Key_1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->store().currentFileName() == path; }, 5000));
    // A folder where a sheet was leaves too.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("gone.css")));
    form->editor().files().recent().add(dir.filePath(QStringLiteral("gone.css")));
    choose(Qt::Key_1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return entries() == QStringList{path}; }, 5000));
    EXPECT_EQ(form->store().currentFileName(), path);
}

TEST_F(FindingTest, ThePageWidthsIncludeTheSheetsOwnAndATypedOne)
{
    auto *box = child<QComboBox>("PreviewWidth");
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    EXPECT_EQ(items.mid(items.indexOf(QStringLiteral("1440")) + 1), QStringList{"992"}) << items.join(' ').toStdString();
    auto *view = child<QWidget>("PreBrowser");
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("640"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(view->maximumWidth(), 640);
    EXPECT_EQ(box->currentData().toInt(), 640);
    // A text that is no width says so and leaves the width.
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("wide"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(view->maximumWidth(), 640);
    EXPECT_EQ(box->currentText(), QStringLiteral("640"));
    EXPECT_TRUE(form->statusBar()->currentMessage().contains(QStringLiteral("100 до 10000")));
}

} // namespace
