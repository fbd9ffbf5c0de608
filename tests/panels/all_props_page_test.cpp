// The property table as the user meets it, and as the engine reads what it
// writes: declarations switched off and on by their check box, names and
// values edited by keystrokes, rows added with completion and deleted.
#include "../support/fake_host.h"
#include "../support/page_script.h"
#include "../support/scripted_questioner.h"
#include "../support/sheet_fixture.h"
#include "../support/window_fixture.h"
#include "prop_bodies.h"

#include "core/editor/editor.h"
#include "core/preview/sheet_lowering.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QWebEngineView>

namespace {

QString lowered(const QByteArray &sheet)
{
    return QString::fromUtf8(lowerForPreview(sheet, QByteArray()).text);
}

// Each pair of sheets must read the same to the engine; the first pair
// that does not is named.
void expectEngineReadsAlike(const QJsonArray &sheets, const QStringList &what)
{
    const QVariantList read = judgeInBlankPage(kReadSheetRules, sheets);
    ASSERT_EQ(read.size(), sheets.size());
    for (qsizetype i = 0; i + 1 < read.size(); i += 2)
        EXPECT_EQ(read[i].toList().value(0).toString().toStdString(), read[i + 1].toList().value(0).toString().toStdString())
            << what[i / 2].toStdString();
}

TEST(PropTableEngine, ARuleWithADeclarationSwitchedOffReadsAsTheRuleWithoutIt)
{
    QJsonArray sheets;
    QStringList what;
    for (const PropBody &c : kPropBodies) {
        const QList<PropRow> rows = propRows(c.body);
        for (const PropRow &row : rows) {
            if (!row.on || row.lock != PropRow::Lock::None)
                continue;
            sheets.append(lowered(".a {" + propEdit::switchedOff(c.body, row) + "}"));
            sheets.append(lowered(".a {" + propEdit::removed(c.body, row) + "}"));
            what.append(QString::fromUtf8(c.body + " / " + row.name));
        }
    }
    expectEngineReadsAlike(sheets, what);
}

// A name or a value edited through the table reads, in either layout, as
// the rule with only that declaration changed.
TEST(PropTableEngine, AnEditChangesOnlyItsDeclarationAsTheEngineReadsIt)
{
    const QByteArray sheet = ".a {\n  margin: 0 auto;\n  color: red;\n  --gap: 4px;\n  text-align: left;\n}\n";
    const struct {
        int row;
        bool name;
        const char *text;
        const char *expected;
    } cases[] = {
        {0, false, "1px 2px", ".a { margin: 1px 2px; color: red; --gap: 4px; text-align: left; }"},
        {1, true, "background-color", ".a { margin: 0 auto; background-color: red; --gap: 4px; text-align: left; }"},
        {2, false, "8px", ".a { margin: 0 auto; color: red; --gap: 8px; text-align: left; }"},
        {3, false, "center !important", ".a { margin: 0 auto; color: red; --gap: 4px; text-align: center !important; }"},
    };
    QJsonArray sheets;
    QStringList what;
    for (const bool keep : {false, true}) {
        for (const auto &c : cases) {
            FakeHost host;
            ScriptedQuestioner questioner;
            Editor editor{host, questioner};
            editor.store().setKeepUntouchedLayout(keep);
            openText(editor.store(), sheet);
            editor.ListTagClick(0);
            PropTable &table = editor.propTable();
            // The program's layout orders the rows its own way: the row is found by its name.
            int row = -1;
            for (int k = 0; k < table.rows().size(); ++k)
                row = latinUpper(table.rows()[k].name) == latinUpper(propRows(sheet.mid(4)).value(c.row).name) ? k : row;
            ASSERT_GE(row, 0);
            ASSERT_EQ(c.name ? table.nameEdited(row, c.text) : table.valueEdited(row, c.text), QString());
            sheets.append(lowered(editor.store().sheetText()));
            sheets.append(lowered(c.expected));
            what.append(QString::fromLatin1(c.expected) + (keep ? " (file's layout)" : " (program's layout)"));
        }
    }
    expectEngineReadsAlike(sheets, what);
}

class AllPropsPageTest : public WindowTest
{
protected:
    void open(const QByteArray &sheet)
    {
        startWith(sheet);
        child<QAction>("KeepUntouchedLayout")->setChecked(true);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        table = child<QTableWidget>("PropTable");
        child<QTabWidget>("TABPANEL")->setCurrentWidget(child<QWidget>("AllProps"));
        auto *list = child<QListWidget>("ListTag");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    }
    QPoint centre(int row, int column) { return table->visualRect(table->model()->index(row, column)).center(); }
    QString cell(int row, int column) { return table->item(row, column) ? table->item(row, column)->text() : QString(); }
    QByteArray sheet() { return form->store().sheetText(); }
    QLineEdit *focusedEditor() { return qobject_cast<QLineEdit *>(QApplication::focusWidget()); }
    // The table's editor of that name while it is open; a completer's popup
    // may have taken the window's focus with it on this platform.
    QLineEdit *openEditor(const char *name)
    {
        for (QLineEdit *editor : table->findChildren<QLineEdit *>(QLatin1String(name))) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }
    void clickCheckBox(int row)
    {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre(row, 0));
        QTest::qWait(20);
    }

