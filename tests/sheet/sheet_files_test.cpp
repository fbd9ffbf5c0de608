#include "core/editor/editor.h"
#include "core/host/init_settings.h"
#include "core/sheet/sheet_file_io.h"
#include "core/stylelist/undo_redo.h"

#include "../support/fake_browser.h"
#include "../support/fake_host.h"
#include "../support/file_bytes.h"
#include "../support/scripted_questioner.h"
#include "../support/settings_reset.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <cerrno>
#include <functional>

namespace {

const QByteArray kSheet = "Body {\r\ncolor: red;\r\n}\r\nh1 {\r\nmargin: 0;\r\n}\r\n";

class SheetFilesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        clearProgramSettings();
        a = dir.filePath("a.css");
        b = dir.filePath("b.css");
        writeAll(a, kSheet);
        files.NewSheet();
    }

    // An edit as the preview refresh leaves it: in memory and on disk.
    void editAndRefresh()
    {
        store.memo().setLines({"color: blue;"});
        store.setSheetModified(true);
        // As a refresh of the preview writes it.
        editor.preview().RefreshViewExecute();
    }

    QTemporaryDir dir;
    QString a, b;
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
    SheetStore &store = editor.store();
    SheetFiles &files = editor.files();
};

TEST_F(SheetFilesTest, NewSheetHoldsOneRuleAndNoFile)
{
    EXPECT_EQ(store.sheetText(), "Body {\r\n}\r\n");
    EXPECT_EQ(store.list().items(), QList<QByteArray>{"Body"});
    EXPECT_EQ(host.caption, QStringLiteral("Quillbox 1.8 - NoName.css"));
    EXPECT_FALSE(store.backEditEnabled());
    EXPECT_TRUE(store.currentFileName().isEmpty());
    EXPECT_EQ(store.homePageAddress(), QStringLiteral("about:blank"));
}

TEST_F(SheetFilesTest, OpeningMakesARecoveryCopyAndLeavingRemovesIt)
{
    ASSERT_TRUE(files.OpenSheet(a));
    EXPECT_EQ(readAll(a + ".ORIGINAL"), kSheet);
    EXPECT_EQ(store.list().items(), (QList<QByteArray>{"Body", "h1"}));
    EXPECT_EQ(host.caption, QStringLiteral("Quillbox 1.8 - ") + a);
    EXPECT_FALSE(store.sheetModified());
    EXPECT_FALSE(store.backEditEnabled());

    EXPECT_TRUE(files.ConfirmDiscard());
    EXPECT_TRUE(questioner.asked.isEmpty());
    EXPECT_FALSE(QFile::exists(a + ".ORIGINAL"));
    EXPECT_EQ(readAll(a), kSheet);
}

TEST_F(SheetFilesTest, DecliningToSaveRestoresTheFileFromItsCopy)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    ASSERT_NE(readAll(a), kSheet);
    questioner.answers = {Questioner::No};
    EXPECT_TRUE(files.ConfirmDiscard());
    EXPECT_EQ(questioner.asked[0].text, QStringLiteral("Текущий файл изменен. Сохранить изменения?"));
    EXPECT_EQ(readAll(a), kSheet);
    EXPECT_FALSE(QFile::exists(a + ".ORIGINAL"));
}

TEST_F(SheetFilesTest, CancelAtTheUnsavedQuestionKeepsEverything)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    const QByteArray onDisk = readAll(a);
    questioner.answers = {Questioner::Cancel};
    EXPECT_FALSE(files.ConfirmDiscard());
    EXPECT_EQ(readAll(a), onDisk);
    EXPECT_EQ(readAll(a + ".ORIGINAL"), kSheet);
}

TEST_F(SheetFilesTest, DecliningToSaveLeavesAFileWithoutCopyAlone)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    QFile::remove(a + ".ORIGINAL");
    const QByteArray onDisk = readAll(a);
    questioner.answers = {Questioner::No};
    EXPECT_TRUE(files.ConfirmDiscard());
    EXPECT_EQ(readAll(a), onDisk);
}

