// Any bytes as a sheet: the table is rebuilt and written back, the text
// settles after one more round, and what the table does not hold survives.
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
    openText(store, once);
    const QByteArray twice = store.sheetText();
    openText(store, twice);
    if (store.sheetText() != twice)
        std::abort(); // no fixed point after a round
    return 0;
}
