// The variables page as the user meets it: values edited by keystrokes and
// through the swatch, variables added and deleted, undone, and the rule
// that gives a used variable reached by a click.
#include "../support/file_bytes.h"
#include "../support/window_fixture.h"

#include "window/stylelist/color_form.h"

#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace {

class VariablesPageTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith(".btn-primary {\r\n  --bs-btn-bg: #0d6efd;\r\n  --bs-btn-color: #fff;\r\n}\r\n"
                  ".btn {\r\n  color: var(--bs-btn-color);\r\n  background-color: var(--bs-btn-bg);\r\n}\r\n", Layout::Program);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        table = child<QTableWidget>("VarTable");
        child<QTabWidget>("TABPANEL")->setCurrentWidget(child<QWidget>("VarsPage"));
        selectRule(0);
    }

    void selectRule(int row)
    {
        auto *list = child<QListWidget>("ListTag");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    QPoint cellCentre(int row, int column) { return table->visualRect(table->model()->index(row, column)).center(); }

    QString cell(int row, int column) { return table->item(row, column) ? table->item(row, column)->text() : QString(); }

    QByteArray sheet() { return form->store().sheetText(); }

    // Answers the add dialog: the gesture types into it and accepts.
    void answerDialog(const QString &text, bool *ran)
    {
        QTimer::singleShot(0, form.get(), [text, ran] {
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->objectName(), QStringLiteral("VarAddDialog"));
            auto *edit = dialog->findChild<QLineEdit *>();
            edit->selectAll();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
            *ran = true;
        });
    }

    QTableWidget *table = nullptr;
};

TEST_F(VariablesPageTest, AValueEditedByKeystrokesIsWrittenAndEscLeavesItAlone)
{
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(cell(0, 0), QStringLiteral("--bs-btn-bg"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("#0d6efd"));
    EXPECT_TRUE(table->item(0, 1)->data(Qt::DecorationRole).value<QColor>() == QColor(0x0d, 0x6e, 0xfd));

    doubleClick(table->viewport(), cellCentre(1, 1));
    QLineEdit *editor = table->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("#123"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::qWait(20);
    EXPECT_TRUE(sheet().contains("--bs-btn-color:#fff;") || sheet().contains("--bs-btn-color: #fff;"))
        << sheet().constData();

    // F2 on the selected row edits its value, whichever cell was clicked.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCentre(1, 0));
    QTest::keyClick(table, Qt::Key_F2);
    editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("rgb(0 0 0 / 50%)"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet().contains("--bs-btn-color:rgb(0 0 0 / 50%);"); }))
        << sheet().constData();
    EXPECT_EQ(cell(1, 1), QStringLiteral("rgb(0 0 0 / 50%)"));
    EXPECT_EQ(table->item(1, 1)->data(Qt::DecorationRole).value<QColor>().alpha(), 128);
    child<QAction>("BackEdit")->trigger();
    EXPECT_TRUE(sheet().contains("#fff")) << sheet().constData();
}

// At the panel's own width a long name leaves the value in sight ("Где
// задана" gives way), and a loop is said beside the name, never in the
// value that is edited.
TEST_F(VariablesPageTest, AtTheDefaultWidthNameAndValueShowAndALoopStaysOutOfTheValue)
{
    const QByteArray looping = ":root {\r\n  --bs-btn-hover-border-color: var(--b);\r\n"
                               "  --b: var(--bs-btn-hover-border-color);\r\n}\r\n";
    const QString other = dir.filePath(QStringLiteral("loop.css"));
    QFile out(other);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(looping);
    out.close();
    ASSERT_TRUE(form->editor().files().OpenSheet(other));
    selectRule(0);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(cell(0, 0), QStringLiteral("--bs-btn-hover-border-color — цикл"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("var(--b)"));
    const QRect value = table->visualRect(table->model()->index(0, 1));
    EXPECT_GE(value.width(), 40);
    EXPECT_LE(value.right(), table->viewport()->width()) << "the value is in sight";

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCentre(0, 0));
    QTest::keyClick(table, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("var(--b)"));
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, QStringLiteral(" "));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(20);
    EXPECT_FALSE(sheet().contains(QStringLiteral("цикл").toUtf8())) << sheet().constData();
}