    QTableWidget *table = nullptr;
};

const QByteArray kButton = ".btn {\r\n  display: inline-flex;\r\n  color: red;\r\n  color: blue !important;\r\n"
                           "  --gap: 4px;\r\n  will-change: transform;\r\n  /* margin: 0; */\r\n"
                           "  padding: 4px /* base */;\r\n}\r\n";

TEST_F(AllPropsPageTest, EveryDeclarationInItsOrderWhatLosesStruckAndWhatCannotBeSwitchedOffSaysWhy)
{
    open(kButton);
    auto *tabs = child<QTabWidget>("TABPANEL");
    EXPECT_EQ(tabs->indexOf(child<QWidget>("AllProps")), tabs->count() - 1);
    EXPECT_EQ(tabs->tabText(tabs->count() - 1), QStringLiteral("Все свойства"));
    EXPECT_EQ(table->horizontalHeaderItem(0)->text() + table->horizontalHeaderItem(1)->text()
                  + table->horizontalHeaderItem(2)->text(),
              QStringLiteral("Вкл.СвойствоЗначение"));
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row)
        names.append(cell(row, 1));
    EXPECT_EQ(names, (QStringList{"display", "color", "color", "--gap", "will-change", "margin", "padding"}));
    EXPECT_TRUE(table->item(1, 1)->font().strikeOut());
    EXPECT_FALSE(table->item(2, 1)->font().strikeOut());
    EXPECT_EQ(cell(2, 2), QStringLiteral("blue !important"));
    EXPECT_EQ(table->item(5, 0)->checkState(), Qt::Unchecked) << "a switched-off declaration";
    EXPECT_EQ(table->item(4, 0)->checkState(), Qt::Checked);
    EXPECT_FALSE(table->item(6, 0)->flags() & Qt::ItemIsEnabled);
    EXPECT_TRUE(table->item(6, 0)->toolTip().contains(QStringLiteral("комментарий")));
    // Every cell in sight at the panel's own width.
    EXPECT_LE(table->visualRect(table->model()->index(0, 2)).right(), table->viewport()->width());
}

TEST_F(AllPropsPageTest, TheCheckBoxSwitchesOffAndOnInBothLayoutsEachOneUndoStep)
{
    open(kButton);
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "file's layout" : "program's layout");
        child<QAction>("KeepUntouchedLayout")->setChecked(keep);
        const QByteArray before = sheet();
        clickCheckBox(4);
        ASSERT_TRUE(sheet().contains("/* will-change: transform; */") || sheet().contains("/* will-change:transform;*/"))
            << sheet().constData();
        const int off = int(table->findItems(QStringLiteral("will-change"), Qt::MatchExactly).value(0)->row());
        EXPECT_EQ(table->item(off, 0)->checkState(), Qt::Unchecked);
        if (keep)
            EXPECT_EQ(sheet(), QByteArray(before).replace("will-change: transform;", "/* will-change: transform; */"));
        clickCheckBox(off);
        EXPECT_EQ(table->item(off, 0)->checkState(), Qt::Checked);
        EXPECT_EQ(sheet(), before);
        child<QAction>("BackEdit")->trigger();
        EXPECT_NE(sheet(), before) << "switching on was one step";
        child<QAction>("BackEdit")->trigger();
        EXPECT_EQ(sheet(), before) << "and switching off another";
    }
}

