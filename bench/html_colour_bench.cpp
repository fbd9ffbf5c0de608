// The HTML editor's tag colouring on a large page: a full recolour, the
// colouring of a freshly loaded page, and one key typed inside a tag.
#include "window/preview/html_editor.h"
#include "core/preview/html_source.h"
#include "scripted_questioner.h"
#include "core/sheet/sheet_store.h"

#include <benchmark/benchmark.h>

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// About 200 KB of markup: paragraphs with attributes, links and text.
QString generatedPage(int bytes)
{
    QString page = QStringLiteral("<html>\n<head><style>p {color: red}</style></head>\n<body>\n");
    for (int i = 0; page.size() < bytes; ++i) {
        page += QStringLiteral("<p class=\"c%1\" id=\"p%1\">Text of paragraph %1 with <a href=\"page%1.html\">a "
                               "link</a> and <b>bold</b> words.</p>\n")
                    .arg(i);
    }
    return page + QStringLiteral("</body>\n</html>\n");
}

struct Fixture {
    SheetStore store;
    ScriptedQuestioner questioner;
    HtmlSource source{store, questioner};
    QTextEdit edit;
    HtmlEditor editor{&edit, source, nullptr};

    explicit Fixture(const QString &page)
    {
        edit.resize(600, 400);
        edit.show();
        (void)QTest::qWaitForWindowExposed(&edit);
        edit.activateWindow();
        edit.setFocus();
        edit.setPlainText(page);
        editor.RecolourAllTags();
    }
};

void htmlFullRecolour(benchmark::State &state)
{
    Fixture f(generatedPage(int(state.range(0))));
    for (auto _ : state)
        f.editor.RecolourAllTags();
    state.counters["chars"] = f.edit.document()->characterCount();
}
BENCHMARK(htmlFullRecolour)->Arg(200 * 1024)->Unit(benchmark::kMillisecond)->UseRealTime();

void htmlLoadAndColour(benchmark::State &state)
{
    Fixture f{QString()};
    const QString page = generatedPage(int(state.range(0)));
    for (auto _ : state) {
        f.edit.setPlainText(page);
        f.editor.RecolourAllTags();
    }
}
BENCHMARK(htmlLoadAndColour)->Arg(200 * 1024)->Unit(benchmark::kMillisecond)->UseRealTime();

void htmlQuoteTypedInATag(benchmark::State &state)
{
    Fixture f(generatedPage(int(state.range(0))));
    QTextCursor cursor = f.edit.document()->find(QStringLiteral("id=\"p500\""));
    cursor.setPosition(cursor.selectionStart() + 3);
    f.edit.setTextCursor(cursor);
    for (auto _ : state) {
        QTest::keyClick(&f.edit, '"');
        QTest::keyClick(&f.edit, Qt::Key_Backspace);
    }
}
BENCHMARK(htmlQuoteTypedInATag)->Arg(200 * 1024)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
