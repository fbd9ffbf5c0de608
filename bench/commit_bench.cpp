// The cost of one panel change: an option button clicked on the current
// rule of a large sheet, through the core alone and through the window.
#include "window/preview/sheet_scheme.h"
#include "core/editor/editor.h"
#include "core/panels/declaration_reader.h"
#include "corpus_dir.h"
#include "fake_host.h"
#include "window/shell/main_form.h"
#include "random_sheet.h"
#include "scripted_questioner.h"
#include "sheet_fixture.h"

#include <benchmark/benchmark.h>

#include "core/preview/sheet_lowering.h"
#include "core/sheet/block_scanner.h"
#include "core/sheet/sheet_encoding.h"
#include "core/sheet/sheet_file_io.h"

#include <QAction>
#include <QElapsedTimer>
#include <QListWidget>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

void coreToggleCommit(benchmark::State &state)
{
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor(host, questioner);
    openText(editor.store(), generatedSheetText(static_cast<int>(state.range(0))));
    editor.ListTagClick(500 % editor.store().styleCount());
    for (auto _ : state)
        editor.panelController().optionClicked("Text_Align_Center");
    state.counters["snapshots"] = editor.store().history().pos;
}
BENCHMARK(coreToggleCommit)->Arg(10)->Arg(1001)->Unit(benchmark::kMillisecond);

// The window benchmarks of a large sheet work on the one named by
// QUILLBOX_BENCH_SHEET, or on a generated one of 1001 rules.
QString benchSheet(QTemporaryDir &dir)
{
    const QString named = qEnvironmentVariable("QUILLBOX_BENCH_SHEET");
    if (!named.isEmpty())
        return named;
    const QString path = dir.filePath("generated.css");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(generatedSheetText(1001));
    return path;
}

// Clicks an option button of the selected rule, each click to the
// committed sheet and the window mirroring it; then closes the form.
void clickAlignCentre(benchmark::State &state, TMainForm &form)
{
    auto *button = form.findChild<QToolButton *>(QStringLiteral("Text_Align_Center"));
    auto *view = form.findChild<QPlainTextEdit *>(QStringLiteral("HCSSMemo"));
    for (auto _ : state) {
        QTest::mouseClick(button, Qt::LeftButton);
        benchmark::DoNotOptimize(view->document()->characterCount());
    }
    form.store().setSheetModified(false);
    form.close();
}