TEST_F(AllPropsPageTest, ADoubleClickOrF2EditsEnterTakesItEscLeavesItUpAndDownStep)
{
    open(kButton);
    doubleClick(table->viewport(), centre(7 - 1, 2));
    QLineEdit *editor = focusedEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->objectName(), QStringLiteral("PropValue"));
    QTest::keyClicks(editor, QStringLiteral("9px"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::qWait(20);
    EXPECT_TRUE(sheet().contains("padding: 4px /* base */;")) << "Esc leaves it";

    // F2 on the value: Up twice steps the number at the caret.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre(3, 2));
    QTest::keyClick(table, Qt::Key_F2);
    editor = focusedEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_EQ(editor->text(), QStringLiteral("6px"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet().contains("--gap: 6px;"); })) << sheet().constData();

    // The name, by a double-click: only that declaration's name changes.
    doubleClick(table->viewport(), centre(0, 1));
    editor = focusedEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->objectName(), QStringLiteral("PropName"));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("visibility"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet().contains("visibility: inline-flex;"); })) << sheet().constData();
    EXPECT_TRUE(sheet().contains("  color: red;\r\n")) << "the rest stays";

    // A value that would break the rule is refused and writes nothing.
    const QByteArray before = sheet();
    doubleClick(table->viewport(), centre(1, 2));
    // The value's completion list may hold the focus; the editor is open.
    editor = focusedEditor() ? focusedEditor() : openEditor("PropValue");
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("red; margin: 0"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !questioner->asked.isEmpty(); }));
    EXPECT_TRUE(questioner->asked.last().text.contains(QStringLiteral("«;»")));
    EXPECT_EQ(sheet(), before);
    EXPECT_EQ(cell(1, 2), QStringLiteral("red"));
}

