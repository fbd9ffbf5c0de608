#include "window/shell/main_form.h"

#include "../support/window_fixture.h"
#include "window/stylelist/style_list_widget.h"

#include <gtest/gtest.h>

#include <QTabWidget>
#include <QToolButton>

#include "window/panels/panel_widgets.h"
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSplitter>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

class StyleListWindowTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith("Body {\r\ncolor: red;\r\n}\r\nh1 {\r\nmargin: 0;\r\n}\r\np {\r\nfont-size: 10px;\r\n}\r\n", Layout::Program);
        list = child<QListWidget>("ListTag");
        memo = child<QPlainTextEdit>("CSSMemo");
    }

    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out.append(list->item(i)->text());
        return out;
    }

    void clickRow(int row)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    QListWidget *list = nullptr;
    QPlainTextEdit *memo = nullptr;
};

TEST_F(StyleListWindowTest, NewWindowShowsTheOneRuleSheet)
{
    EXPECT_EQ(rows(), QStringList{"Body"});
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quillbox 1.8 - "));
    EXPECT_FALSE(form->findChild<QAction *>(QStringLiteral("BackEdit"))->isEnabled());
}

TEST_F(StyleListWindowTest, EditInTheMemoIsKeptWhenAnotherRuleIsChosenAndSaved)
{
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    EXPECT_EQ(rows(), (QStringList{"Body", "h1", "p"}));
    // Each rule is shown in the program's layout.
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("; color: red;\n"));

    clickRow(1);
    EXPECT_TRUE(memo->toPlainText().endsWith(QStringLiteral("*/\nmargin:0;\n\n"))) << memo->toPlainText().toStdString();
    memo->selectAll();
    QTest::keyClicks(memo, QStringLiteral("margin: 5px; "));
    memo->insertPlainText(QStringLiteral("/* правка */")); // as an input method would
    EXPECT_TRUE(form->store().sheetModified()) << "typing into a rule is a change to save";
    clickRow(2);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("; Font-size: 10px;\n"));

    form->findChild<QAction *>(QStringLiteral("StyleUp"))->trigger();
    EXPECT_EQ(rows(), (QStringList{"Body", "p", "h1"}));
    EXPECT_EQ(list->currentRow(), 1);

    form->findChild<QAction *>(QStringLiteral("Save"))->trigger();
    const QByteArray saved = fileText();
    EXPECT_TRUE(saved.contains(QStringLiteral("h1 {\r\nmargin: 5px; /* правка */\r\n}").toUtf8())) << saved.constData();
    EXPECT_LT(saved.indexOf("p {"), saved.indexOf("h1 {"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quillbox 1.8 - ") + path);
    EXPECT_FALSE(form->store().sheetModified());
}

TEST_F(StyleListWindowTest, RenameFieldAcceptsWithEnterAndCancelsWithEscape)
{
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    clickRow(1);
    auto *field = form->findChild<QLineEdit *>(QStringLiteral("RenameField"));
    form->findChild<QAction *>(QStringLiteral("StyleRename"))->trigger();
    ASSERT_TRUE(field->isVisible());
    EXPECT_EQ(field->text(), QStringLiteral("h1"));
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->isVisible());
    EXPECT_EQ(rows(), (QStringList{"Body", "h1", "p"}));

    form->ListTagDblClick();
    field->setText(QStringLiteral("h1.title"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(field->isVisible());
    EXPECT_EQ(rows(), (QStringList{"Body", "h1.title", "p"}));
    EXPECT_TRUE(form->store().sheetText().contains("h1.title {"));

    form->ListTagDblClick();
    field->setText(QStringLiteral("P"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(field->isVisible()) << "a refused name stays open for editing";
    EXPECT_EQ(questioner->asked.size(), 1);
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(rows(), (QStringList{"Body", "h1.title", "p"}));
}

TEST_F(StyleListWindowTest, RenameFieldFollowsTheListsWidth)
{
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    clickRow(1);
    auto *field = form->findChild<QLineEdit *>(QStringLiteral("RenameField"));
    QWidget *viewport = form->findChild<QListWidget *>(QStringLiteral("ListTag"))->viewport();
    form->findChild<QAction *>(QStringLiteral("StyleRename"))->trigger();
    const int before = viewport->width();
    auto *splitter = form->findChild<QSplitter *>(QStringLiteral("SplitterList"));
    splitter->setSizes({splitter->width() - 300 - splitter->handleWidth(), 300});
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewport->width() != before; }));
    EXPECT_EQ(field->width(), viewport->width() - 4);
    EXPECT_TRUE(field->isVisible());
}

TEST_F(StyleListWindowTest, CancelWhenClosingKeepsTheWindowAndWritesNoSettings)
{
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    form->store().setSheetModified(true);
    std::unique_ptr<QSettings> settings(openProgramSettings());
    const QStringList before = settings->allKeys();
    questioner->answers = {Questioner::Cancel};
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    settings->sync();
    EXPECT_EQ(settings->allKeys(), before);
    EXPECT_TRUE(QFile::exists(path + ".ORIGINAL"));
}

TEST_F(StyleListWindowTest, ClosingAnUnchangedSheetRemovesItsCopy)
{
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    EXPECT_TRUE(QFile::exists(path + ".ORIGINAL"));
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(QFile::exists(path + ".ORIGINAL"));
}

TEST_F(StyleListWindowTest, DeleteAndUndoStateFollowTheCore)
{
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    clickRow(1);
    form->findChild<QAction *>(QStringLiteral("StyleDelete"))->trigger();
    EXPECT_EQ(rows(), (QStringList{"Body", "p"}));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(form->findChild<QAction *>(QStringLiteral("BackEdit"))->isEnabled());
    form->findChild<QTabWidget *>(QStringLiteral("Viewer"))->setCurrentIndex(1);
    auto *sheetView = form->findChild<QPlainTextEdit *>(QStringLiteral("HCSSMemo"));
    EXPECT_FALSE(sheetView->toPlainText().contains(QStringLiteral("h1")));
    // The caret stands inside the selected rule.
    const int caret = sheetView->textCursor().position();
    EXPECT_GT(caret, sheetView->toPlainText().indexOf(QStringLiteral("p {")) + 2);
    EXPECT_LE(caret, sheetView->toPlainText().lastIndexOf(QLatin1Char('}')) + 1);
}

} // namespace

