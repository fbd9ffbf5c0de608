// Any text as a sheet given to the preview: the lowering ends, and a sheet
// whose braces are balanced comes out balanced.
#include "core/preview/sheet_lowering.h"
#include "fuzz_checks.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Braces outside strings and comments, as the program's block scan counts
// them; -1 when they never balance.
int braceBalance(const QByteArray &text)
{
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            if (const qsizetype urlEnd = urlEndAround(text, i); urlEnd > 0) {
                i = urlEnd;
                continue;
            }
            const qsizetype end = text.indexOf("*/", i + 2);
            if (end < 0)
                return -1;
            i = end + 1;
        } else if (c == '"' || c == '\'') {
            for (++i; i < text.size() && text[i] != c && text[i] != '\n'; ++i) {
                if (text[i] == '\\')
                    ++i;
            }
        } else if (c == '{') {
            ++depth;
        } else if (c == '}' && --depth < 0) {
            return -1;
        }
    }
    return depth;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const LoweredSheet lowered = lowerForPreview(text, "file:///home/u/site/style.css");
    (void)unshownMessage(lowered);
    if (braceBalance(text) == 0 && !holdsCommentOpenerInAddress(text) && braceBalance(lowered.text) != 0)
        std::abort();
    return 0;
}