TEST_F(AllPropsPageTest, AddingCompletesTheNameAndGoesAfterTheSelectedRowEscAddsNothing)
{
    open(kButton);
    // After the selected row, its name completed from the catalogue.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre(0, 1));
    QTest::mouseClick(child<QToolButton>("PropAdd"), Qt::LeftButton);
    QLineEdit *editor = focusedEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->objectName(), QStringLiteral("PropName"));
    QTest::keyClicks(editor, QStringLiteral("text-wr"));
    ASSERT_TRUE(editor->completer()->popup()->isVisible());
    EXPECT_EQ(editor->completer()->currentCompletion(), QStringLiteral("text-wrap"));
    QTest::keyClick(editor->completer()->popup(), Qt::Key_Down);
    // One Enter takes the name and moves on to the value.
    QTest::keyClick(editor->completer()->popup(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return openEditor("PropValue"); }));
    EXPECT_EQ(cell(1, 1), QStringLiteral("text-wrap"));
    editor = openEditor("PropValue");
    EXPECT_EQ(editor->placeholderText(), QStringLiteral("wrap")) << "the initial value";
    QTest::keyClicks(editor, QStringLiteral("bal"));
    EXPECT_EQ(editor->completer()->currentCompletion(), QStringLiteral("balance"));
    editor->setText(QStringLiteral("balance"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet().contains("display: inline-flex;\r\n  text-wrap: balance;\r\n  color: red;"); }))
        << sheet().constData();
    EXPECT_EQ(cell(1, 1), QStringLiteral("text-wrap"));

    // Esc on the name adds nothing; a second add with nothing selected goes
    // to the end, and a misspelt name is said with the nearest.
    const QByteArray before = sheet();
    const int rows = table->rowCount();
    QTest::mouseClick(child<QToolButton>("PropAdd"), Qt::LeftButton);
    ASSERT_NE(openEditor("PropName"), nullptr);
    QTest::keyClick(openEditor("PropName"), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->rowCount() == rows; }));
    EXPECT_EQ(sheet(), before);
    table->clearSelection();
    QTest::mouseClick(child<QToolButton>("PropAdd"), Qt::LeftButton);
    ASSERT_NE(openEditor("PropName"), nullptr);
    openEditor("PropName")->setText(QStringLiteral("colr"));
    QTest::keyClick(openEditor("PropName"), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return form->statusBar()->currentMessage() == QStringLiteral("«colr» — неизвестное свойство. Возможно: color");
    })) << form->statusBar()->currentMessage().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return openEditor("PropValue"); }));
    QTest::keyClicks(openEditor("PropValue"), QStringLiteral("red"));
    QTest::keyClick(openEditor("PropValue"), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet().contains("padding: 4px /* base */;\r\n  colr: red;\r\n}"); }))
        << sheet().constData();
    EXPECT_EQ(table->item(table->rowCount() - 1, 1)->foreground().color(), QColor(Qt::red));

    // A click on a completion takes it: what is typed next is the value.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre(0, 1));
    QTest::mouseClick(child<QToolButton>("PropAdd"), Qt::LeftButton);
    ASSERT_NE(openEditor("PropName"), nullptr);
    QTest::keyClicks(openEditor("PropName"), QStringLiteral("background-co"));
    QAbstractItemView *popup = openEditor("PropName")->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    const QModelIndex first = popup->model()->index(0, 0);
    ASSERT_EQ(first.data().toString(), QStringLiteral("background-color"));
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(first).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return openEditor("PropValue"); }));
    QTest::keyClicks(openEditor("PropValue"), QStringLiteral("lightyellow"));
    QTest::keyClick(openEditor("PropValue"), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet().contains("display: inline-flex;\r\n  background-color: lightyellow;\r\n"); }))
        << sheet().constData();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre(1, 1));
    QTest::mouseClick(child<QToolButton>("PropDelete"), Qt::LeftButton);

    // Deleting the selected row takes its line out.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre(table->rowCount() - 1, 1));
    QTest::mouseClick(child<QToolButton>("PropDelete"), Qt::LeftButton);
    EXPECT_EQ(sheet(), before);
}

// The preview's engine judges each value as the page gets it, lowered:
// what it refuses is red, and still written.
TEST_F(AllPropsPageTest, AValueThePreviewsEngineRefusesIsRedWithItsReason)
{
    const QString page = dir.filePath(QStringLiteral("page.html"));
    QFile out(page);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"site.css\"></head><body>b</body></html>");
    out.close();
    startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8()
              + ";\r\n}\r\n.b {\r\n  color: bogus;\r\n  background-color: oklch(62.8% 0.258 29.23);\r\n  width: 1px;\r\n}\r\n");
    child<QAction>("KeepUntouchedLayout")->setChecked(true);
    auto *view = child<QWebEngineView>("PreBrowser");
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    ASSERT_TRUE(loaded.wait(30000));
    table = child<QTableWidget>("PropTable");
    child<QTabWidget>("TABPANEL")->setCurrentWidget(child<QWidget>("AllProps"));
    auto *list = child<QListWidget>("ListTag");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    ASSERT_EQ(table->rowCount(), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->item(0, 2)->foreground().color() == QColor(Qt::red); }, 10000));
    EXPECT_TRUE(table->item(0, 2)->toolTip().startsWith(QStringLiteral("Браузер предпросмотра не принимает это значение")));
    EXPECT_NE(table->item(1, 2)->foreground().color(), QColor(Qt::red)) << "a colour the page gets lowered";
    EXPECT_NE(table->item(2, 2)->foreground().color(), QColor(Qt::red));
    EXPECT_TRUE(table->item(1, 2)->data(Qt::DecorationRole).value<QColor>().isValid()) << "its swatch";
}

} // namespace
