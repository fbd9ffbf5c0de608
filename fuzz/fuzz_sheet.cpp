// Any bytes as a sheet: the table is rebuilt and written back, the text
// settles after one more round, and what the table does not hold (group
// braces, unheld blocks, the tail) survives.
#include "sheet_fixture.h"
#include "core/sheet/sheet_store.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
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
    openText(store, once);
    const QByteArray twice = store.sheetText();
    openText(store, twice);
    if (store.sheetText() != twice)
        std::abort(); // no fixed point after a round
    return 0;
}
