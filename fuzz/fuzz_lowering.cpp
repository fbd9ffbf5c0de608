// Any text as a sheet given to the preview: the lowering ends, and a sheet
// whose braces are balanced comes out balanced.
#include "core/preview/sheet_lowering.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool isNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
        || static_cast<unsigned char>(c) >= 0x80;
}

// Braces outside strings, comments and unquoted url() tokens, as the engine
// tokenises them; -1 when they never balance. (A lowered address such as
// url(file:///site/*) holds "/*" that opens no comment.)
int braceBalance(const QByteArray &text)
{
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == 'u' || c == 'U') && (i == 0 || !isNameByte(text[i - 1])) && text.size() - i > 4
            && qstrnicmp(text.constData() + i, "url(", 4) == 0) {
            qsizetype k = i + 4;
            while (k < text.size() && (text[k] == ' ' || text[k] == '\t' || text[k] == '\n'))
                ++k;
            if (k < text.size() && text[k] != '"' && text[k] != '\'') {
                for (; k < text.size() && text[k] != ')'; ++k) {
                    if (text[k] == '\\')
                        ++k;
                }
                i = k;
                continue;
            }
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
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
    if (braceBalance(text) == 0 && braceBalance(lowered.text) != 0)
        std::abort();
    return 0;
}
