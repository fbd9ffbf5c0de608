#include "core/sheet/byte_lines.h"

#include <cstring>

QByteArray joinLines(const ByteLines &lines, const char *separator)
{
    const qsizetype separatorSize = qsizetype(std::strlen(separator));
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size() + separatorSize;
    // Copied straight into a buffer of the final size: a sheet has
    // thousands of lines, and appending them one by one costs more.
    QByteArray text(size, Qt::Uninitialized);
    char *out = text.data();
    for (const QByteArray &line : lines) {
        std::memcpy(out, line.constData(), size_t(line.size()));
        out += line.size();
        std::memcpy(out, separator, size_t(separatorSize));
        out += separatorSize;
    }
    return text;
}

namespace {

// Calls line(start, end, how it ends) for each line of the text: 'w' for
// CR LF, 'n' for LF, 'r' for a lone CR, '0' for a last line without one.
template <typename Line>
void forEachLine(const QByteArray &text, Line line)
{
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        const bool pair = c == '\r' && i + 1 < n && text[i + 1] == '\n';
        line(start, i, pair ? 'w' : c == '\n' ? 'n' : 'r');
        i += pair ? 2 : 1;
        start = i;
    }
    if (start < n)
        line(start, n, '0');
}

} // namespace

ByteLines splitText(const QByteArray &text)
{
    ByteLines lines;
    forEachLine(text, [&](qsizetype start, qsizetype end, char) { lines.append(text.mid(start, end - start)); });
    return lines;
}

QByteArray lineEndsOf(const QByteArray &text)
{
    QByteArray ends;
    forEachLine(text, [&](qsizetype, qsizetype, char end) { ends += end; });
    return ends;
}

QByteArray lineEndBytes(char end)
{
    switch (end) {
    case 'w':
        return "\r\n";
    case 'n':
        return "\n";
    case 'r':
        return "\r";
    default:
        return {};
    }
}

QByteArray latinUpper(const QByteArray &text)
{
    QByteArray out = text;
    for (char &c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

qsizetype unquotedUrlEnd(const QByteArray &text, qsizetype at)
{
    // Back to the "(" on the same line, past nothing that would end the
    // address or make it a string.
    qsizetype open = at - 1;
    for (; open >= 0; --open) {
        const char c = text[open];
        if (c == '(')
            break;
        if (c == ')' || c == '\n' || c == '"' || c == '\'' || at - open > 4096)
            return -1;
    }
    if (open < 3 || latinUpper(text.mid(open - 3, 3)) != "URL")
        return -1;
    if (open > 3) {
        const char before = text[open - 4];
        if ((before >= 'a' && before <= 'z') || (before >= 'A' && before <= 'Z') || (before >= '0' && before <= '9')
            || before == '-' || before == '_' || static_cast<unsigned char>(before) >= 0x80)
            return -1;
    }
    for (qsizetype k = at; k < text.size(); ++k) {
        if (text[k] == ')')
            return k + 1;
        if (text[k] == '\n')
            return -1;
    }
    return -1;
}

qsizetype skipStringOrCommentLong(const QByteArray &text, qsizetype i)
{
    const qsizetype n = text.size();
    if (text[i] == '/' && i + 1 < n && text[i + 1] == '*') {
        if (const qsizetype urlEnd = unquotedUrlEnd(text, i); urlEnd > 0)
            return urlEnd;
        const qsizetype end = text.indexOf("*/", i + 2);
        return end < 0 ? n : end + 2;
    }
    if (text[i] == '"' || text[i] == '\'') {
        const char quote = text[i];
        for (qsizetype k = i + 1; k < n; ++k) {
            if (text[k] == '\\')
                ++k;
            else if (text[k] == quote || text[k] == '\n')
                return k + 1;
        }
        return n;
    }
    return i;
}
