// Public frameworks' sheets survive opening, clicking through every rule
// and saving: the rule list, the comments, the part the table does not
// hold, and a second round gives the same bytes.
#include "core/sheet/block_scanner.h"
#include "corpus_sheets.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// The first line where two texts part, with its neighbours; empty when
// they are the same.
std::string firstChangedLine(const QByteArray &was, const QByteArray &now)
{
    if (was == now)
        return {};
    const ByteLines a = splitText(was), b = splitText(now);
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    std::string out = "line " + std::to_string(i + 1) + "\n";
    for (qsizetype k = std::max<qsizetype>(0, i - 2); k < i + 3; ++k) {
        out += "  was: " + (k < a.size() ? a[k].toStdString() : std::string("<end>")) + "\n";
        out += "  now: " + (k < b.size() ? b[k].toStdString() : std::string("<end>")) + "\n";
    }
    return out;
}

class CorpusRoundTrip : public testing::TestWithParam<QString>
{
};

TEST_P(CorpusRoundTrip, KeepsRulesCommentsAndUnheldTextAndSettles)
{
    QString why;
    const QByteArray original = readCorpusSheet(GetParam(), &why);
    ASSERT_FALSE(original.isEmpty()) << why.toStdString();

    QTemporaryDir dir;
    const QString path = writeCorpusCopy(dir, GetParam(), original, false);
    ASSERT_FALSE(path.isEmpty());

    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray onDisk = written.readAll();
    written.close();

    const RoundTrip first = openSelectAllSave(path);
    ASSERT_TRUE(first.savedWell);
    ASSERT_FALSE(first.rules.isEmpty());
    // The part the table does not hold is the original's own last bytes,
    // right after the last held rule's "}", and the save ends with them.
    const QByteArray tail = joinLines(first.tail);
    ASSERT_TRUE(onDisk.endsWith(tail));
    EXPECT_TRUE(onDisk.left(onDisk.size() - tail.size()).trimmed().endsWith('}'));
    EXPECT_TRUE(first.saved.endsWith(tail));
    const RoundTrip second = openSelectAllSave(path);
    ASSERT_TRUE(second.savedWell);
    EXPECT_EQ(second.rules, first.rules);
    for (const ByteLines &preamble : first.preambles) {
        for (const QByteArray &line : preamble)
            EXPECT_TRUE(second.saved.contains(line)) << "lost: " << line.constData();
    }
    EXPECT_EQ(firstChangedLine(first.saved, second.saved), "") << "the program's own output reads back to the same output";

    // Every style rule is held, top-level and inside conditional groups.
    const ByteLines lines = splitText(original);
    int topLevel = 0, nested = 0;
    for (const TopBlock &block : scanSheet(lines).blocks) {
        if (block.hasSelector && block.closed && !block.nested)
            ++(block.group < 0 ? topLevel : nested);
    }
    EXPECT_EQ(first.rules.size(), topLevel + nested);
    std::printf("[ corpus   ] %s: %lld / %d rules held (%d top-level, %d in groups); %lld of %lld lines kept "
                "verbatim after them\n",
                qPrintable(GetParam()), static_cast<long long>(first.rules.size()), topLevel + nested, topLevel,
                nested, static_cast<long long>(first.tail.size()), static_cast<long long>(lines.size()));
}

INSTANTIATE_TEST_SUITE_P(Frameworks, CorpusRoundTrip, testing::ValuesIn(corpusSheets()), corpusTestName);

} // namespace

namespace {

class CorpusKeptLayout : public testing::TestWithParam<QString>
{
};

// With untouched layout kept: open and save changes no byte, one changed
// declaration changes only its rule, and undo gives the original back.
TEST_P(CorpusKeptLayout, OnlyWhatTheUserChangesIsRewritten)
{
    QString why;
    const QByteArray original = readCorpusSheet(GetParam(), &why);
    ASSERT_FALSE(original.isEmpty()) << why.toStdString();
    QTemporaryDir dir;
    const QString path = writeCorpusCopy(dir, GetParam(), original, true);
    ASSERT_FALSE(path.isEmpty());
    auto saved = [&] {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    };

    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor(host, questioner);
    editor.files().NewSheet();
    editor.store().setKeepUntouchedLayout(true);
    ASSERT_TRUE(editor.files().OpenSheet(path));
    ASSERT_TRUE(editor.files().SaveSheet());
    EXPECT_TRUE(saved() == original) << "open and save";

    const int rule = editor.store().styleCount() / 2;
    const QByteArray ownText = joinLines(editor.store().table().asRead[rule].raw.lines(), "\n");
    editor.ListTagClick(rule);
    editor.panelController().optionClicked("Text_Align_Center");
    ASSERT_TRUE(editor.files().SaveSheet());
    ASSERT_TRUE(saved().contains("Text-align: center;"));
    const ByteLines was = splitText(original), now = splitText(saved());
    qsizetype head = 0, tail = 0;
    while (head < was.size() && head < now.size() && was[head] == now[head])
        ++head;
    while (tail < was.size() - head && tail < now.size() - head
           && was[was.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    const QByteArray changed = joinLines(was.mid(head, was.size() - head - tail), "\n");
    EXPECT_TRUE(ownText.contains(changed.trimmed())) << "only the rule changes: " << changed.left(300).constData();
    EXPECT_LE(was.size() - head - tail, ownText.count('\n') + 1);

    editor.undoRedo().BackEditExecute();
    ASSERT_TRUE(editor.files().SaveSheet());
    EXPECT_TRUE(saved() == original) << "undo and save";
    editor.files().ConfirmDiscard();
}

INSTANTIATE_TEST_SUITE_P(Frameworks, CorpusKeptLayout,
                         testing::ValuesIn(corpusSheets() + QStringList{crLfVariant(QStringLiteral("bootstrap.css")),
                                                                        crLfVariant(QStringLiteral("jquery-ui.css"))}),
                         corpusTestName);

} // namespace
