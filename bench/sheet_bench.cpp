// Costs of the sheet's two routes: text to table and table to text.
// Any .css files named on the command line are measured beside the
// generated sheets.
#include "core/css/css_tokenizer.h"
#include "core/panels/declaration_reader.h"
#include "core/panels/panel_state.h"
#include "core/preview/sheet_lowering.h"
#include "random_sheet.h"
#include "core/sheet/block_scanner.h"
#include "core/sheet/rule_memo.h"
#include "sheet_fixture.h"
#include "core/sheet/sheet_store.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include <QFile>
#include <QHash>
#include <QFileInfo>

namespace {

void rebuild(benchmark::State &state, const QByteArray &text)
{
    SheetStore store;
    store.setSheetText(text);
    for (auto _ : state) {
        store.RebuildStyleTable();
        benchmark::DoNotOptimize(store.styleCount());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["rules"] = store.styleCount();
}

// One regeneration after a change, so the snapshot check compares and
// records every time, as a commit does.
void regenerate(benchmark::State &state, const QByteArray &text)
{
    SheetStore store;
    openText(store, text);
    int n = 0;
    for (auto _ : state) {
        store.memo().setLines(ByteLines{"margin-top: " + QByteArray::number(++n) + "px;"});
        store.RegenerateSheet();
        benchmark::DoNotOptimize(store.sheetLines().size());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}

// `written`: the sheet as the program writes it, which is what undo and
// redo read back, rather than as it came from disk.
void rebuildAndRegenerate(benchmark::State &state, const QByteArray &text, bool written, bool keepLayout = false)
{
    SheetStore store;
    store.setKeepUntouchedLayout(keepLayout);
    openText(store, text);
    const ByteLines lines = written ? store.sheetLines() : splitText(text);
    int n = 0;
    for (auto _ : state) {
        store.setSheetLines(lines);
        store.RebuildStyleTable();
        store.list().setSelected(0);
        store.setCurrentStyleIndex(-1);
        store.SelectStyle();
        store.memo().setLines(ByteLines{"margin-top: " + QByteArray::number(++n) + "px;"});
        store.RegenerateSheet();
    }
    // The work was done: every rule read, and the last change written.
    state.counters["rules"] = store.styleCount();
    if (!store.sheetText().contains("margin-top: " + QByteArray::number(n) + "px;"))
        state.SkipWithError("the change was not written into the sheet");
}

// A full undo history of the sheet: a thousand commits, each changing one
// declaration of another rule. Reports what the snapshots take.
void fullHistory(benchmark::State &state, const QByteArray &text)
{
    for (auto _ : state) {
        SheetStore store;
        openText(store, text);
        for (int n = 1; n <= kHistorySlots; ++n) {
            store.list().setSelected(n % store.styleCount());
            store.SelectStyle();
            store.memo().setLines(ByteLines{"margin-top: " + QByteArray::number(n) + "px;"});
            store.RegenerateSheet();
        }
        state.counters["history_MB"] = double(store.history().storedBytes()) / (1024 * 1024);
        state.counters["sheet_KB"] = double(text.size()) / 1024;
    }
}

// Reading a rule whose one value is a long string: every property the
// panels look for is searched in the same text.
void readLongValue(benchmark::State &state)
{
    const ByteLines lines{"color: red;", "content: \"" + QByteArray(state.range(0), 'x') + "\";", "margin: 0;"};
    PanelState panels;
    RuleMemo memo;
    for (auto _ : state) {
        memo.setLines(lines);
        DeclarationsToPanels(panels, memo);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(readLongValue)->Arg(64 * 1024)->Arg(1024 * 1024)->Arg(7 * 1024 * 1024)->Unit(benchmark::kMillisecond);

// A rule of today: 100 declarations, half of them var() and modern
// colours, read into the panels with the sheet's variables at hand.
void readModernRule(benchmark::State &state)
{
    ByteLines lines;
    const char *modern[] = {"color: var(--brand);", "background-color: oklch(62% 0.2 30 / 80%);",
                            "border-color: color-mix(in oklab, var(--brand) 40%, white);",
                            "padding: var(--pad) calc(var(--pad) * 2);", "margin-left: var(--gap, 1rem);"};
    const char *plain[] = {"width: 12rem;", "display: flex;", "font-size: 1.25rem;", "text-align: center;",
                           "border: 1px solid #dee2e6;"};
    for (int i = 0; i < 50; ++i) {
        lines.append(QByteArray("--v") + QByteArray::number(i) + ": rgb(" + QByteArray::number(i) + " 20 30);");
        lines.append(i % 2 ? modern[i / 2 % 5] : plain[i / 2 % 5]);
    }
    PanelState panels;
    const QHash<QByteArray, QByteArray> sheet = {{"--brand", "var(--base)"}, {"--base", "#336699"}, {"--pad", "4px"}};
    panels.sheetVariable = [&sheet](const QByteArray &name) -> std::optional<QByteArray> {
        const auto it = sheet.constFind(name);
        return it == sheet.constEnd() ? std::nullopt : std::optional<QByteArray>(*it);
    };
    RuleMemo memo;
    for (auto _ : state) {
        memo.setLines(lines);
        DeclarationsToPanels(panels, memo);
    }
}
BENCHMARK(readModernRule)->Unit(benchmark::kMicrosecond);

// A rule of today's effects: 100 declarations of shadows, transforms,
// transitions, logical sides, corners and the rest, read into every page.
void readEffectsRule(benchmark::State &state)
{
    const char *effects[] = {
        "box-shadow: 0 .5rem 1rem rgba(0, 0, 0, .15), inset 0 1px 0 var(--hi);",
        "transform: translate(-50%, -50%) rotate(2deg) scale(1.05);",
        "transition: color .15s ease-in-out, background-color .15s ease-in-out, box-shadow .15s;",
        "transition-duration: .2s, 150ms;", "margin-inline: 0 auto;", "padding-inline-start: 1rem;",
        "inset-block-start: 0;", "border-radius: 4px 8px;", "border-bottom: 1px solid #dee2e6;",
        "white-space: nowrap;", "overflow-y: auto;", "opacity: .9;", "outline: 2px solid var(--ring);",
        "cursor: pointer;", "content: \"→ \";", "max-width: 100%;", "gap: 1rem;", "display: flex;",
        "text-transform: uppercase;", "background-clip: padding-box;"};
    // With 50 other properties and 30 custom ones: 100 in all, each once.
    const char *others[] = {
        "color: #212529;", "background-color: #fff;", "width: 12rem;", "height: auto;", "min-height: 2rem;",
        "font-size: 1rem;", "font-weight: 600;", "line-height: 1.5;", "letter-spacing: .02em;", "text-align: center;",
        "vertical-align: middle;", "margin-top: 0;", "padding-top: .5rem;", "padding-bottom: .5rem;",
        "border-color: #dee2e6;", "border-width: 1px;", "border-style: solid;", "position: relative;", "z-index: 2;",
        "top: 0;", "left: 0;", "visibility: visible;", "float: none;", "flex-wrap: wrap;", "align-items: center;",
        "justify-content: space-between;", "flex-grow: 1;", "order: 2;", "grid-template-columns: 1fr 2fr;",
        "grid-column: 1 / 3;", "row-gap: 4px;", "aspect-ratio: 16 / 9;", "box-sizing: border-box;",
        "object-fit: cover;", "user-select: none;", "pointer-events: none;", "appearance: none;",
        "text-overflow: ellipsis;", "list-style: none;", "background-size: cover;", "overflow-x: hidden;",
        "font-family: system-ui;", "text-decoration: none;", "text-decoration-color: red;", "will-change: transform;",
        "scroll-margin-top: 4rem;", "contain: paint;", "filter: blur(2px);", "backdrop-filter: blur(4px);",
        "mix-blend-mode: multiply;"};
    ByteLines lines;
    for (int i = 0; i < 30; ++i)
        lines.append("--v" + QByteArray::number(i) + ": " + QByteArray::number(i) + "px;");
    for (const char *d : effects)
        lines.append(d);
    for (const char *d : others)
        lines.append(d);
    PanelState panels;
    RuleMemo memo;
    for (auto _ : state) {
        memo.setLines(lines);
        DeclarationsToPanels(panels, memo);
    }
    // The work was done: the shadow's layers and the transitions were read.
    if (panels.shadows.layers != 2 || panels.transitions.layers != 3)
        state.SkipWithError("the rule was not read into the layer lists");
}
BENCHMARK(readEffectsRule)->Unit(benchmark::kMicrosecond);

void lowerNested(benchmark::State &state)
{
    const QByteArray text = nestedSheetText();
    for (auto _ : state)
        benchmark::DoNotOptimize(lowerForPreview(text, "file:///tmp/site.css").text.size());
    state.counters["KB"] = double(text.size()) / 1024;
}
BENCHMARK(lowerNested)->Unit(benchmark::kMillisecond);

// The floor for the cycle below: the sheet's bytes copied once.
void copySheetBytes(benchmark::State &state, const QByteArray &text)
{
    std::vector<char> copy(size_t(text.size()));
    for (auto _ : state) {
        std::memcpy(copy.data(), text.constData(), copy.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}

// The block scan and the tokenizer over the same sheet: the scan walks
// the bytes for braces alone, the tokenizer reads every token.
void scanBlocks(benchmark::State &state, const QByteArray &text)
{
    const ByteLines lines = splitText(text);
    size_t blocks = 0;
    for (auto _ : state) {
        const SheetScan scan = scanSheet(lines);
        blocks = scan.blocks.size();
        benchmark::DoNotOptimize(blocks);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
    state.counters["blocks"] = double(blocks);
}

void tokenize(benchmark::State &state, const QByteArray &text)
{
    qsizetype tokens = 0;
    qsizetype braces = 0;
    for (auto _ : state) {
        tokens = braces = 0;
        CssTokenReader reader(text);
        while (!reader.atEnd()) {
            const CssToken token = reader.next();
            ++tokens;
            braces += token.type == CssToken::OpenCurly;
        }
        benchmark::DoNotOptimize(tokens);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
    state.counters["tokens"] = double(tokens);
    state.counters["blocks"] = double(braces);
}

void registerSheet(const std::string &name, const QByteArray &text)
{
    benchmark::RegisterBenchmark(("ScanSheet/" + name).c_str(), scanBlocks, text)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("TokenizeSheet/" + name).c_str(), tokenize, text)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("CopySheetBytes/" + name).c_str(), copySheetBytes, text)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("RebuildStyleTable/" + name).c_str(), rebuild, text);
    benchmark::RegisterBenchmark(("RegenerateSheet/" + name).c_str(), regenerate, text)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("RebuildPlusRegenerate/" + name).c_str(), rebuildAndRegenerate, text, false, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("RebuildPlusRegenerate/" + name + "/written").c_str(), rebuildAndRegenerate,
                                 text, true, false)
        ->Unit(benchmark::kMicrosecond);
    // With untouched rules kept as written.
    benchmark::RegisterBenchmark(("RebuildPlusRegenerate/" + name + "/kept").c_str(), rebuildAndRegenerate, text,
                                 false, true)
        ->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("FullHistory/1001rules", fullHistory, generatedSheetText(1001))
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    for (const int rules : {10, 100, 1001, 2002})
        registerSheet(std::to_string(rules) + "rules", generatedSheetText(rules));
    for (int i = 1; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            fprintf(stderr, "quillbox_bench: cannot read %s\n", argv[i]);
            return 1;
        }
        const QByteArray text = file.readAll();
        const std::string name = QFileInfo(file).fileName().toStdString();
        registerSheet(name, text);
        benchmark::RegisterBenchmark(("FullHistory/" + name).c_str(), fullHistory, text)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
