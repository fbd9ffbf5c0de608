// Public frameworks' sheets survive opening, clicking through every rule
// and saving: the rule list, the comments, the part the table does not
// hold, and a second round gives the same bytes.
#include "corpus_sheets.h"
#include "sheet_file_io.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

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
