// The preview linked to the rule list, through the window with a real
// browser engine (offscreen): a panel change reaching the page's computed
// style, a selected rule's outline and count on a large page, and a pick.
#include "window/shell/main_form.h"
#include "core/editor/editor.h"
#include "core/preview/page_sheets.h"
#include "window/preview/outline_overlay.h"
#include "local_server.h"
#include "random_sheet.h"
#include "scripted_questioner.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// Waits for the condition without the test library's 10 ms naps, which
// would blur what is measured.
template <typename Condition>
bool spinUntil(Condition condition, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The median of the iterations' times, in ms: one slow frame of the
// engine's moves a mean more than it says about the program.
double medianMs(std::vector<double> times)
{
    if (times.empty())
        return 0;
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2] * 1000;
}

// A window showing a page that links the sheet: QUILLBOX_BENCH_SHEET's
// text, or 1001 generated rules, with the rules the benchmark needs after it.
class PreviewWindow
{
public:
    // `served`: the page from Python's http.server on 127.0.0.1, as a
    // user's local server gives it.
    PreviewWindow(const QByteArray &body, const QByteArray &ownRules, bool served = false)
    {
        QString page = m_dir.filePath("page.html");
        QFile html(page);
        (void)html.open(QIODevice::WriteOnly);
        html.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"sheet.css\"></head><body>" + body
                   + "</body></html>");
        html.close();
        if (served && m_server.start(QStringLiteral("python3"), {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1"},
                                     m_dir.path(), QStringLiteral("port (\\d+)")))
            page = m_server.origin() + QStringLiteral("/page.html");
        QByteArray sheet = "LINK_HTML {\r\nLINK_HTML=" + page.toUtf8() + ";\r\n}\r\n";
        const QString named = qEnvironmentVariable("QUILLBOX_BENCH_SHEET");
        QFile source(named);
        sheet += !named.isEmpty() && source.open(QIODevice::ReadOnly) ? source.readAll() : generatedSheetText(1001);
        sheet += "\r\n" + ownRules;
        path = m_dir.filePath("sheet.css");
        QFile file(path);
        (void)file.open(QIODevice::WriteOnly);
        file.write(sheet);
        file.close();

        form.setQuestioner(std::make_unique<ScriptedQuestioner>());
        form.show();
        (void)QTest::qWaitForWindowExposed(&form);
        view = form.findChild<QWebEngineView *>(QStringLiteral("PreBrowser"));
        list = form.findChild<QListWidget *>(QStringLiteral("ListTag"));
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        form.editor().files().OpenSheet(path);
        (void)loaded.wait(60000);
    }
    ~PreviewWindow()
    {
        form.store().setSheetModified(false);
        form.close();
    }

    QVariant evaluate(const QString &script)
    {
        QVariant result;
        bool answered = false;
        view->page()->runJavaScript(script, [&](const QVariant &value) {
            result = value;
            answered = true;
        });
        (void)spinUntil([&] { return answered; }, 20000);
        return result;
    }

    // Automatic refresh on (a repetition's window reads the last one's
    // settings), the reload it makes forgotten, the last rule selected.
    void autoRefreshProbe(QSignalSpy &loaded)
    {
        auto *autoRefresh = form.findChild<QAction *>(QStringLiteral("AutoRefreshAction"));
        if (!autoRefresh->isChecked()) {
            autoRefresh->trigger();
            (void)loaded.wait(60000);
        }
        loaded.clear();
        clickRow(list->count() - 1);
    }

