// The canonical text of any bytes is never longer than they are, a blank
// between two words never vanishes, and the comparison worked out from the
// differing part agrees with comparing the whole forms.
#include "core/sheet/canonical_text.h"

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

    // A second text: a piece of the first replaced by another of its pieces.
    if (size >= 3) {
        const qsizetype n = text.size() - 3;
        const qsizetype at = n ? data[0] % n : 0;
        const qsizetype cut = n ? data[1] % (n - at + 1) : 0;
        const QByteArray other = text.left(3 + at) + text.mid(3, data[2] % (n + 1)) + text.mid(3 + at + cut);
        if (SameCanonicalText(text, other) != (canonical == CanonicalSheetText(other)))
            std::abort();
    }
    return 0;
}
