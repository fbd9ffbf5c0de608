// The edge cases every CSS parser is tested against (the public
// postcss-parser-tests package, fetched by scripts/fetch-corpus): each
// sheet, opened, clicked through rule by rule and saved, in either layout,
// reads the same to the engine, is never written shorter than the text the
// program does not list, and lists every style rule the engine reads.
#include "corpus_sheets.h"
#include "../support/click_through.h"
#include "../support/page_script.h"


#include <QDir>
#include <QJsonArray>

namespace {

const QStringList kHoldsBlocksThatAreNoRules = {QStringLiteral("apply.css"), QStringLiteral("custom-properties.css"),
                                                QStringLiteral("rule-at.css")};

TEST(ParserCases, EachReadsTheSameToTheEngineAfterAClickThroughAndASave)
{
    const QDir folder(corpusDir() + QStringLiteral("/parser-cases"));
    const QStringList names = folder.entryList({QStringLiteral("*.css")}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 25) << "run scripts/fetch-corpus: " << folder.path().toStdString();
    QJsonArray sheets;
    QStringList labels;
    std::vector<int> listed;
    for (const QString &name : names) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray text = file.readAll();
        for (const bool keep : {true, false}) {
            const ClickedThrough done = clickThroughAndSave(text, keep);
            const QByteArray &saved = done.saved;
            const QString label = name + (keep ? QStringLiteral(" (file's layout)") : QStringLiteral(" (program's layout)"));
            // The store was given the text without its line breaks' kind.
            if (keep)
                EXPECT_EQ(QByteArray(saved).replace("\r\n", "\n").toStdString(), text.toStdString())
                    << label.toStdString() << ": nothing was changed";
            EXPECT_FALSE(saved.trimmed().isEmpty() && !text.trimmed().isEmpty()) << label.toStdString();
            sheets.append(QString::fromUtf8(text));
            sheets.append(QString::fromUtf8(saved));
            labels.append(label);
            listed.push_back(done.styleRules);
        }
    }
    const QVariantList read = judgeInBlankPage(kReadSheetRules, sheets);
    ASSERT_EQ(read.size(), sheets.size());
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const QVariantList before = read[2 * i].toList(), after = read[2 * i + 1].toList();
        EXPECT_EQ(after.value(0).toString().toStdString(), before.value(0).toString().toStdString()) << labels[i].toStdString();
        // A style rule holding a block that is no rule (a custom property's
        // "{…}" value, an unknown at-rule) is kept aside whole, unlisted.
        if (!kHoldsBlocksThatAreNoRules.contains(labels[i].section(QLatin1Char(' '), 0, 0)))
            EXPECT_GE(listed[size_t(i)], before.value(1).toInt()) << labels[i].toStdString() << ": every style rule is listed";
    }
}

} // namespace