TEST_F(SheetFilesTest, LeftOverCopyAsksAndEachAnswerDoesWhatItSays)
{
    const QByteArray interrupted = "Body {\r\ncolor: green;\r\n}\r\n";
    writeAll(a + ".ORIGINAL", kSheet);
    writeAll(a, interrupted);

    questioner.answers = {Questioner::Cancel};
    EXPECT_FALSE(files.OpenSheet(a));
    EXPECT_EQ(questioner.asked[0].caption, QStringLiteral("ВНИМАНИЕ!"));
    EXPECT_TRUE(questioner.asked[0].text.startsWith(
        QStringLiteral("При попытке открытия файла обнаружена его начальная версия. \r")));
    EXPECT_TRUE(store.currentFileName().isEmpty());
    EXPECT_EQ(readAll(a), interrupted);
    EXPECT_EQ(readAll(a + ".ORIGINAL"), kSheet);

    questioner.answers = {Questioner::Yes};
    ASSERT_TRUE(files.OpenSheet(a));
    EXPECT_EQ(store.sheetText(), "Body {\r\ncolor: green;\r\n}\r\n") << "in the program's layout";
    EXPECT_EQ(readAll(a + ".ORIGINAL"), interrupted);

    EXPECT_TRUE(files.ConfirmDiscard());
    writeAll(a + ".ORIGINAL", kSheet);
    questioner.answers = {Questioner::No};
    ASSERT_TRUE(files.OpenSheet(a));
    EXPECT_EQ(readAll(a), kSheet);
    EXPECT_EQ(store.list().items(), (QList<QByteArray>{"Body", "h1"}));
}

TEST_F(SheetFilesTest, UnreadableLeftOverCopyNeverTakesTheFilesPlace)
{
    const QByteArray interrupted = "Body {\r\ncolor: green;\r\n}\r\n";
    const QString copy = a + ".ORIGINAL";
    const std::function<void()> spoilCopy[] = {
        [&] { writeAll(copy, QByteArray("p {\0}", 5)); },
        [&] { ASSERT_TRUE(QDir(dir.path()).mkpath("a.css.ORIGINAL/inside")); },
    };
    for (const auto &spoil : spoilCopy) {
        QFile::remove(copy);
        QDir(copy).removeRecursively();
        writeAll(a, interrupted);
        spoil();
        questioner.asked.clear();
        questioner.answers = {Questioner::No};
        EXPECT_FALSE(files.OpenSheet(a));
        ASSERT_EQ(questioner.asked.size(), 2);
        EXPECT_TRUE(questioner.asked[1].text.startsWith(QStringLiteral("Начальную версию восстановить нельзя")));
        EXPECT_EQ(readAll(a), interrupted);
        EXPECT_TRUE(QFileInfo::exists(copy));
    }
}

TEST_F(SheetFilesTest, SavingWritesTheFileAndItsCopy)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    EXPECT_TRUE(files.SaveSheet());
    EXPECT_FALSE(store.sheetModified());
    EXPECT_EQ(readAll(a), store.sheetText());
    EXPECT_EQ(readAll(a + ".ORIGINAL"), store.sheetText());
    EXPECT_TRUE(readAll(a).contains("color: blue;"));
}

// The option is read from the settings after the last sheet has opened:
// switched on before any change, the file keeps its own bytes.
TEST_F(SheetFilesTest, KeepingLayoutSwitchedOnAfterOpeningKeepsTheFileAsWritten)
{
    const QByteArray handWritten = "\xEF\xBB\xBF" "body{color:red}\n\n  h1 { margin:0 }  /* end */";
    writeAll(a, handWritten);
    ASSERT_TRUE(files.OpenSheet(a));
    editor.ListTagClick(1);
    store.setKeepUntouchedLayout(true);
    EXPECT_TRUE(files.SaveSheet());
    EXPECT_EQ(readAll(a), handWritten);
}