namespace {

TEST_F(StyleListWindowTest, ANestedRuleIsListedWithItsContextAndEditedInPlace)
{
    const QByteArray sheet = "a {\r\n}\r\n@media (min-width:  768px) {\r\n/* grid */\r\n.col-md-6 {\r\nwidth: 50%;\r\n}\r\n}\r\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sheet);
    file.close();
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    EXPECT_EQ(rows(), (QStringList{"a", QStringLiteral("@media (min-width: 768px) › .col-md-6")}));
    auto *list = child<QListWidget>("ListTag");
    EXPECT_EQ(list->item(1)->toolTip(), QStringLiteral("@media (min-width: 768px) › .col-md-6"));
    EXPECT_LE(list->visualItemRect(list->item(1)).width(), list->viewport()->width()) << "the row is shortened";
    clickRow(1);
    child<QTabWidget>("TABPANEL")->setCurrentWidget(child<QWidget>("BlockWidth")->parentWidget()->parentWidget());
    auto *upDown = child<UpDown>("BlockWidthUpDown");
    QTest::mouseClick(upDown->upButton(), Qt::LeftButton);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(fileText(), "a {\r\n}\r\n@media (min-width:  768px) {\r\n/* grid */\r\n.col-md-6 {\r\nWidth: 51%;\r\n}\r\n}\r\n");
    child<QAction>("BackEdit")->trigger();
    EXPECT_TRUE(form->store().sheetText().contains("width: 50%;")) << form->store().sheetText().constData();
}

TEST(StyleListRow, ANarrowRowShortensTheContextBeforeTheSelector)
{
    const QFontMetrics metrics(QApplication::font());
    const QString context = QStringLiteral("@media (min-width: 768px) and (max-width: 991.98px) \u203A ");
    const QString selector = QStringLiteral(".col-md-6");
    const int whole = metrics.horizontalAdvance(context + selector);
    EXPECT_EQ(fitRow(context, selector, metrics, whole).context, context);

    const int narrow = metrics.horizontalAdvance(selector) + metrics.horizontalAdvance(context) / 3;
    const FittedRow row = fitRow(context, selector, metrics, narrow);
    EXPECT_EQ(row.selector, selector) << "the selector stays whole";
    EXPECT_TRUE(row.context.startsWith(QStringLiteral("@me"))) << row.context.toStdString();
    EXPECT_TRUE(row.context.endsWith(QStringLiteral("px) \u203A "))) << row.context.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(row.context + row.selector), narrow);

    // Narrower than the selector: the selector alone, cut at its end.
    const FittedRow tight = fitRow(context, selector, metrics, metrics.horizontalAdvance(QStringLiteral(".col")));
    EXPECT_TRUE(tight.context.isEmpty());
    EXPECT_TRUE(tight.selector.startsWith(QLatin1Char('.')) && tight.selector.endsWith(QChar(0x2026)))
        << tight.selector.toStdString();
}

} // namespace
