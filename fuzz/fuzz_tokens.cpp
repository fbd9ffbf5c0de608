// Any bytes as CSS text: the tokens cover it exactly, in order and without
// gaps, each one non-empty, and reading them one at a time gives the same.
#include "core/css/css_tokenizer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<CssToken> tokens = cssTokens(text);
    qsizetype at = 0;
    CssTokenReader reader(text);
    for (const CssToken &token : tokens) {
        if (token.from != at || token.to <= token.from || token.to > text.size())
            std::abort();
        const CssToken one = reader.next();
        if (one.from != token.from || one.to != token.to || one.type != token.type)
            std::abort();
        if ((token.type == CssToken::Number || token.type == CssToken::Percentage || token.type == CssToken::Dimension)
            && (token.numberEnd <= token.from || token.numberEnd > token.to))
            std::abort();
        (void)cssTokenName(text, token);
        at = token.to;
    }
    if (at != text.size() || !reader.atEnd())
        std::abort();
    return 0;
}
