// Public frameworks' sheets survive opening, clicking through every rule
// and saving: the rule list, the comments, the part the table does not
// hold, and a second round gives the same bytes.
#include "corpus_sheets.h"
#include "editor.h"
#include "sheet_file_io.h"

#include "../support/fake_host.h"
#include "../support/scripted_questioner.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

struct RoundTrip {
    QList<QByteArray> rules;
    ByteLines tail;
    QByteArray saved;
    QList<ByteLines> preambles;
};

// Opens the file, selects each held rule in turn and saves it.
RoundTrip openSelectAllSave(const QString &path)
{
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor(host, questioner);
    editor.files().NewSheet();
    RoundTrip result;
    if (!editor.files().OpenSheet(path))
        return result;
    SheetStore &store = editor.store();
    result.rules = store.list().items();
    result.tail = store.tail();
    for (int i = 0; i < store.styleCount(); ++i) {
        result.preambles.append(store.table().preamble(i));
        editor.ListTagClick(i);
    }
    editor.files().SaveSheet();
    result.saved = joinLines(store.sheetLines());
    editor.files().ConfirmDiscard();
    return result;
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
    const QString path = dir.filePath(GetParam());
    ASSERT_TRUE(writeSheetFile(path, splitText(original), nullptr));

    const RoundTrip first = openSelectAllSave(path);
    ASSERT_FALSE(first.rules.isEmpty());
    const RoundTrip second = openSelectAllSave(path);
    EXPECT_EQ(second.rules, first.rules);
    EXPECT_EQ(second.tail, first.tail) << "the part the table does not hold is kept byte for byte";
    EXPECT_TRUE(first.saved.endsWith(joinLines(first.tail)));
    for (const ByteLines &preamble : first.preambles) {
        for (const QByteArray &line : preamble)
            EXPECT_TRUE(second.saved.contains(line)) << "lost: " << line.constData();
    }
    const RoundTrip third = openSelectAllSave(path);
    EXPECT_EQ(third.saved, second.saved) << "a second round changes nothing";

    const ByteLines lines = splitText(original);
    std::printf("[ corpus   ] %s: %lld rules held; %lld of %lld lines kept verbatim after them\n",
                qPrintable(GetParam()), static_cast<long long>(first.rules.size()),
                static_cast<long long>(first.tail.size()), static_cast<long long>(lines.size()));
}

INSTANTIATE_TEST_SUITE_P(Frameworks, CorpusRoundTrip, testing::ValuesIn(corpusSheets()),
                         [](const testing::TestParamInfo<QString> &info) {
                             QString name = info.param;
                             name.remove(QLatin1Char('.'));
                             return name.toStdString();
                         });

} // namespace
