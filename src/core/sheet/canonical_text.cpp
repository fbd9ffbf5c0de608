#include "core/sheet/canonical_text.h"

#include "core/sheet/unsupported_comment.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

// How the canonical text treats each byte. Letters, digits and the bytes
// that join them into one token are words: a blank between two of these is
// part of the text ("div p", "1px solid").
enum ByteKind : unsigned char { Plain, Word, Blank, LineBreak, Semicolon };

struct ByteKinds {
    ByteKind kind[256] = {};
    constexpr ByteKinds()
    {
        for (int b = 0; b < 256; ++b) {
            const bool word = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b >= 0x80;
            kind[b] = word ? Word : Plain;
        }
        for (const char c : {'-', '_', '#', '.', '%', '!', '@', '\\'})
            kind[static_cast<unsigned char>(c)] = Word;
        kind[static_cast<unsigned char>(' ')] = Blank;
        kind[static_cast<unsigned char>('\t')] = Blank;
        kind[static_cast<unsigned char>('\r')] = LineBreak;
        kind[static_cast<unsigned char>('\n')] = LineBreak;
        kind[static_cast<unsigned char>(';')] = Semicolon;
    }
};
constexpr ByteKinds kKinds;

ByteKind kindOf(char c)
{
    return kKinds.kind[static_cast<unsigned char>(c)];
}

// Writes the canonical form of src[0, size) to dst and returns its length,
// or limit + 1 as soon as it would grow past limit. `afterBreak` starts as
// a line break leaves the state: a blank pending, no ";" to double.
qsizetype canonicalInto(const char *src, qsizetype size, char *dst, qsizetype limit, bool afterBreak)
{
    const std::string_view text(src, size_t(size));
    const QByteArray &marker = unsupportedComment();
    const std::string_view comment(marker.constData(), size_t(marker.size()));
    char *const begin = dst;
    char previous = afterBreak ? '\n' : 0; // the last byte seen, line breaks included
    char lastWritten = 0;
    bool spaced = afterBreak;
    qsizetype from = 0;
    while (from < size) {
        const size_t found = text.find(comment, size_t(from));
        const qsizetype at = found == std::string_view::npos ? size : qsizetype(found);
        qsizetype i = from;
        while (i < at) {
            const char c = src[i];
            const ByteKind kind = kindOf(c);
            if (kind == Blank || kind == LineBreak) {
                // A ";" ending one line and one starting the next stay two.
                if (kind == LineBreak)
                    previous = c;
                spaced = true;
                ++i;
                continue;
            }
            if (kind == Semicolon && previous == ';') {
                ++i;
                continue;
            }
            const bool blank = spaced && kind == Word && kindOf(lastWritten) == Word;
            spaced = false;
            // The bytes up to the next blank, line break or ";" go as they are.
            qsizetype end = i + 1;
            while (end < at && kindOf(src[end]) <= Word)
                ++end;
            if ((dst - begin) + (blank ? 1 : 0) + (end - i) > limit)
                return limit + 1;
            if (blank)
                *dst++ = ' ';
            std::memcpy(dst, src + i, size_t(end - i));
            dst += end - i;
            previous = lastWritten = src[end - 1];
            i = end;
        }
        from = at + qsizetype(comment.size());
    }
    return dst - begin;
}

// The start of the line holding `at`: the canonical form of a text is the
// forms of its lines run from the same state, as the comment never spans
// a line break.
qsizetype lineStartBefore(const QByteArray &text, qsizetype at)
{
    while (at > 0 && text[at - 1] != '\n')
        --at;
    return at;
}

} // namespace

QByteArray CanonicalSheetText(const QByteArray &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    out.truncate(canonicalInto(text.constData(), text.size(), out.data(), text.size(), false));
    return out;
}

qsizetype commonPrefixLength(const QByteArray &a, const QByteArray &b)
{
    const qsizetype common = std::min(a.size(), b.size());
    // Whole blocks by memcmp first: a byte loop is several times slower on
    // a sheet of a few hundred kilobytes.
    constexpr qsizetype kBlock = 4096;
    qsizetype at = 0;
    while (at + kBlock <= common && std::memcmp(a.constData() + at, b.constData() + at, size_t(kBlock)) == 0)
        at += kBlock;
    return std::mismatch(a.constData() + at, a.constData() + common, b.constData() + at).first - a.constData();
}

qsizetype commonSuffixLength(const QByteArray &a, const QByteArray &b, qsizetype prefix)
{
    const qsizetype common = std::min(a.size(), b.size()) - prefix;
    const char *endA = a.constData() + a.size();
    const char *endB = b.constData() + b.size();
    constexpr qsizetype kBlock = 4096;
    qsizetype length = 0;
    while (length + kBlock <= common
           && std::memcmp(endA - length - kBlock, endB - length - kBlock, size_t(kBlock)) == 0)
        length += kBlock;
    while (length < common && endA[-length - 1] == endB[-length - 1])
        ++length;
    return length;
}

bool SameCanonicalText(const QByteArray &a, const QByteArray &b)
{
    const qsizetype prefix = commonPrefixLength(a, b);
    if (prefix == a.size() && prefix == b.size())
        return true;
    // From the start of the first line that differs to the start of the
    // first whole line of the common end: before and after, both texts
    // give the same form from the same state.
    const qsizetype from = lineStartBefore(a, prefix);
    const qsizetype suffix = commonSuffixLength(a, b, prefix);
    qsizetype toA = a.size();
    for (qsizetype p = a.size() - suffix; p < a.size(); ++p) {
        if (a[p] == '\n') {
            toA = p + 1;
            break;
        }
    }
    const qsizetype toB = b.size() - (a.size() - toA);
    const bool afterBreak = from > 0;

    // The shorter part first; the other form stops as soon as it outgrows
    // it, so a text against an empty slot costs almost nothing.
    const char *shortPart = a.constData() + from;
    const char *longPart = b.constData() + from;
    qsizetype shortSize = toA - from;
    qsizetype longSize = toB - from;
    if (shortSize > longSize) {
        std::swap(shortPart, longPart);
        std::swap(shortSize, longSize);
    }
    QByteArray shortForm(shortSize, Qt::Uninitialized);
    const qsizetype shortLength = canonicalInto(shortPart, shortSize, shortForm.data(), shortSize, afterBreak);
    QByteArray longForm(std::min(longSize, shortLength), Qt::Uninitialized);
    const qsizetype longLength = canonicalInto(longPart, longSize, longForm.data(), shortLength, afterBreak);
    return shortLength == longLength
        && std::memcmp(shortForm.constData(), longForm.constData(), size_t(shortLength)) == 0;
}