TEST_F(SheetFilesTest, SavingAnUnnamedSheetAsksForANameAndCancelStopsTheClose)
{
    store.setSheetModified(true);
    questioner.answers = {Questioner::Yes};
    EXPECT_FALSE(files.ConfirmDiscard());
    EXPECT_TRUE(store.sheetModified());

    host.saveAnswers = {b};
    questioner.answers = {Questioner::Yes};
    EXPECT_TRUE(files.ConfirmDiscard());
    EXPECT_EQ(readAll(b), "Body {\n}\n") << "a new sheet ends its lines as this platform's files do";
    EXPECT_FALSE(QFile::exists(b + ".ORIGINAL")) << "leaving the sheet removes its copy";
}

TEST_F(SheetFilesTest, EveryLayoutKeepsTheFilesOwnLineEnds)
{
    for (const bool keep : {false, true}) {
        for (const QByteArray end : {QByteArray("\n"), QByteArray("\r\n")}) {
            QByteArray sheet = kSheet;
            sheet.replace("\r\n", end);
            writeAll(a, sheet);
            store.setKeepUntouchedLayout(keep);
            ASSERT_TRUE(files.OpenSheet(a));
            store.memo().setLines({"color: blue;", "margin-top: 1px;"});
            store.setSheetModified(true);
            files.SaveExecute();
            const QByteArray saved = readAll(a);
            EXPECT_TRUE(saved.contains("blue")) << saved.constData();
            EXPECT_EQ(saved.count(end), saved.count('\n')) << keep << saved.constData();
            EXPECT_EQ(end == "\n", !saved.contains('\r')) << keep << saved.constData();
            EXPECT_TRUE(files.ConfirmDiscard());
        }
    }
}

TEST_F(SheetFilesTest, SaveAsPutsTheEditsUnderTheNewNameAndRestoresTheOld)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    host.saveAnswers = {b};
    files.SaveAsExecute();
    EXPECT_EQ(readAll(a), kSheet);
    EXPECT_FALSE(QFile::exists(a + ".ORIGINAL"));
    EXPECT_EQ(readAll(b), store.sheetText());
    EXPECT_EQ(readAll(b + ".ORIGINAL"), store.sheetText());
    EXPECT_EQ(host.caption, QStringLiteral("Quillbox 1.8 - ") + b);
    EXPECT_TRUE(questioner.asked.isEmpty());
}

TEST_F(SheetFilesTest, SaveAsOntoItsOwnNameAsksNothing)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    host.saveAnswers = {a};
    files.SaveAsExecute();
    EXPECT_TRUE(questioner.asked.isEmpty());
    EXPECT_TRUE(readAll(a).contains("color: blue;"));
    EXPECT_FALSE(store.sheetModified());
}

TEST_F(SheetFilesTest, DecliningToReplaceAnotherFileSavesNothing)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    writeAll(b, "other");
    host.saveAnswers = {b};
    questioner.answers = {Questioner::No};
    store.setMayProceed(true);
    files.SaveAsExecute();
    EXPECT_EQ(questioner.asked[0].text, QStringLiteral("Такой файл уже существует.Заменить его?"));
    EXPECT_EQ(readAll(b), "other");
    EXPECT_EQ(store.currentFileName(), a);
    EXPECT_FALSE(store.mayProceed());
}

TEST_F(SheetFilesTest, OpenCommandCancelledKeepsTheSheetAndDoesNotWriteDeclinedEdits)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    questioner.answers = {Questioner::No};
    files.OpenFileExecute();
    EXPECT_EQ(host.openFolders.value(0), dir.path());
    EXPECT_EQ(readAll(a), kSheet);
    EXPECT_EQ(readAll(a + ".ORIGINAL"), kSheet);
    EXPECT_EQ(store.currentFileName(), a);
    EXPECT_FALSE(store.sheetModified());
    EXPECT_FALSE(store.sheetText().contains("blue"));
}