void windowToggleCommit(benchmark::State &state)
{
    // 1001 rules: the generated sheet, or the one QUILLBOX_BENCH_SHEET names.
    QTemporaryDir dir;
    const QString path = dir.filePath("big.css");
    if (state.range(0) == 1001) {
        QFile::copy(benchSheet(dir), path);
    } else {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(generatedSheetText(static_cast<int>(state.range(0))));
    }
    TMainForm form;
    form.setQuestioner(std::make_unique<ScriptedQuestioner>());
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    // Arg 1: with untouched rules kept as written.
    form.findChild<QAction *>(QStringLiteral("KeepUntouchedLayout"))->setChecked(state.range(1) == 1);
    form.editor().files().OpenSheet(path);
    form.editor().ListTagClick(500 % form.store().styleCount());
    clickAlignCentre(state, form);
}
BENCHMARK(windowToggleCommit)
    ->Args({10, 0})
    ->Args({1001, 0})
    ->Args({1001, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Opens a fresh copy of the bytes each time (no recovery copy is found)
// until the first rule shows; the window that opened it stays for the
// counters.
void openRepeatedly(benchmark::State &state, const QByteArray &bytes, TMainForm &form)
{
    QTemporaryDir dir;
    form.setQuestioner(std::make_unique<ScriptedQuestioner>());
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = dir.filePath(QStringLiteral("open%1.css").arg(++n));
        QFile file(path);
        (void)file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        state.ResumeTiming();
        form.editor().files().OpenSheet(path);
        QApplication::processEvents();
        state.PauseTiming();
        form.store().setSheetModified(false);
        form.editor().files().ConfirmDiscard();
        state.ResumeTiming();
    }
}

// Arg 1: with untouched rules kept as written.
void windowOpenSheet(benchmark::State &state)
{
    QTemporaryDir dir;
    QFile source(benchSheet(dir));
    (void)source.open(QIODevice::ReadOnly);
    TMainForm form;
    form.findChild<QAction *>(QStringLiteral("KeepUntouchedLayout"))->setChecked(state.range(0) == 1);
    openRepeatedly(state, source.readAll(), form);
    state.counters["rules"] = form.store().styleCount();
    form.close();
}
BENCHMARK(windowOpenSheet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same 7 MB of rules with Cyrillic classes and strings, written in
// Windows-1251 (0) or UTF-8 (1): deciding and decoding UTF-8 costs little.
void windowOpenCyrillicSheet(benchmark::State &state)
{
    QString text;
    for (int i = 0; text.size() < 7 * 1024 * 1024 * 8 / 10; ++i)
        text += QStringLiteral(".кнопка%1 {\r\ncontent: \"Привет, мир %1\";\r\ncolor: red;\r\n}\r\n").arg(i);
    const bool utf8 = state.range(0) == 1;
    const QByteArray bytes = utf8 ? text.toUtf8() : SheetCodec(SheetEncoding::Windows1251).encode(text);
    TMainForm form;
    openRepeatedly(state, bytes, form);
    state.counters["MB"] = double(bytes.size()) / (1024 * 1024);
    state.counters["utf8"] = form.store().encoding() == SheetEncoding::Utf8;
    form.close();
}
BENCHMARK(windowOpenCyrillicSheet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Arg 1: with untouched rules kept as written.
void windowSelectRule(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString source = benchSheet(dir);
    const QString path = dir.filePath("select.css");
    QFile::copy(source, path);
    TMainForm form;
    form.setQuestioner(std::make_unique<ScriptedQuestioner>());
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    form.findChild<QAction *>(QStringLiteral("KeepUntouchedLayout"))->setChecked(state.range(0) == 1);
    form.editor().files().OpenSheet(path);
    int row = 0;
    for (auto _ : state) {
        row = (row + 97) % form.store().styleCount();
        form.editor().ListTagClick(row);
        QApplication::processEvents();
    }
    form.store().setSheetModified(false);
    form.close();
}
BENCHMARK(windowSelectRule)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The panels' controls shown again from their state, as after every
// reading of a rule; Arg 1 reads the rule too.
void windowPanelsShown(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("shown.css");
    QFile::copy(benchSheet(dir), path);
    TMainForm form;
    form.setQuestioner(std::make_unique<ScriptedQuestioner>());
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    form.editor().files().OpenSheet(path);
    form.editor().ListTagClick(form.store().styleCount() / 2);
    for (auto _ : state) {
        if (state.range(0) == 1)
            DeclarationsToPanels(form.editor().panels(), form.store().memo());
        else
            form.editor().panels().notify();
    }
    form.store().setSheetModified(false);
    form.close();
}
BENCHMARK(windowPanelsShown)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The bench sheet, copied, or the bytes given, opened in the form once it
// is on screen.
void openBenchSheetShown(TMainForm &form, QTemporaryDir &dir, const char *name, const QByteArray &bytes = {})
{
    const QString path = dir.filePath(QLatin1String(name));
    if (bytes.isEmpty()) {
        QFile::copy(benchSheet(dir), path);
    } else {
        QFile file(path);
        (void)file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    form.setQuestioner(std::make_unique<ScriptedQuestioner>());
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    form.editor().files().OpenSheet(path);
}

// Selecting ".btn" (the rule named by QUILLBOX_BENCH_RULE, or the first of
// the sheet) with the variables page showing, until its table is filled.
void windowSelectRuleVariables(benchmark::State &state)
{
    QTemporaryDir dir;
    TMainForm form;
    openBenchSheetShown(form, dir, "vars.css");
    form.findChild<QTabWidget *>(QStringLiteral("TABPANEL"))
        ->setCurrentWidget(form.findChild<QWidget *>(QStringLiteral("VarsPage")));
    const QByteArray wanted = qEnvironmentVariable("QUILLBOX_BENCH_RULE", QStringLiteral(".btn")).toUtf8();
    const int rule = std::max<int>(0, int(form.store().list().items().indexOf(wanted)));
    auto *table = form.findChild<QTableWidget *>(QStringLiteral("VarTable"));
    for (auto _ : state) {
        state.PauseTiming();
        form.editor().ListTagClick(rule == 0 ? 1 : 0);
        QApplication::processEvents();
        state.ResumeTiming();
        // The table is filled when the click returns; painting is not timed.
        form.editor().ListTagClick(rule);
        benchmark::DoNotOptimize(table->rowCount());
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rows"] = table->rowCount();
    form.store().setSheetModified(false);
    form.close();
}
BENCHMARK(windowSelectRuleVariables)->Unit(benchmark::kMillisecond)->UseRealTime();

// A variable's value edited on the variables page, to the committed sheet
// and the window mirroring it: to set beside windowToggleCommit.
void windowVariableEdit(benchmark::State &state)
{
    QTemporaryDir dir;
    TMainForm form;
    openBenchSheetShown(form, dir, "edit.css");
    const int rule = std::max<int>(0, int(form.store().list().items().indexOf(".btn-primary")));
    form.editor().ListTagClick(rule);
    QByteArray name = "--bs-btn-bg";
    if (form.editor().variables().rows().isEmpty() || form.editor().variables().rows().first().name != name)
        form.editor().variables().added(name, "#000000");
    int n = 0;
    for (auto _ : state) {
        form.editor().variables().valueEdited(name, ++n % 2 ? "#ff0000" : "#0000ff");
        QApplication::processEvents();
    }
    form.store().setSheetModified(false);
    form.close();
}
BENCHMARK(windowVariableEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

// Bootstrap 5 from the corpus, repeated to 7.5 MB.
QByteArray largeBootstrap()
{
    QFile file(corpusDir() + QStringLiteral("/bootstrap.css"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray one = file.readAll();
    QByteArray text;
    while (text.size() < 15 * 1024 * 1024 / 2)
        text += one + "\r\n";
    return text;
}

template <typename Work>
double bestMs(Work work)
{
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        best = std::min(best, double(clock.nsecsElapsed()) / 1e6);
    }
    return best;
}

// 7.5 MB of Bootstrap 5 opened until its first rule shows, and where the
// time goes: the file read (with the recovery copy written), the lines and
// their encoding, the scan, the table and list, the sheet's variables
// (the first rule reads them), and the lowering the page would be served.
void windowOpenLargeSheet(benchmark::State &state)
{
    const QByteArray bytes = largeBootstrap();
    if (bytes.isEmpty()) {
        state.SkipWithError("no Bootstrap 5 in the corpus: run scripts/fetch-corpus");
        return;
    }
    TMainForm form;
    openRepeatedly(state, bytes, form);
    auto *memo = form.findChild<QPlainTextEdit *>(QStringLiteral("CSSMemo"));
    // The work was done: every rule is listed and the first one shown.
    if (form.store().styleCount() < 60000 || memo->toPlainText().isEmpty())
        state.SkipWithError("the sheet was not read whole");
    state.counters["MB"] = double(bytes.size()) / (1024 * 1024);
    state.counters["rules"] = form.store().styleCount();
    state.counters["list_rows"] = form.findChild<QListWidget *>(QStringLiteral("ListTag"))->count();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.css"));
    QFile out(path);
    (void)out.open(QIODevice::WriteOnly);
    out.write(bytes);
    out.close();
    ByteLines lines;
    state.counters["read_ms"] = bestMs([&] {
        QString error;
        benchmark::DoNotOptimize(readSheetBytes(path, &error)->size());
        (void)writeTextFile(path + QStringLiteral(".ORIGINAL"), bytes, &error, path);
    });
    state.counters["decode_ms"] = bestMs([&] {
        lines = splitText(bytes);
        benchmark::DoNotOptimize(detectSheetEncoding(lines));
    });
    state.counters["scan_ms"] = bestMs([&] { benchmark::DoNotOptimize(scanSheet(lines).blocks.size()); });
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor(host, questioner);
    editor.store().setSheetLines(lines);
    state.counters["table_ms"] = bestMs([&] { editor.store().RebuildStyleTable(); });
    state.counters["variables_ms"] = bestMs([&] {
        editor.sheetVariables().invalidate();
        benchmark::DoNotOptimize(editor.sheetVariables().value("--bs-blue"));
    });
    state.counters["lowering_ms"] =
        bestMs([&] { benchmark::DoNotOptimize(lowerForPreview(bytes, "file:///tmp/large.css").text.size()); });
    form.close();
}
BENCHMARK(windowOpenLargeSheet)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// A sheet of today, 1,600 style rules half of them nested: opened until
// its first rule shows; a nested rule selected; a panel click on one.
void windowOpenNestedSheet(benchmark::State &state)
{
    TMainForm form;
    openRepeatedly(state, nestedSheetText(), form);
    state.counters["rules"] = form.store().styleCount();
    form.close();
}
BENCHMARK(windowOpenNestedSheet)->Unit(benchmark::kMillisecond)->UseRealTime();

void windowSelectNestedRule(benchmark::State &state)
{
    QTemporaryDir dir;
    TMainForm form;
    openBenchSheetShown(form, dir, "nested.css", nestedSheetText());
    int row = 1;
    for (auto _ : state) {
        row = (row + 194) % form.store().styleCount() | 1; // the odd rows are the nested ones
        form.editor().ListTagClick(row);
        QApplication::processEvents();
    }
    form.store().setSheetModified(false);
    form.close();
}
BENCHMARK(windowSelectNestedRule)->Unit(benchmark::kMillisecond)->UseRealTime();

void windowNestedToggleCommit(benchmark::State &state)
{
    QTemporaryDir dir;
    TMainForm form;
    openBenchSheetShown(form, dir, "nested.css", nestedSheetText());
    form.editor().ListTagClick(801);
    clickAlignCentre(state, form);
}
BENCHMARK(windowNestedToggleCommit)->Unit(benchmark::kMillisecond)->UseRealTime();

// A keystroke in the rule filter until the list shows its rows: a letter
// typed, then taken back, in turn.
void windowFilterKeystroke(benchmark::State &state)
{
    QTemporaryDir dir;
    TMainForm form;
    openBenchSheetShown(form, dir, "filter.css");
    auto *filter = form.findChild<QLineEdit *>(QStringLiteral("RuleFilter"));
    filter->setFocus();
    QTest::keyClicks(filter, QStringLiteral("nav"));
    int n = 0;
    for (auto _ : state) {
        if (++n % 2)
            QTest::keyClick(filter, Qt::Key_B);
        else
            QTest::keyClick(filter, Qt::Key_Backspace);
        QApplication::processEvents();
    }
    state.counters["rules"] = form.store().styleCount();
    form.store().setSheetModified(false);
    form.close();
}
BENCHMARK(windowFilterKeystroke)->Unit(benchmark::kMillisecond)->UseRealTime();

// F3 in the find bar of the whole-sheet view: to the next "color".
void windowFindNext(benchmark::State &state)
{
    QTemporaryDir dir;
    TMainForm form;
    openBenchSheetShown(form, dir, "find.css");
    form.findChild<QTabWidget *>(QStringLiteral("Viewer"))->setCurrentIndex(1);
    auto *sheet = form.findChild<QPlainTextEdit *>(QStringLiteral("HCSSMemo"));
    sheet->setFocus();
    QTest::keyClick(sheet, Qt::Key_F, Qt::ControlModifier);
    auto *find = form.findChild<QLineEdit *>(QStringLiteral("FindText"), Qt::FindChildrenRecursively);
    for (QLineEdit *field : form.findChildren<QLineEdit *>(QStringLiteral("FindText"))) {
        if (field->isVisible())
            find = field;
    }
    QTest::keyClicks(find, QStringLiteral("color"));
    for (auto _ : state) {
        QTest::keyClick(find, Qt::Key_F3);
        QApplication::processEvents();
    }
    state.counters["KB"] = double(sheet->document()->characterCount()) / 1024;
    form.store().setSheetModified(false);
    form.close();
}
BENCHMARK(windowFindNext)->Unit(benchmark::kMillisecond)->UseRealTime();

// The element's rules shown: 40 rules of a large sheet matched, the list
// narrowed to them until it is drawn.
void windowElementRulesOn(benchmark::State &state)
{
    QTemporaryDir dir;
    TMainForm form;
    openBenchSheetShown(form, dir, "element.css");
    std::vector<RuleMatch> matches;
    const int rules = form.store().styleCount();
    for (int i = 0; i < 40; ++i)
        matches.push_back({i * rules / 40, {form.store().list().item(i * rules / 40)}, i % 5 != 0});
    form.editor().elementRules().setPicked(matches);
    auto *action = form.findChild<QAction *>(QStringLiteral("ElementRules"));
    for (auto _ : state) {
        action->trigger();
        QApplication::processEvents();
        state.PauseTiming();
        action->trigger();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rules"] = rules;
    form.store().setSheetModified(false);
    form.close();
}
BENCHMARK(windowElementRulesOn)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    registerPreviewScheme();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
