// The open sheet changed on disk by another program: taken again when
// nothing is unsaved, asked about otherwise, never written over unseen.
#include "../support/file_bytes.h"
#include "../support/window_fixture.h"

#include "window/shell/main_form.h"

#include <QAction>
#include <QListWidget>
#include <QTabWidget>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QStatusBar>
#include <QToolButton>

namespace {

class DiskChangeTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith("a {\r\nx: 1;\r\n}\r\nb {\r\ny: 2;\r\n}\r\n");
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        list = child<QListWidget>("ListTag");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    }

    // Another program writes the file.
    void writeElsewhere(const QByteArray &bytes) { writeAll(path, bytes); }
    void change() { QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton); }

    QListWidget *list = nullptr;
};

TEST_F(DiskChangeTest, AnUnchangedSheetFollowsItsFileWithTheRuleKept)
{
    // A long sheet, its view scrolled down: it stays there.
    QByteArray longSheet;
    for (int i = 0; i < 200; ++i)
        longSheet += "r" + QByteArray::number(i) + " {\r\nx: 1;\r\n}\r\n";
    writeElsewhere(longSheet + "a {\r\nx: 1;\r\n}\r\nb {\r\ny: 2;\r\n}\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 202; }, 5000));
    child<QTabWidget>("Viewer")->setCurrentIndex(1);
    auto *sheetView = child<QPlainTextEdit>("HCSSMemo");
    sheetView->verticalScrollBar()->setValue(300);
    list->verticalScrollBar()->setValue(40);
    writeElsewhere(longSheet + "a {\r\nx: 1;\r\n}\r\nb {\r\ny: 5;\r\n}\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->store().sheetText().contains("5;"); }, 5000));
    EXPECT_EQ(sheetView->verticalScrollBar()->value(), 300);
    EXPECT_EQ(list->verticalScrollBar()->value(), 40);
    writeElsewhere("a {\r\nx: 1;\r\n}\r\nb {\r\ny: 2;\r\n}\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 2; }, 5000));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());

    const QByteArray before = form->store().sheetText();
    writeElsewhere("c {\r\n}\r\na {\r\nx: 1;\r\n}\r\nb {\r\ny: 3;\r\n}\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 3; }, 5000));
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("b"));
    EXPECT_TRUE(form->store().sheetText().replace(" ", "").contains("y:3;")) << form->store().sheetText().constData();
    EXPECT_FALSE(form->store().sheetModified());
    EXPECT_EQ(form->statusBar()->currentMessage(), QStringLiteral("Файл изменён на диске и перечитан"));
    EXPECT_TRUE(questioner->asked.isEmpty()) << questioner->asked.value(0).text.toStdString();
    EXPECT_EQ(readAll(path + ".ORIGINAL"), readAll(path)) << "the copy guards the file as it is";
    // Taking the file again is one step of the history.
    child<QAction>("BackEdit")->trigger();
    EXPECT_EQ(form->store().sheetText(), before);
}

TEST_F(DiskChangeTest, AnEditedSheetAsksAndEachAnswerKeepsWhatItSays)
{
    change();
    questioner->answers = {Questioner::No};
    writeElsewhere("a {\r\nx: 9;\r\n}\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !questioner->asked.isEmpty(); }, 5000));
    EXPECT_EQ(questioner->asked.first().text,
              QStringLiteral("Файл изменён другой программой. Перечитать его? Ваши несохранённые изменения будут потеряны."));
    EXPECT_EQ(list->count(), 2) << "No keeps the program's version";
    // ... and the next save writes it without asking again.
    ASSERT_TRUE(form->editor().files().SaveSheet());
    EXPECT_EQ(questioner->asked.size(), 1);
    EXPECT_TRUE(readAll(path).contains("ext-align: center"));

    change();
    questioner->answers = {Questioner::Yes};
    writeElsewhere("a {\r\nx: 9;\r\n}\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 1; }, 5000)) << "Yes takes the file";
    EXPECT_EQ(questioner->asked.size(), 2);
    EXPECT_FALSE(form->store().sheetModified());
}

TEST_F(DiskChangeTest, AFileReplacedByARenameIsNoticed)
{
    QSaveFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("z {\r\n}\r\n");
    ASSERT_TRUE(file.commit());
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 1 && list->item(0)->text() == "z"; }, 5000));
    // And again: the file put in its place is watched too.
    QSaveFile again(path);
    ASSERT_TRUE(again.open(QIODevice::WriteOnly));
    again.write("w {\r\n}\r\n");
    ASSERT_TRUE(again.commit());
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->item(0)->text() == "w"; }, 5000));
}

TEST_F(DiskChangeTest, TheProgramsOwnWritesAskNothing)
{
    child<QAction>("AutoRefreshAction")->setChecked(true);
    change();
    QTest::mouseClick(child<QToolButton>("Text_Align_Right"), Qt::LeftButton);
    ASSERT_TRUE(form->editor().files().SaveSheet());
    QTest::qWait(300);
    EXPECT_TRUE(questioner->asked.isEmpty());
    EXPECT_TRUE(readAll(path).contains("ext-align: right"));
}

TEST_F(DiskChangeTest, ASaveThatRacesAnotherProgramsWriteAsks)
{
    change();
    writeElsewhere("a {\r\nx: 9;\r\n}\r\n");
    // Saved before the watcher has said anything.
    questioner->answers = {Questioner::No};
    ASSERT_TRUE(form->editor().files().SaveSheet());
    ASSERT_EQ(questioner->asked.size(), 1);
    EXPECT_TRUE(readAll(path).contains("ext-align: center")) << "No writes the program's version";
    // The file removed: said once, and the next save writes it again.
    QFile::remove(path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->statusBar()->currentMessage() == "Файл удалён с диска"; }, 5000));
    EXPECT_TRUE(form->store().sheetModified());
    ASSERT_TRUE(form->editor().files().SaveSheet());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(questioner->asked.size(), 1);
}

} // namespace

namespace {

TEST_F(DiskChangeTest, NoAtCloseRestoresTheFileAndLeavesNoCopyBehind)
{
    const QByteArray opened = readAll(path);
    child<QAction>("AutoRefreshAction")->trigger();
    change();
    ASSERT_TRUE(QTest::qWaitFor([&] { return readAll(path) != opened; }, 5000)) << "the refresh writes the file";
    questioner->answers = {Questioner::No};
    EXPECT_TRUE(form->close());
    // The watcher and the focus leaving have their say after the close.
    QTest::qWait(300);
    EXPECT_EQ(readAll(path), opened);
    EXPECT_FALSE(QFile::exists(path + ".ORIGINAL"));
    EXPECT_EQ(questioner->asked.size(), 1) << questioner->asked.last().text.toStdString();
}

} // namespace
