// The tag colouring of any text over any range: one colour for each
// character of the range, and the tag searches stay inside the text.
#include "core/preview/tag_colouring.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    int from = 0, to = 0;
    std::memcpy(&from, data, 2);
    std::memcpy(&to, data + 2, 2);
    from = int(int16_t(from));
    to = int(int16_t(to));
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 4), qsizetype(size - 4));
    const std::vector<TagColour> colours = ColourTagRange(text, from, to);
    const int first = std::max(from, 0);
    const int last = std::min(to, int(text.size()) - 1);
    if (int(colours.size()) != std::max(0, last - first + 1))
        std::abort();
    for (int caret = 0; caret <= text.size(); ++caret) {
        if (FindTagStart(text, caret) > caret || FindTagEnd(text, caret) > text.size() + 1)
            std::abort();
        (void)InsideOpenTag(text, caret);
    }
    return 0;
}