TEST_F(SheetFilesTest, LastFileAndRuleAreReopened)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editor.ListTagClick(1);
    files.RememberLastFile();
    EXPECT_TRUE(files.ConfirmDiscard());

    Editor next(host, questioner);
    next.files().NewSheet();
    next.files().OpenLastFile({});
    EXPECT_EQ(next.store().currentFileName(), a);
    EXPECT_EQ(next.store().list().selected(), 1);

    std::unique_ptr<QSettings> settings(openProgramSettings());
    settings->setValue("LastNameStyle", "H1");
    settings->sync();
    EXPECT_TRUE(next.files().ConfirmDiscard());
    Editor third(host, questioner);
    third.files().NewSheet();
    third.files().OpenLastFile({});
    EXPECT_EQ(third.store().list().selected(), 0);
    EXPECT_TRUE(third.files().ConfirmDiscard());
}

TEST_F(SheetFilesTest, UndoAndRedoRememberTheRuleEachStepSelects)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editor.ListTagClick(1);
    editor.panelController().optionClicked("Text_Align_Center");
    editor.panelController().optionClicked("Text_Align_Right");
    editor.ListTagClick(0);
    // Each step selects the rule it was made on, and the settings follow,
    // also when the step before gave the same rule.
    UndoRedo &steps = editor.undoRedo();
    const std::pair<void (UndoRedo::*)(), const char *> sequence[] = {
        {&UndoRedo::BackEditExecute, "h1"}, {&UndoRedo::BackEditExecute, "Body"}, {&UndoRedo::ForeEditExecute, "h1"},
        {&UndoRedo::ForeEditExecute, "h1"}, {&UndoRedo::BackEditExecute, "h1"},   {&UndoRedo::BackEditExecute, "Body"}};
    for (const auto &[step, rule] : sequence) {
        (steps.*step)();
        std::unique_ptr<QSettings> settings(openProgramSettings());
        EXPECT_EQ(settings->value("LastNameStyle").toString(), QLatin1String(rule));
        EXPECT_EQ(settings->value("PathToLastFile").toString(), a);
    }
    store.setSheetModified(false);
}

TEST_F(SheetFilesTest, CommandLineArgumentWinsOverTheLastFile)
{
    ASSERT_TRUE(files.OpenSheet(a));
    EXPECT_TRUE(files.ConfirmDiscard());
    writeAll(b, "p {\r\n}\r\n");

    Editor withArgument(host, questioner);
    withArgument.files().NewSheet();
    withArgument.files().OpenLastFile({b});
    EXPECT_EQ(withArgument.store().currentFileName(), b);
    EXPECT_TRUE(withArgument.files().ConfirmDiscard());

    Editor missingArgument(host, questioner);
    missingArgument.files().NewSheet();
    missingArgument.files().OpenLastFile({dir.filePath("nope.css")});
    EXPECT_EQ(missingArgument.store().currentFileName(), b);
    EXPECT_TRUE(missingArgument.files().ConfirmDiscard());
}