TEST_F(VariablesPageTest, TheSwatchPicksAColourWrittenAsHexAndThePanelsFollow)
{
    TColorForm *picker = form->colorForm();
    bool ran = false;
    QTimer::singleShot(0, picker, [&] {
        ran = picker->isVisible();
        QWidget *image = picker->findChild<QWidget *>(QStringLiteral("Image1"));
        const QPoint red(9 * 11 + 5, 15 + 7);
        QTest::mouseMove(picker->windowHandle(), image->mapTo(picker, red));
        QTest::mouseClick(image, Qt::LeftButton, {}, red);
    });
    const QRect value = table->visualRect(table->model()->index(0, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, QPoint(value.left() + 6, value.center().y()));
    ASSERT_TRUE(ran) << "the picker opened and the pick ran in it";
    const QByteArray text = sheet();
    const qsizetype at = text.indexOf("--bs-btn-bg:#");
    ASSERT_GE(at, 0) << text.constData();
    const QByteArray hex = text.mid(at + 12, 7);
    EXPECT_EQ(hex, hex.toUpper()) << "written as #RRGGBB";
    EXPECT_NE(hex, "#0D6EFD");

    // The used variable: greyed, given by the first rule; a click there goes to it.
    selectRule(1);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), QStringLiteral("--bs-btn-bg"));
    EXPECT_EQ(cell(1, 2), QStringLiteral(".btn-primary"));
    EXPECT_FALSE(table->item(1, 1)->flags() & Qt::ItemIsEditable);
    const QColor shown = table->item(1, 1)->data(Qt::DecorationRole).value<QColor>();
    EXPECT_EQ(shown.name().toUpper(), QString::fromLatin1(hex));
    const Rgb panel = form->editor().panels().swatch(Swatch::BackGround).color;
    EXPECT_EQ(QColor(panel.r, panel.g, panel.b), shown) << "the panel's swatch shows the new colour";
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCentre(1, 2));
    EXPECT_EQ(form->store().list().selected(), 0);
    EXPECT_EQ(table->currentRow(), -1) << "another rule's table starts with no row selected";
    EXPECT_FALSE(child<QToolButton>("VarDelete")->isEnabled());
}

TEST_F(VariablesPageTest, AddingTwiceAndDeletingGoThroughTheDialogAndUndo)
{
    for (const char *name : {"--gap", "--radius"}) {
        bool nameTyped = false, valueTyped = false;
        answerDialog(QString::fromLatin1(name), &nameTyped);
        QTimer::singleShot(50, form.get(), [this, &valueTyped] { answerDialog(QStringLiteral("4px"), &valueTyped); });
        QTest::mouseClick(child<QToolButton>("VarAdd"), Qt::LeftButton);
        ASSERT_TRUE(nameTyped && valueTyped);
        EXPECT_TRUE(sheet().contains(QByteArray(name) + ": 4px;")) << sheet().constData();
    }
    EXPECT_EQ(table->rowCount(), 4);

    // A name without "--" is refused before the value is asked for.
    bool typed = false;
    answerDialog(QStringLiteral("gap"), &typed);
    const QByteArray before = sheet();
    QTest::mouseClick(child<QToolButton>("VarAdd"), Qt::LeftButton);
    ASSERT_TRUE(typed);
    ASSERT_EQ(questioner->asked.size(), 1);
    EXPECT_TRUE(questioner->asked[0].text.contains(QStringLiteral("«--»")));
    EXPECT_EQ(sheet(), before);

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCentre(2, 0));
    QTest::mouseClick(child<QToolButton>("VarDelete"), Qt::LeftButton);
    EXPECT_FALSE(sheet().contains("--gap")) << sheet().constData();
    EXPECT_EQ(table->rowCount(), 3);
    child<QAction>("BackEdit")->trigger();
    EXPECT_TRUE(sheet().contains("--gap")) << sheet().constData();
}

} // namespace

namespace {

// After an edit only the cells that changed are put anew, and the table
// then says what a full refill says.
TEST_F(VariablesPageTest, AnEditPutsOnlyTheCellsThatChangedAndMatchesAFullRefill)
{
    const QString other = dir.filePath(QStringLiteral("vars.css"));
    writeAll(other, ".a {\r\n  --x: 1px;\r\n  --y: calc(var(--x) * 2);\r\n  --z: #fff;\r\n}\r\n.b {\r\n  color: red;\r\n}\r\n");
    ASSERT_TRUE(form->editor().files().OpenSheet(other));
    selectRule(0);
    ASSERT_EQ(table->rowCount(), 3);
    QTableWidgetItem *const untouched[3] = {table->item(2, 0), table->item(2, 1), table->item(2, 2)};

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cellCentre(0, 1));
    QTest::keyClick(table, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("5px"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return cell(0, 1) == QStringLiteral("5px"); })) << sheet().constData();
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(table->item(2, column), untouched[column]) << "--z is as it was, column " << column;

    const auto shown = [&] {
        QStringList out;
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column) {
                const QTableWidgetItem *item = table->item(row, column);
                out << item->text() + QLatin1Char('|') + item->toolTip() + QLatin1Char('|')
                           + item->data(Qt::DecorationRole).toString() + QLatin1Char('|')
                           + item->foreground().color().name() + QLatin1Char('|') + QString::number(int(item->flags()));
            }
        }
        return out;
    };
    const QStringList inPlace = shown();
    selectRule(1);
    selectRule(0);
    EXPECT_EQ(shown(), inPlace) << "a full refill says the same";
}

} // namespace
