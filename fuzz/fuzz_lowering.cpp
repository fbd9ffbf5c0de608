// Any text as a sheet given to the preview: the lowering ends, and a sheet
// whose braces are balanced comes out balanced.
#include "core/css/css_tokenizer.h"
#include "core/preview/sheet_lowering.h"
#include "fuzz_checks.h"

#include <cstdint>
#include <cstdlib>

namespace {

// The depth of blocks after the whole text, as the engine's tokens count
// them; -1 when a block closes that never opened.
int braceBalance(const QByteArray &text)
{
    int depth = 0;
    for (const CssToken &token : cssTokens(text)) {
        if (token.type == CssToken::OpenCurly)
            ++depth;
        else if (token.type == CssToken::CloseCurly && --depth < 0)
            return -1;
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