TEST_F(SheetFilesTest, UnreadableInputIsRefusedAndChangesNothing)
{
    QDir(dir.path()).mkdir("folder.css");
    writeAll(dir.filePath("binary.css"), QByteArray("p {\0}", 5));
    {
        QFile big(dir.filePath("big.css"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(50LL * 1024 * 1024));
    }
    const QString inputs[] = {dir.filePath("folder.css"), dir.filePath("binary.css"), dir.filePath("big.css"),
                              dir.filePath("removed.css")};
    ASSERT_TRUE(files.OpenSheet(a));
    const QByteArray before = store.sheetText();
    for (const QString &path : inputs) {
        questioner.asked.clear();
        EXPECT_FALSE(files.OpenSheet(path)) << path.toStdString();
        ASSERT_EQ(questioner.asked.size(), 1) << path.toStdString();
        EXPECT_TRUE(questioner.asked[0].text.contains(path));
        EXPECT_EQ(store.currentFileName(), a);
        EXPECT_EQ(store.sheetText(), before);
        EXPECT_FALSE(QFile::exists(path + ".ORIGINAL"));
    }
}

// Each input keeps a part the save must carry over untouched.
TEST_F(SheetFilesTest, LargeOrOddInputKeepsEveryByteAndLongOpensSaySo)
{
    QByteArray manyRules;
    for (int i = 0; i < 100000; ++i)
        manyRules += "r" + QByteArray::number(i) + " { color: red }\r\n";
    const QByteArray longValue = "\"" + QByteArray(7 * 1024 * 1024, 'x') + "\"";
    QByteArray everyByte = "/* ";
    for (int b = 1; b < 256; ++b) // line ends excepted: a lone one becomes CRLF
        everyByte += b == '*' || b == '\r' || b == '\n' ? '-' : char(b);
    everyByte += " */";
    const struct {
        QByteArray text;
        QByteArray kept;
        const char *notice; // what the window says while it opens, if anything
    } cases[] = {
        {manyRules, "r99999 {\r\ncolor: red \r\n}\r\n", "Открывается файл a.css (2,2 МБ)..."},
        {"p { content: " + longValue + " }\r\n", longValue, "Открывается файл a.css (7,0 МБ)..."},
        {"p {\r\n}\r\n" + everyByte + "\r\n", everyByte, nullptr},
    };
    for (const auto &c : cases) {
        writeAll(a, c.text);
        host.longWork.clear();
        ASSERT_TRUE(files.OpenSheet(a));
        EXPECT_EQ(host.longWork, c.notice ? QStringList{QString::fromUtf8(c.notice)} : QStringList());
        EXPECT_EQ(host.longWorkOpen, 0) << "the notice ends with the work";
        EXPECT_TRUE(files.SaveSheet());
        EXPECT_TRUE(readAll(a).contains(c.kept));
        ASSERT_TRUE(files.ConfirmDiscard());
    }
}

TEST_F(SheetFilesTest, FailedSaveKeepsTheEditsTheCopyAndTheModifiedFlag)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    // The copy's place is taken by a folder, so the second write fails.
    ASSERT_TRUE(QFile::remove(a + ".ORIGINAL"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("a.css.ORIGINAL"));
    EXPECT_FALSE(files.SaveSheet());
    EXPECT_EQ(questioner.asked.size(), 1);
    EXPECT_TRUE(store.sheetModified());
    // The sheet itself holds the edits whole; the copy's place is untouched.
    EXPECT_EQ(readAll(a), store.sheetText());
    EXPECT_TRUE(QFileInfo(a + ".ORIGINAL").isDir());

    // Closing after a failed save must not go on and lose the edits.
    questioner.answers = {Questioner::Yes};
    EXPECT_FALSE(files.ConfirmDiscard());
    EXPECT_EQ(readAll(a), store.sheetText());
}

// "No" at close lets the user leave even when the file cannot be put back
// (a folder in its place, a file the system protects), and says in their
// words what is where; the copy stays.
TEST_F(SheetFilesTest, NoThatCannotRestoreTheFileClosesAndSaysWhereEachVersionIs)
{
    const struct {
        const char *name;
        std::function<void(const QString &)> block;
        const char *reason;
    } cases[] = {
        {"FolderInItsPlace",
         [](const QString &path) {
             QFile::remove(path);
             QDir().mkpath(path + "/inside");
         },
         "папка"},
        {"ProtectedFile", [](const QString &path) { setFileFaultForTests([path](const QString &p) { return p == path ? EPERM : 0; }); },
         "Нет прав на запись"},
    };
    for (const auto &c : cases) {
        writeAll(a, kSheet);
        ASSERT_TRUE(files.OpenSheet(a)) << c.name;
        editAndRefresh();
        c.block(a);
        questioner.asked.clear();
        questioner.answers = {Questioner::Yes};
        EXPECT_FALSE(files.ConfirmDiscard()) << c.name << ": a failed save does not close";
        EXPECT_TRUE(questioner.asked.last().text.contains(QString::fromUtf8(c.reason))) << c.name;
        questioner.answers = {Questioner::No};
        EXPECT_TRUE(files.ConfirmDiscard()) << c.name << ": No closes";
        setFileFaultForTests({});
        const QString told = questioner.asked.last().text;
        EXPECT_TRUE(told.contains(QString::fromUtf8(c.reason))) << c.name << told.toStdString();
        EXPECT_TRUE(told.contains(a + ".ORIGINAL")) << told.toStdString();
        EXPECT_FALSE(told.contains(QStringLiteral("Operation")) || told.contains(QStringLiteral("directory")));
        EXPECT_EQ(readAll(a + ".ORIGINAL"), kSheet) << c.name;
        QDir(a).removeRecursively();
        QFile::remove(a + ".ORIGINAL");
    }
}

// A save, a restore and the recovery copy keep the sheet's own mode: a
// private sheet's copy is no more readable than the sheet.
TEST_F(SheetFilesTest, SavesRestoresAndCopiesKeepTheFilesMode)
{
    for (const QFile::Permissions mode : {QFile::ReadOwner | QFile::WriteOwner, QFile::Permissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther)}) {
        writeAll(a, kSheet);
        ASSERT_TRUE(QFile::setPermissions(a, mode));
        ASSERT_TRUE(files.OpenSheet(a));
        EXPECT_EQ(QFile::permissions(a + ".ORIGINAL") & 0xF0FF, mode & 0xF0FF) << "copy";
        editAndRefresh();
        EXPECT_TRUE(files.SaveSheet());
        EXPECT_EQ(QFile::permissions(a) & 0xF0FF, mode & 0xF0FF) << "save";
        EXPECT_EQ(QFile::permissions(a + ".ORIGINAL") & 0xF0FF, mode & 0xF0FF) << "copy after a save";
        editAndRefresh();
        questioner.answers = {Questioner::No};
        EXPECT_TRUE(files.ConfirmDiscard());
        EXPECT_EQ(QFile::permissions(a) & 0xF0FF, mode & 0xF0FF) << "restored";
        QFile::setPermissions(a, QFile::ReadOwner | QFile::WriteOwner);
    }
}

