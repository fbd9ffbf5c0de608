// Any text as a sheet given to the preview: the lowering ends, and a sheet
// whose braces are balanced comes out balanced.
#include "core/preview/sheet_lowering.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Where an unquoted url( ... ) that holds the "/*" at `at` ends, or -1:
// in "url(file:///site/*)" the "/*" opens no comment.
qsizetype urlEndAround(const QByteArray &text, qsizetype at)
{
    qsizetype open = at - 1;
    while (open >= 0 && text[open] != '(' && text[open] != ')' && text[open] != '\n' && text[open] != '"'
           && text[open] != '\'')
        --open;
    if (open < 3 || text[open] != '(' || qstrnicmp(text.constData() + open - 3, "url", 3) != 0 || at - open > 4096)
        return -1;
    if (open > 3) {
        const char before = text[open - 4];
        if ((before | 0x20) >= 'a' && (before | 0x20) <= 'z')
            return -1;
        if ((before >= '0' && before <= '9') || before == '-' || before == '_' || static_cast<unsigned char>(before) >= 0x80)
            return -1;
    }
    for (qsizetype k = at; k < text.size() && text[k] != '\n'; ++k) {
        if (text[k] == ')')
            return k;
    }
    return -1;
}

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

// Whether a "/*" stands inside an unquoted url( ): the program reads such
// an address to its ")" on the line, the engine as a url token. A sheet
// that does so has no block structure both agree on, and the lowering
// may lay its lines out anew.
bool holdsCommentOpenerInAddress(const QByteArray &text)
{
    for (qsizetype at = text.indexOf("/*"); at >= 0; at = text.indexOf("/*", at + 1)) {
        if (urlEndAround(text, at) > 0)
            return true;
    }
    return false;
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