    void clickRow(int row)
    {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    QTemporaryDir m_dir;
    LocalServer m_server;
    QString path;
    TMainForm form;
    QWebEngineView *view = nullptr;
    QListWidget *list = nullptr;
};

// Click on an option button to the new value in the page's computed style,
// with automatic refresh on: the page takes the sheet in place.
void changeReachesPage(benchmark::State &state, bool served)
{
    PreviewWindow window("<p id=\"probe\">x</p>", "#probe {\r\n}\r\n", served);
    if (served && window.form.editor().pageSheets().editedHref().isEmpty()
        && !spinUntil([&] { return !window.form.editor().pageSheets().editedHref().isEmpty(); }, 20000)) {
        state.SkipWithError("the served page's sheet was never found");
        return;
    }
    QSignalSpy loaded(window.view, &QWebEngineView::loadFinished);
    window.autoRefreshProbe(loaded);
    const char *buttons[] = {"Text_Align_Center", "Text_Align_Right"};
    const char *values[] = {"center", "right"};
    int turn = 0;
    std::vector<double> times;
    for (auto _ : state) {
        turn = 1 - turn;
        auto *button = window.form.findChild<QToolButton *>(QLatin1String(buttons[turn]));
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(button, Qt::LeftButton);
        if (!spinUntil([&] {
                return window.evaluate(QStringLiteral("getComputedStyle(document.getElementById('probe')).textAlign"))
                    == QLatin1String(values[turn]);
            })) {
            state.SkipWithError("the change never reached the page");
            break;
        }
        times.push_back(double(clock.nsecsElapsed()) / 1e9);
        state.SetIterationTime(times.back());
    }
    state.counters["median_ms"] = medianMs(times);
    state.counters["KB"] = double(QFile(window.path).size()) / 1024;
    state.counters["reloads"] = double(loaded.count());
}

void previewChangeReachesPage(benchmark::State &state)
{
    changeReachesPage(state, false);
}
BENCHMARK(previewChangeReachesPage)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);

// The same, the page and its sheet from Python's http.server: the sheet is
// given to the page in place, not fetched from the server.
void servedChangeReachesPage(benchmark::State &state)
{
    changeReachesPage(state, true);
}
BENCHMARK(servedChangeReachesPage)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);

// Ctrl+Z after a panel change to the page's computed style showing the
// value before it, measured as a panel change is: the page takes the sheet
// in place. Redo (Ctrl+Y) sets the change again between iterations.
void windowUndoToPreview(benchmark::State &state)
{
    PreviewWindow window("<p id=\"probe\">x</p>", "#probe {\r\n}\r\n");
    QSignalSpy loaded(window.view, &QWebEngineView::loadFinished);
    window.autoRefreshProbe(loaded);
    const QString align = QStringLiteral("getComputedStyle(document.getElementById('probe')).textAlign");
    // Two changes of the probe rule: the step undone keeps the rule
    // selected, as a panel change does.
    for (const char *button : {"Text_Align_Center", "Text_Align_Right"}) {
        QTest::mouseClick(window.form.findChild<QToolButton *>(QLatin1String(button)), Qt::LeftButton);
        const QLatin1String value(std::strrchr(button, '_') + 1);
        if (!spinUntil([&] { return window.evaluate(align).toString().compare(value, Qt::CaseInsensitive) == 0; })) {
            state.SkipWithError("the change never reached the page");
            return;
        }
    }
    std::vector<double> times;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QTest::keySequence(window.list, QKeySequence(Qt::CTRL | Qt::Key_Z));
        if (!spinUntil([&] { return window.evaluate(align) == QLatin1String("center"); }, 3000)) {
            state.SkipWithError("the undo never reached the page");
            break;
        }
        times.push_back(double(clock.nsecsElapsed()) / 1e9);
        state.SetIterationTime(times.back());
        QTest::keySequence(window.list, QKeySequence(Qt::CTRL | Qt::Key_Y));
        (void)spinUntil([&] { return window.evaluate(align) == QLatin1String("right"); }, 3000);
    }
    state.counters["median_ms"] = medianMs(times);
    state.counters["KB"] = double(QFile(window.path).size()) / 1024;
    state.counters["reloads"] = double(loaded.count());
}
BENCHMARK(windowUndoToPreview)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);

QByteArray manyElements(int n)
{
    QByteArray body;
    for (int i = 0; i < n; ++i)
        body += "<div class=\"item\">" + QByteArray::number(i) + "</div>";
    return body;
}