// Once the user has seen another program's change, nothing of theirs or
// its is lost or brought back unseen: "No" at close gives back the file as
// the other program left it (or left it removed), and an undo past a
// reload is a change closing asks about.
TEST_F(SheetFilesTest, AnotherProgramsChangeIsNeverUndoneUnseen)
{
    const QByteArray other = "Body {\r\ncolor: green;\r\n}\r\n";
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    writeAll(a, other);
    questioner.answers = {Questioner::No, Questioner::No};
    files.DiskChanged(); // keep my version
    EXPECT_TRUE(files.ConfirmDiscard());
    EXPECT_EQ(readAll(a), other) << "the other program's version stays";

    writeAll(a, kSheet);
    ASSERT_TRUE(files.OpenSheet(a));
    editAndRefresh();
    QFile::remove(a);
    files.DiskChanged();
    questioner.answers = {Questioner::No};
    EXPECT_TRUE(files.ConfirmDiscard());
    EXPECT_FALSE(QFile::exists(a)) << "a removed file stays removed";

    writeAll(a, kSheet);
    ASSERT_TRUE(files.OpenSheet(a));
    editor.panelController().optionClicked("Text_Align_Center");
    const QByteArray mine = store.sheetText();
    writeAll(a, other);
    questioner.answers = {Questioner::Yes};
    files.DiskChanged(); // take theirs
    EXPECT_FALSE(store.sheetModified());
    editor.undoRedo().BackEditExecute();
    ASSERT_EQ(store.sheetText(), mine);
    EXPECT_TRUE(store.sheetModified()) << "undo brought back a text the file does not hold";
    questioner.asked.clear();
    questioner.answers = {Questioner::Cancel};
    EXPECT_FALSE(files.ConfirmDiscard());
    EXPECT_EQ(questioner.asked.size(), 1);
}

