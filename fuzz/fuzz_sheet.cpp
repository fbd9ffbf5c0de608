// Any bytes as a sheet: the table is rebuilt and written back, the text
// settles after one more round (where no bracket holds a brace), and what the table does not hold (group
// braces, unheld blocks, the tail) survives. With untouched rules kept, the
// sheet comes back byte for byte, and after one rule is changed every byte
// outside that rule is the same.
#include "sheet_fixture.h"
#include "core/sheet/sheet_store.h"
#include "fuzz_checks.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool bracketsHoldBraces(const QByteArray &text)
{
    int depth = 0;
    for (const char c : text) {
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
        else if ((c == '{' || c == '}') && depth > 0)
            return true;
    }
    return false;
}

void programLayout(const QByteArray &text)
{
    SheetStore store;
    openText(store, text);
    const QByteArray tail = joinLines(store.tail());
    const QByteArray once = store.sheetText();
    if (!once.endsWith(tail))
        std::abort(); // the unheld text must close the output unchanged
    // Group braces, unheld blocks and rule bodies are all kept: the writer
    // only lays out the held rules' own braces again.
    if (once.count('{') != text.count('{') || once.count('}') != text.count('}'))
        std::abort();
    // Brackets that hold braces ("@scope{(}{){x}") are read one way on one
    // line and another once laid out over lines, a round for each such
    // block: no sheet of CSS writes them, and they are left out here.
    if (bracketsHoldBraces(text) || holdsCommentOpenerInAddress(text))
        return;
    // Lines read back as undo reads them, sharing what stayed, are the lines.
    if (splitTextReusing(text, splitText(once)) != splitText(text))
        std::abort();
    openText(store, once);
    const QByteArray twice = store.sheetText();
    openText(store, twice);
    if (store.sheetText() != twice)
        std::abort(); // no fixed point after a round
    // A store that held other text before reads the same table as a new one:
    // what it keeps of the old rules is only what is the same.
    SheetStore fresh;
    openText(fresh, twice);
    if (fresh.styleCount() != store.styleCount())
        std::abort();
    for (int i = 0; i < store.styleCount(); ++i) {
        if (fresh.table().name(i) != store.table().name(i) || fresh.table().body(i) != store.table().body(i))
            std::abort();
    }
}

qsizetype offsetOf(const ByteLines &lines, SheetPos pos)
{
    qsizetype offset = 0;
    for (int k = 0; k < pos.line && k < lines.size(); ++k)
        offset += lines[k].size() + 2;
    return offset + pos.column;
}

void keptLayout(const QByteArray &text, uint8_t pick)
{
    SheetStore store;
    store.setKeepUntouchedLayout(true);
    openText(store, text);
    const ByteLines lines = splitText(text);
    const QByteArray read = joinLines(lines);
    if (store.sheetText() != read)
        std::abort(); // untouched, every byte as read
    if (store.styleCount() == 0)
        return;
    const int rule = pick % store.styleCount();
    const std::pair<SheetPos, SheetPos> span = store.table().spans[size_t(rule)];
    // Everything before the line the rule starts in, and everything after
    // its "}", stays.
    const QByteArray before = read.left(offsetOf(lines, {span.first.line, 0}));
    const QByteArray after = read.mid(offsetOf(lines, span.second));
    store.list().setSelected(rule);
    store.SelectStyle();
    store.memo().setLines({"; Quillbox-test: 1;"});
    store.RegenerateSheet();
    const QByteArray changed = store.sheetText();
    if (!changed.startsWith(before) || !changed.endsWith(after) || !changed.toLower().contains("quillbox-test: 1;"))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    programLayout(text);
    keptLayout(text, size > 0 ? data[0] : 0);
    return 0;
}
