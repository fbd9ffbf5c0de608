// How much of today's public sheets the panels show: the declarations of
// their style rules, custom properties, @property descriptors and vendor
// prefixes left aside, by property. A property counts, with all its
// declarations, when a control takes or shows one of its values read
// alone (a var() of the sheet's own may stand for any value).
#include "corpus_sheets.h"

#include "core/panels/declaration_list.h"
#include "core/panels/declaration_reader.h"
#include "core/panels/panel_state.h"
#include "core/sheet/rule_memo.h"

#include <QHash>

#include <cstdio>

namespace {

TEST(PanelReach, MostDeclarationsOfTodaysSheetsHaveAControl)
{
    QStringList sheets{QStringLiteral("bootstrap.css")};
    for (const QString &name : corpusSheets()) {
        if (isTodaysSheet(name))
            sheets.append(name);
    }
    QHash<QByteArray, bool> shown; // by "name: value"
    QHash<QByteArray, int> uses;   // by property
    QHash<QByteArray, bool> hasControl;
    for (const QString &name : std::as_const(sheets)) {
        QString why;
        const QByteArray bytes = readCorpusSheet(name, &why);
        ASSERT_FALSE(bytes.isEmpty()) << why.toStdString();
        QTemporaryDir dir;
        FakeHost host;
        ScriptedQuestioner questioner;
        Editor editor(host, questioner);
        editor.files().NewSheet();
        ASSERT_TRUE(editor.files().OpenSheet(writeCorpusCopy(dir, name, bytes, true)));
        const SheetStore &store = editor.store();
        for (int row = 0; row < store.styleCount(); ++row) {
            if (store.list().context(row).contains("@property") || store.list().item(row).startsWith("@property"))
                continue;
            for (const Declaration &d : declarationsOf(joinLines(store.table().body(row), "\n"))) {
                if (d.isCustom() || d.name.startsWith('-') || d.name.isEmpty())
                    continue;
                const QByteArray line = "  " + d.name.toLower() + ": " + d.value + (d.important ? " !important;" : ";");
                auto it = shown.find(line);
                if (it == shown.end()) {
                    PanelState panels;
                    RuleMemo memo;
                    memo.setLines({line});
                    DeclarationsToPanels(panels, memo);
                    it = shown.insert(line, !panels.asRead.isEmpty());
                }
                ++uses[d.name];
                hasControl[d.name] = hasControl.value(d.name) || *it;
            }
        }
    }
    int total = 0, reached = 0;
    QHash<QByteArray, int> missed;
    for (auto it = uses.cbegin(); it != uses.cend(); ++it) {
        total += it.value();
        if (hasControl.value(it.key()))
            reached += it.value();
        else
            missed.insert(it.key(), it.value());
    }
    ASSERT_GT(total, 1000);
    const double share = 100.0 * reached / total;
    QList<std::pair<int, QByteArray>> top;
    for (auto it = missed.cbegin(); it != missed.cend(); ++it)
        top.append({it.value(), it.key()});
    std::sort(top.begin(), top.end(), std::greater<>());
    QByteArray most;
    for (qsizetype i = 0; i < std::min<qsizetype>(qEnvironmentVariableIntValue("QUILLBOX_REACH_LIST") > 0 ? 60 : 12, top.size()); ++i)
        most += " " + top[i].second.toLower() + " " + QByteArray::number(top[i].first);
    std::printf("[ reach    ] %d of %d declarations (%.1f%%) have a control; most missed:%s\n", reached, total, share,
                most.constData());
    EXPECT_GE(share, 90.0);
}

} // namespace