// A rule clicked in the list to its outline drawn and count shown, on a
// page of 2,000 elements all of which it matches.
void previewSelectRuleOutline(benchmark::State &state)
{
    PreviewWindow window(manyElements(2000), ".item {\r\n}\r\n.none {\r\n}\r\n");
    auto *count = window.form.findChild<QLabel *>(QStringLiteral("MatchCount"));
    const int last = window.list->count() - 1;
    int turn = 0;
    for (auto _ : state) {
        turn = 1 - turn;
        const QString expected = turn ? QStringLiteral("Элементов: 2000") : QStringLiteral("Элементов: 0");
        QElapsedTimer clock;
        clock.start();
        window.clickRow(turn ? last - 1 : last);
        (void)spinUntil([&] { return count->text() == expected; });
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(previewSelectRuleOutline)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);

// A rule of 200 grid containers clicked in the list to their tracks and
// gaps drawn over the page; Arg 0 with the lines switched off, for the
// outline alone.
void previewLayoutLines(benchmark::State &state)
{
    QByteArray body;
    for (int i = 0; i < 200; ++i)
        body += "<div class=\"grid\"><i>a</i><i>b</i><i>c</i><i>d</i></div>";
    PreviewWindow window(body, ".grid {\r\ndisplay: grid;\r\ngrid-template-columns: 1fr 2fr 60px;\r\ngap: 4px;\r\n"
                               "padding: 3px;\r\n}\r\n.none {\r\n}\r\n");
    const bool lines = state.range(0) == 1;
    if (!lines)
        window.form.findChild<QCheckBox *>(QStringLiteral("LayoutOverlay"))->setChecked(false);
    auto *overlay = window.form.findChild<OutlineOverlay *>(QStringLiteral("PreviewOutlines"));
    const int last = window.list->count() - 1;
    qsizetype drawn = 0;
    for (auto _ : state) {
        window.clickRow(last);
        (void)spinUntil([&] { return overlay->matches().isEmpty() && overlay->tracks().isEmpty(); });
        QElapsedTimer clock;
        clock.start();
        window.clickRow(last - 1);
        (void)spinUntil([&] { return overlay->matches().size() == 200 && (!lines || !overlay->tracks().isEmpty()); });
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        drawn = overlay->tracks().size();
    }
    // The work was done: 3 columns and 2 rows for each container.
    state.counters["tracks"] = double(drawn);
}
BENCHMARK(previewLayoutLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

// A click on an element while picking to its rule selected in the list.
void previewPick(benchmark::State &state)
{
    PreviewWindow window("<p id=\"probe\" style=\"margin: 0; height: 40px\">x</p>" + manyElements(2000),
                         "#probe {\r\n}\r\n");
    auto *pick = window.form.findChild<QAction *>(QStringLiteral("PickElement"));
    QWidget *surface = window.view->focusProxy();
    const int target = window.list->count() - 1;
    for (auto _ : state) {
        window.clickRow(0);
        pick->trigger();
        // The page has the rules once a script run after them has answered.
        window.evaluate(QStringLiteral("1"));
        QTest::mouseMove(surface, QPoint(15, 15));
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(15, 15));
        if (!spinUntil([&] { return window.list->currentRow() == target; }, 3000)) {
            state.SkipWithError(qPrintable(QStringLiteral("row %1 selected, not %2: %3")
                                               .arg(window.list->currentRow())
                                               .arg(target)
                                               .arg(window.form.statusBar()->currentMessage())));
            break;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(previewPick)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

// A click on an element while picking to the marks on the panel controls
// and the cascade page filled: a Bootstrap button with utility classes, some
// !important, whose rules the pick weighs.
void previewPickToCascade(benchmark::State &state)
{
    PreviewWindow window("<button id=\"probe\" type=\"button\" class=\"btn btn-primary btn-lg d-inline-flex "
                         "align-items-center justify-content-center gap-2 p-2 m-1 border border-2 rounded-3 shadow-sm "
                         "text-white fw-bold fs-5 lh-sm text-nowrap position-relative opacity-75 user-select-none "
                         "text-uppercase text-decoration-none w-auto h-auto overflow-hidden align-middle bg-gradient "
                         "text-start flex-wrap border-primary rounded-pill px-3 py-1 mt-0 mb-0 ms-1 me-1 z-1\" "
                         "style=\"margin: 0\">x</button>",
                         "#probe {\r\n}\r\n");
    auto *pick = window.form.findChild<QAction *>(QStringLiteral("PickElement"));
    auto *tree = window.form.findChild<QTreeWidget *>(QStringLiteral("CascadeTree"));
    QWidget *surface = window.view->focusProxy();
    const auto marks = [&] { return window.form.findChildren<QToolButton *>(QStringLiteral("OverrideMark")).size(); };
    qsizetype rules = 0, marked = 0, properties = 0;
    for (auto _ : state) {
        window.clickRow(0);
        (void)spinUntil([&] { return marks() == 0; }, 3000);
        pick->trigger();
        window.evaluate(QStringLiteral("1"));
        QTest::mouseMove(surface, QPoint(15, 15));
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(15, 15));
        if (!spinUntil([&] { return marks() > 0 && tree->topLevelItemCount() > 10; }, 3000)) {
            state.SkipWithError("no marks or no cascade");
            break;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        marked = marks();
        properties = tree->topLevelItemCount();
        int matching = 0;
        for (int row = 0; row < window.list->count(); ++row)
            matching += window.form.editor().elementRules().find(row) ? 1 : 0;
        rules = matching;
    }
    // The run did the work: the rules matched, the properties weighed, the marks set.
    state.counters["rules"] = double(rules);
    state.counters["properties"] = double(properties);
    state.counters["marks"] = double(marked);
}
BENCHMARK(previewPickToCascade)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

// ":hover" forced on the picked element to the page's computed style
// showing it.
void previewForcedState(benchmark::State &state)
{
    PreviewWindow window("<p id=\"probe\" style=\"margin: 0; height: 40px\">x</p>" + manyElements(2000),
                         "#probe {\r\n}\r\n#probe:hover {\r\ntext-align: right;\r\n}\r\n");
    auto *pick = window.form.findChild<QAction *>(QStringLiteral("PickElement"));
    auto *hover = window.form.findChild<QAction *>(QStringLiteral("ForceHover"));
    QWidget *surface = window.view->focusProxy();
    pick->trigger();
    window.evaluate(QStringLiteral("1"));
    QTest::mouseMove(surface, QPoint(15, 15));
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(15, 15));
    QTest::mouseMove(surface, QPoint(15, window.view->height() - 5));
    if (!spinUntil([&] { return hover->isEnabled(); }, 5000)) {
        state.SkipWithError("no pick");
        return;
    }
    const QString align = QStringLiteral("getComputedStyle(document.getElementById('probe')).textAlign");
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        hover->trigger();
        if (!spinUntil([&] { return window.evaluate(align).toString() == QLatin1String("right"); }, 3000)) {
            state.SkipWithError("the state never showed");
            break;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        hover->trigger();
        (void)spinUntil([&] { return window.evaluate(align).toString() != QLatin1String("right"); }, 3000);
    }
}
BENCHMARK(previewForcedState)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

// "Неиспользуемые правила" switched on to every rule's use on the page in
// the list and the count in the status bar: the sheet's rules against 2,000
// elements.
void previewUnusedRules(benchmark::State &state)
{
    PreviewWindow window(manyElements(2000), "#probe {\r\n}\r\n");
    auto *unused = window.form.findChild<QAction *>(QStringLiteral("UnusedRules"));
    const QString prefix = QStringLiteral("Не используются на странице: ");
    QString said;
    for (auto _ : state) {
        window.form.statusBar()->clearMessage();
        QElapsedTimer clock;
        clock.start();
        unused->trigger();
        if (!spinUntil([&] { return window.form.statusBar()->currentMessage().startsWith(prefix); }, 5000)) {
            state.SkipWithError("the count never came");
            break;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        said = window.form.statusBar()->currentMessage();
        unused->trigger();
    }
    // The run did the work: some rules of many are used, some are not.
    state.SetLabel(qPrintable(said.mid(prefix.size())));
}
BENCHMARK(previewUnusedRules)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

} // namespace
