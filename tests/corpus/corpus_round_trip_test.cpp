// Public frameworks' sheets survive opening, clicking through every rule
// and saving: the rule list, the comments, the part the table does not
// hold, and a second round gives the same bytes.
#include "corpus_sheets.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
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

// The style rules of a sheet, counted the plain way: every "{" whose
// prelude is no at-rule, outside the blocks of at-rules that hold no style
// rules (@keyframes, @font-face) and of custom properties.
int styleRulesIn(const QByteArray &text)
{
    enum Kind { Rules, Opaque };
    std::vector<Kind> open;
    int count = 0;
    qsizetype preludeFrom = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            const qsizetype end = text.indexOf("*/", i + 2);
            i = end < 0 ? text.size() : end + 1;
        } else if (c == '"' || c == '\'') {
            for (++i; i < text.size() && text[i] != c && text[i] != '\n'; ++i)
                i += text[i] == '\\' ? 1 : 0;
        } else if (c == '\\') {
            ++i;
        } else if (c == ';' || c == '}') {
            if (c == '}' && !open.empty())
                open.pop_back();
            preludeFrom = i + 1;
        } else if (c == '{') {
            static const QRegularExpression comment(QStringLiteral("/\\*.*?\\*/"),
                                                    QRegularExpression::DotMatchesEverythingOption);
            const QByteArray prelude = QString::fromLatin1(text.mid(preludeFrom, i - preludeFrom))
                                           .remove(comment)
                                           .trimmed()
                                           .toLatin1();
            const bool inRules = open.empty() || open.back() == Rules;
            const bool conditional = QRegularExpression(QStringLiteral("^@(media|supports|layer|container|scope|"
                                                                       "starting-style|document)\\b"))
                                         .match(QString::fromLatin1(prelude))
                                         .hasMatch();
            const bool style = inRules && !prelude.startsWith('@') && !prelude.startsWith("--");
            count += style ? 1 : 0;
            open.push_back(inRules && (style || conditional) ? Rules : Opaque);
            preludeFrom = i + 1;
        }
    }
    return count;
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

    // Every style rule is a row, at any depth of groups and nesting.
    const int styleRules = styleRulesIn(original);
    int rows = 0;
    for (const QByteArray &rule : first.rules)
        rows += rule.startsWith('@') ? 0 : 1;
    EXPECT_EQ(rows, styleRules);
    std::printf("[ corpus   ] %s: %d of %d style rules listed; %lld of %lld lines kept verbatim after them\n",
                qPrintable(GetParam()), rows, styleRules, static_cast<long long>(first.tail.size()),
                static_cast<long long>(splitText(original).size()));
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

    // One colour picked for each of 50 rules: one line changed, or one
    // added; undo gives the file back.
    const int count = editor.store().styleCount();
    const ByteLines was = splitText(original);
    int changedLines = 0, addedLines = 0, rules = 0;
    for (int k = 0; k < 50 && k < count; ++k) {
        const int rule = int(qint64(k) * count / std::min(50, count));
        if (editor.store().list().item(rule).startsWith('@') || editor.store().list().item(rule) == "LINK_HTML")
            continue;
        editor.ListTagClick(rule);
        editor.panelController().swatchColorChosen(Swatch::Font, Rgb{1, 2, 3});
        ASSERT_TRUE(editor.files().SaveSheet());
        const QByteArray now = saved();
        const ByteLines lines = splitText(now);
        qsizetype head = 0, tail = 0;
        while (head < was.size() && head < lines.size() && was[head] == lines[head])
            ++head;
        while (tail < was.size() - head && tail < lines.size() - head
               && was[was.size() - 1 - tail] == lines[lines.size() - 1 - tail])
            ++tail;
        const qsizetype removed = was.size() - head - tail, added = lines.size() - head - tail;
        EXPECT_TRUE(added == 1 && removed <= 1)
            << editor.store().list().item(rule).constData() << ": -" << removed << " +" << added << "\n"
            << joinLines(lines.mid(head, added), "\n").left(400).constData();
        EXPECT_TRUE(now.contains("#010203")) << editor.store().list().item(rule).constData();
        (removed == 1 ? changedLines : addedLines) += 1;
        ++rules;
        editor.undoRedo().BackEditExecute();
        ASSERT_TRUE(editor.files().SaveSheet());
        ASSERT_TRUE(saved() == original) << "undo and save, " << editor.store().list().item(rule).constData();
    }
    std::printf("[ corpus   ] %s: %d colours picked, %d lines changed in place, %d added\n", qPrintable(GetParam()),
                rules, changedLines, addedLines);
    editor.files().ConfirmDiscard();
}

INSTANTIATE_TEST_SUITE_P(Frameworks, CorpusKeptLayout,
                         testing::ValuesIn(corpusSheets() + QStringList{crLfVariant(QStringLiteral("bootstrap.css")),
                                                                        crLfVariant(QStringLiteral("jquery-ui.css"))}),
                         corpusTestName);

} // namespace
