#pragma once

#include "core/sheet/byte_lines.h"

// The flat rule scanner written the slow, literal way: rule n is found by
// its own column-by-column pass over the whole sheet. On flat sheets the
// rule table must hold what it finds.
struct RuleSpan {
    int openColumn = 0;
    int openLine = 0;
    int closeColumn = 0;
    int closeLine = 0;
    QByteArray selector;
    ByteLines body;
};

namespace oracle {

inline QByteArray normalise(QByteArray text)
{
    auto trim = [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b == 32 || b >= 128;
    };
    while (!text.isEmpty() && trim(text[0]))
        text.remove(0, 1);
    while (text.size() > 1 && trim(text[text.size() - 1]))
        text.chop(1);
    return text;
}

inline bool joins(char c)
{
    return c == ' ' || c == ',' || c == '>' || c == '+' || c == '~';
}

inline void scanRule(const ByteLines &lines, int n, RuleSpan &span)
{
    int r = -1;
    bool inBraces = false;
    bool inComment = false;
    QByteArray acc;
    bool separated = false; // a line break or control byte since the last selector byte
    int brackets = 0;
    char quote = 0;
    ByteLines body;
    span.selector.clear();
    for (int k = 0; k < lines.size(); ++k) {
        const QByteArray &line = lines[k];
        if (!inBraces && !inComment)
            separated = true;
        if (line.isEmpty())
            continue;
        QByteArray part;
        for (int p = 1; p <= line.size(); ++p) {
            const char c = line[p - 1];
            const bool hasNext = p < line.size();
            if (r == n && inBraces)
                part.append(c);
            if (c == '*') {
                if (hasNext && line[p] == '/' && inComment)
                    inComment = false;
            } else if (c == '/') {
                if (hasNext && line[p] == '*')
                    inComment = true;
            } else if (c == '{') {
                acc = normalise(acc);
                inBraces = true;
                ++r;
                if (r == n) {
                    span.selector = acc;
                    span.openLine = k;
                    span.openColumn = p;
                }
                acc.clear();
                separated = false;
                brackets = 0;
                quote = 0;
            } else if (c == '}') {
                inBraces = false;
                if (r == n) {
                    span.closeLine = k;
                    span.closeColumn = p;
                }
            } else {
                const auto b = static_cast<unsigned char>(c);
                if (b >= 32 && b <= 126 && !inBraces && !inComment) {
                    if (c == ';' && brackets == 0 && quote == 0) {
                        acc.clear(); // a statement in front of the rule ends here
                        separated = false;
                    } else {
                        if (separated && !acc.isEmpty() && !joins(acc.back()) && !joins(c))
                            acc.append(' ');
                        separated = false;
                        if (quote)
                            quote = c == quote ? 0 : quote;
                        else if (c == '"' || c == '\'')
                            quote = c;
                        else if (c == '[')
                            ++brackets;
                        else if (c == ']' && brackets > 0)
                            --brackets;
                        acc.append(c);
                    }
                } else if ((b < 32 || b == 127) && !inBraces && !inComment) {
                    separated = true;
                }
            }
            if (r == n && inBraces) {
                int pos = 1;
                while (part.size() > pos && static_cast<unsigned char>(part[pos - 1]) < 33) {
                    part.remove(pos - 1, 1);
                    ++pos;
                }
                if (!body.isEmpty())
                    body.removeLast();
                body.append(part);
                if (p == line.size() && !part.isEmpty())
                    body.append(QByteArray());
            }
        }
    }
    span.body = body;
}

} // namespace oracle
