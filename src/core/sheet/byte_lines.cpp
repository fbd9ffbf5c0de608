#include "core/sheet/byte_lines.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Lines are short: most copies are done in place by a few moves rather
// than by a call.
inline void copyBytes(char *out, const char *from, size_t n)
{
    if (n <= 16) {
        if (n >= 8) {
            quint64 head, tail;
            std::memcpy(&head, from, 8);
            std::memcpy(&tail, from + n - 8, 8);
            std::memcpy(out, &head, 8);
            std::memcpy(out + n - 8, &tail, 8);
        } else if (n >= 4) {
            quint32 head, tail;
            std::memcpy(&head, from, 4);
            std::memcpy(&tail, from + n - 4, 4);
            std::memcpy(out, &head, 4);
            std::memcpy(out + n - 4, &tail, 4);
        } else {
            for (size_t i = 0; i < n; ++i)
                out[i] = from[i];
        }
        return;
    }
    if (n <= 32) {
        char head[16], tail[16];
        std::memcpy(head, from, 16);
        std::memcpy(tail, from + n - 16, 16);
        std::memcpy(out, head, 16);
        std::memcpy(out + n - 16, tail, 16);
        return;
    }
    std::memcpy(out, from, n);
}

// The separator's size is a constant for the usual ones, so its copy is
// a move too; kAnySize reads it from `size`.
constexpr size_t kAnySize = size_t(-1);
template <size_t SeparatorSize>
void joinInto(char *out, const ByteLines &lines, const char *separator, size_t size)
{
    const size_t separatorSize = SeparatorSize == kAnySize ? size : SeparatorSize;
    for (const QByteArray &line : lines) {
        copyBytes(out, line.constData(), size_t(line.size()));
        out += line.size();
        std::memcpy(out, separator, separatorSize);
        out += separatorSize;
    }
}

} // namespace

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
    switch (separatorSize) {
    case 1: joinInto<1>(out, lines, separator, 1); break;
    case 2: joinInto<2>(out, lines, separator, 2); break;
    default: joinInto<kAnySize>(out, lines, separator, size_t(separatorSize));
    }
    return text;
}

namespace {

// Calls line(start, end, how it ends) for each line of the text: 'w' for
// CR LF, 'n' for LF, 'r' for a lone CR, '0' for a last line without one.
template <typename Line>
void forEachLine(const QByteArray &text, Line line)
{
    const char *bytes = text.constData();
    const qsizetype n = text.size();
    auto next = [&](char c, qsizetype from) {
        const void *at = std::memchr(bytes + from, c, size_t(n - from));
        return at ? static_cast<const char *>(at) - bytes : n;
    };
    // The next LF and the next CR, each found again only once passed: a
    // text of lone CRs is not searched to its end at every line.
    qsizetype nextLf = -1;
    qsizetype nextCr = -1;
    qsizetype start = 0;
    while (start < n) {
        if (nextLf < start)
            nextLf = next('\n', start);
        if (nextCr < start)
            nextCr = next('\r', start);
        const qsizetype i = std::min(nextLf, nextCr);
        if (i == n) {
            line(start, n, '0');
            return;
        }
        const bool pair = bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n';
        line(start, i, pair ? 'w' : bytes[i] == '\n' ? 'n' : 'r');
        start = i + (pair ? 2 : 1);
    }
}

} // namespace

ByteLines splitText(const QByteArray &text)
{
    ByteLines lines;
    lines.reserve(qsizetype(std::count(text.cbegin(), text.cend(), '\n')) + 1);
    forEachLine(text, [&](qsizetype start, qsizetype end, char) {
        lines.append(QByteArray(text.constData() + start, end - start));
    });
    return lines;
}

ByteLines splitTextReusing(const QByteArray &text, const ByteLines &known)
{
    std::vector<std::pair<qsizetype, qsizetype>> spans;
    spans.reserve(size_t(std::count(text.cbegin(), text.cend(), '\n')) + 1);
    forEachLine(text, [&](qsizetype start, qsizetype end, char) { spans.emplace_back(start, end); });
    const qsizetype total = qsizetype(spans.size());
    const qsizetype shift = known.size() - total; // where the same line stands, counted from the end
    ByteLines lines;
    lines.reserve(total);
    for (qsizetype k = 0; k < total; ++k) {
        const QByteArrayView line(text.constData() + spans[size_t(k)].first, spans[size_t(k)].second - spans[size_t(k)].first);
        if (k < known.size() && QByteArrayView(known[k]) == line)
            lines.append(known[k]);
        else if (k + shift >= 0 && k + shift < known.size() && QByteArrayView(known[k + shift]) == line)
            lines.append(known[k + shift]);
        else
            lines.append(line.toByteArray());
    }
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