// Taking the file again keeps the very rule selected: the same block,
// selector and occurrence, though a rule of that name comes first.
TEST_F(SheetFilesTest, TakingTheFileAgainKeepsTheSameRuleSelected)
{
    const QByteArray sheet = ".btn {\r\n}\r\n@media print {\r\n.btn {\r\n}\r\n.x {\r\n}\r\n.x {\r\n}\r\n}\r\n";
    for (const int row : {1, 3}) { // the .btn in @media, the second .x
        writeAll(a, sheet);
        ASSERT_TRUE(files.OpenSheet(a));
        editor.ListTagClick(row);
        writeAll(a, ".new {\r\n}\r\n" + sheet);
        files.DiskChanged();
        EXPECT_EQ(store.list().selected(), row + 1) << row;
        EXPECT_TRUE(files.ConfirmDiscard());
    }
}

TEST_F(SheetFilesTest, LoadStopsWhenTheCopyCannotBeWritten)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("a.css.ORIGINAL"));
    EXPECT_FALSE(files.LoadSheet(a));
    EXPECT_EQ(questioner.asked.size(), 1);
    EXPECT_TRUE(store.currentFileName().isEmpty());
    EXPECT_EQ(store.sheetText(), "Body {\r\n}\r\n");
}

TEST_F(SheetFilesTest, UnheldPartOfTheSheetSurvivesASave)
{
    const QByteArray text = "a {\r\nx;\r\n}\r\n@keyframes k {\r\n  to { top: 0 }\r\n}\r\n/* end */\r\n";
    writeAll(a, text);
    ASSERT_TRUE(files.OpenSheet(a));
    EXPECT_EQ(store.styleCount(), 1);
    EXPECT_TRUE(files.SaveSheet());
    EXPECT_TRUE(readAll(a).endsWith("@keyframes k {\r\n  to { top: 0 }\r\n}\r\n/* end */\r\n"));
}

// A sheet the program lists no rule of, or only some, is saved back whole
// with untouched layout kept, whether the option was on at the open or
// switched on after it.
TEST_F(SheetFilesTest, ASaveWithTheFilesLayoutKeepsEveryUnlistedByte)
{
    for (const QByteArray &text : {QByteArray("@charset \"UTF-8\";\n"), QByteArray("{}\n"),
                                   QByteArray("a { @mixin x {} }\n"), QByteArray("/* only a comment */"),
                                   QByteArray("[foo=\\{] { }\n\\@noat { }\nh1\\\\{ color: red }\n")}) {
        for (const bool before : {true, false}) {
            writeAll(a, text);
            store.setKeepUntouchedLayout(before);
            ASSERT_TRUE(files.OpenSheet(a));
            store.setKeepUntouchedLayout(true);
            EXPECT_TRUE(files.SaveSheet());
            EXPECT_EQ(readAll(a), text) << text.constData() << (before ? " option on at the open" : " option on after");
            EXPECT_TRUE(files.ConfirmDiscard());
            store.setKeepUntouchedLayout(false);
        }
    }
}

