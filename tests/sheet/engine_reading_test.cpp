// Sheets every CSS parser is tested against (cases of the public parser
// tests): the engine reads each the same before and after an open, a click
// through every rule and a save, in either layout, and the list holds every
// style rule the engine reads.
#include "../support/click_through.h"
#include "../support/page_script.h"


#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEnginePage>

#include <gtest/gtest.h>

namespace {

TEST(EngineReading, ParserEdgeCasesReadTheSameAfterAClickThroughAndASave)
{
    const struct {
        const char *name;
        QByteArray sheet;
    } cases[] = {
        {"Escapes",
         "a {\n    background: url(\"a).png\");\n    background: url(a;a);\n    background: url(a/*);\n"
         "    background: \\;a;\n}\n\n:not([foo=\")\"]) { }\n:not(div/*)*/) { }\n"
         ":not(:nth-child(2n of [foo=\")\"])) { }\n[foo=\\\"] { }\n[foo=\\{] { }\n[foo=\\(] { }\n"
         "[foo=yes\\:\\(it\\'s\\ work\\)] { }\n\n\\@noat { }\n\nh1\\\\{\n    color: \\\\;\n}\n\n[attr=;] { }\n\n"
         ".prop {\n    \\62 olor: red\n}\n"},
        {"BracesInAtRulePreludes",
         "@supports (--element(\".minwidth\", { \"minWidth\": 300 })) {\n  [--self] {\n    background: greenyellow;\n  }\n}\n\n"
         "@supports ({\"example\": 1}) {\n  * { background: red; }\n}\n\n"
         "@supports ([[[[[{ --func(color: { red }) }]]]]]) {\n  * { background: red; }\n}\n"},
        {"CommentsInSelectors",
         "/* a { color: black } */\ndiv {\n    /* inside */\n    color: black;\n}\n.in/**/side {\n  color: red;\n}\n"
         "a/* test */b {\n  color: red;\n}\nc /* x */ d, e/**/ f {\n  color: blue;\n}\n"},
        // A quote inside an unquoted address makes it a bad one, which ends
        // at its ")"; a string goes on past an escaped line break.
        {"BadAddressesAndEscapedLineBreaks",
         "a {\n  background: url(x\"y);\n  color: red;\n}\nb { background: url(it's.png) } c { color: blue }\n"
         "d {\n  content: \"x\\\ny}\";\n  color: green;\n}\ne {\n  color: olive;\n}\n"},
    };
    QJsonArray sheets;
    QStringList names;
    std::vector<int> listed;
    for (const auto &c : cases) {
        for (const bool keep : {true, false}) {
            const ClickedThrough done = clickThroughAndSave(c.sheet, keep);
            sheets.append(QString::fromUtf8(c.sheet));
            sheets.append(QString::fromUtf8(done.saved));
            names.append(QString::fromLatin1(c.name) + (keep ? " (file's layout)" : " (program's layout)"));
            listed.push_back(done.styleRules);
        }
    }
    const QVariantList read = judgeInBlankPage(kReadSheetRules, sheets);
    ASSERT_EQ(read.size(), sheets.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QVariantList before = read[2 * i].toList(), after = read[2 * i + 1].toList();
        EXPECT_EQ(after.value(0).toString().toStdString(), before.value(0).toString().toStdString()) << names[i].toStdString();
        // The list may hold more: rules this engine drops (":nth-child(… of S)",
        // "a/**/b") are still the user's to edit.
        EXPECT_GE(listed[size_t(i)], before.value(1).toInt()) << names[i].toStdString() << ": every style rule is listed";
    }
}

} // namespace
