// The sheet and its recovery copy survive the program being killed at any
// moment while it edits with automatic refresh on and saves.
#include "core/editor/editor.h"

#include "../support/fake_host.h"
#include "../support/file_bytes.h"
#include "../support/scripted_questioner.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kSheet = "Body {\r\ncolor: red;\r\n}\r\nh1 {\r\nmargin: 0;\r\n}\r\n";
const char *const kOptions[] = {"Text_Align_Justify", "Text_Align_Left", "Text_Align_Center", "Text_Align_Right"};

// Edits and saves for ever; one byte on the pipe says the sheet is open.
[[noreturn]] void editUntilKilled(const QString &path, int ready)
{
    // A kill while Qt writes the settings lock can leave one that Qt only
    // calls stale after 30 s; each child keeps its settings apart so that
    // the rounds do not wait on it. The sheet files are what is tested.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       path + ".settings" + QString::number(getpid()));
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor(host, questioner);
    editor.commit().setAutoRefresh(true);
    if (!editor.files().OpenSheet(path))
        _exit(1);
    (void)!write(ready, "o", 1);
    for (int step = 0;; ++step) {
        editor.panelController().optionClicked(kOptions[step % 4]);
        if (step % 3 == 2)
            editor.files().SaveSheet();
    }
}

// Every text the child can write: the sheet as read and after each option.
QSet<QByteArray> wholeTexts(const QString &path)
{
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor(host, questioner);
    QSet<QByteArray> texts{kSheet};
    if (!editor.files().OpenSheet(path))
        return texts;
    for (const char *option : kOptions) {
        editor.panelController().optionClicked(option);
        texts.insert(editor.store().sheetText());
    }
    questioner.answers = {Questioner::No};
    editor.files().ConfirmDiscard();
    return texts;
}

TEST(CrashSafety, KilledWhileEditingLeavesAWholeSheetAndItsCopy)
{
    QTemporaryDir dir;
    const QString sheet = dir.filePath("a.css");
    const QString copy = sheet + ".ORIGINAL";
    writeAll(sheet, kSheet);
    const QSet<QByteArray> whole = wholeTexts(sheet);
    ASSERT_EQ(readAll(sheet), kSheet);
    ASSERT_FALSE(QFile::exists(copy));

    std::mt19937 random(18);
    for (int round = 0; round < 100; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            editUntilKilled(sheet, pipeEnds[1]);
        }
        close(pipeEnds[1]);
        char ready = 0;
        const bool opened = read(pipeEnds[0], &ready, 1) == 1;
        close(pipeEnds[0]);
        usleep(std::uniform_int_distribution<unsigned>(0, 20000)(random));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        ASSERT_TRUE(opened) << "round " << round;

        const QByteArray onDisk = readAll(sheet);
        const QByteArray guarded = readAll(copy);
        EXPECT_TRUE(whole.contains(onDisk)) << "round " << round << ": " << onDisk.toStdString();
        EXPECT_TRUE(whole.contains(guarded)) << "round " << round << ": " << guarded.toStdString();

        // The next start asks, and each answer does what it says.
        FakeHost host;
        ScriptedQuestioner questioner;
        Editor editor(host, questioner);
        const bool restore = round % 2 == 1;
        questioner.answers = {restore ? Questioner::No : Questioner::Yes};
        ASSERT_TRUE(editor.files().OpenSheet(sheet)) << "round " << round;
        ASSERT_EQ(questioner.asked.size(), 1);
        EXPECT_EQ(questioner.asked[0].caption, QStringLiteral("ВНИМАНИЕ!"));
        EXPECT_EQ(readAll(sheet), restore ? guarded : onDisk) << "round " << round;
        EXPECT_EQ(readAll(copy), readAll(sheet));
        ASSERT_TRUE(editor.files().ConfirmDiscard());
        EXPECT_FALSE(QFile::exists(copy));
        writeAll(sheet, kSheet);
    }
}

} // namespace