TEST(SheetFileIo, DeviceIsNotOverwritten)
{
    QString error;
    EXPECT_FALSE(writeSheetFile(QStringLiteral("/dev/full"), {"a"}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/dev/full")));
    const QFileInfo device(QStringLiteral("/dev/full"));
    EXPECT_TRUE(device.exists());
    EXPECT_FALSE(device.isFile()) << "still the device, not a file put in its place";
}

// A folder nobody may write to (even root, which ignores permission bits).
TEST(SheetFileIo, ReadOnlyFolderIsReportedAndLeftClean)
{
    const QString path = QStringLiteral("/proc/quillbox-sheet.css");
    QString error;
    EXPECT_FALSE(writeSheetFile(path, {"a {", "}"}, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось записать файл «") + path));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(SheetFiles, FolderIsEverythingBeforeTheLastSlash)
{
    EXPECT_EQ(SheetFiles::folderOf(QStringLiteral("/site/css/main.css")), QStringLiteral("/site/css"));
    EXPECT_EQ(SheetFiles::folderOf(QStringLiteral("main.css")), QString());
    EXPECT_EQ(SheetFiles::folderOf(QString()), QString());
}

} // namespace

namespace {

TEST_F(SheetFilesTest, AutoRefreshWritesEachChangeAndNoRestoresTheFile)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editor.commit().setAutoRefresh(true);
    FakeBrowser browser;
    editor.setBrowser(&browser);
    editor.panelController().optionClicked("Text_Align_Justify");
    EXPECT_TRUE(readAll(a).contains("Text-align: justify;"));
    EXPECT_EQ(readAll(a + ".ORIGINAL"), kSheet);
    EXPECT_EQ(browser.reloads, 1);
    // Another page shown: the file is written, the browser left alone.
    browser.pageShown = false;
    editor.panelController().optionClicked("Text_Align_Left");
    EXPECT_TRUE(readAll(a).contains("Text-align: left;"));
    EXPECT_EQ(browser.reloads, 1);

    questioner.answers = {Questioner::No};
    EXPECT_TRUE(files.ConfirmDiscard());
    EXPECT_EQ(readAll(a), kSheet);
    EXPECT_FALSE(QFile::exists(a + ".ORIGINAL"));
}

TEST_F(SheetFilesTest, NoGivesBackTheFilesOwnBytes)
{
    // LF line ends, indentation, no line break at the end: nothing the
    // program would write itself.
    const QByteArray own = "Body {\n    color: red;\n}\nh1 {\n\tmargin: 0\n}";
    writeAll(a, own);
    ASSERT_TRUE(files.OpenSheet(a));
    editor.commit().setAutoRefresh(true);
    editor.panelController().optionClicked("Text_Align_Center");
    ASSERT_NE(readAll(a), own);
    questioner.answers = {Questioner::No};
    EXPECT_TRUE(files.ConfirmDiscard());
    EXPECT_EQ(readAll(a), own);
}

TEST_F(SheetFilesTest, SheetRemovedOrReplacedByAFolderWhileOpenLosesNoEdit)
{
    editor.commit().setAutoRefresh(true);
    ASSERT_TRUE(files.OpenSheet(a));

    // Removed: the refresh leaves the place empty, a save writes the sheet back.
    ASSERT_TRUE(QFile::remove(a));
    editor.panelController().optionClicked("Text_Align_Justify");
    EXPECT_TRUE(questioner.asked.isEmpty());
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_TRUE(files.SaveSheet());
    EXPECT_TRUE(readAll(a).contains("Text-align: justify;"));

    // A folder in its place: each write says so and the edits stay in memory.
    ASSERT_TRUE(QFile::remove(a));
    ASSERT_TRUE(QDir(dir.path()).mkpath("a.css/inside"));
    editor.panelController().optionClicked("Text_Align_Left");
    ASSERT_EQ(questioner.asked.size(), 1);
    EXPECT_TRUE(questioner.asked[0].text.contains(a));
    EXPECT_FALSE(files.SaveSheet());
    EXPECT_EQ(questioner.asked.size(), 2);
    EXPECT_TRUE(store.sheetModified());
    EXPECT_TRUE(store.sheetText().contains("Text-align: left;"));
    EXPECT_TRUE(QFileInfo(a).isDir());
}

TEST_F(SheetFilesTest, WithoutAutoRefreshTheFileWaitsForASave)
{
    ASSERT_TRUE(files.OpenSheet(a));
    editor.panelController().optionClicked("Text_Align_Justify");
    EXPECT_EQ(readAll(a), kSheet);
}

TEST_F(SheetFilesTest, RefreshOfAnUnsavedSheetWritesNoFile)
{
    editor.preview().RefreshViewExecute();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).size() == 1); // only a.css
}

} // namespace
