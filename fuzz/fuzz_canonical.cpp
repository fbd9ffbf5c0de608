// The canonical text of any bytes is never longer than they are, and a
// blank between two words never vanishes.
#include "edit_history.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray canonical = CanonicalSheetText(text);
    if (canonical.size() > text.size())
        std::abort();
    if (CanonicalSheetText("a " + text + " b").isEmpty())
        std::abort();
    return 0;
}
