#include "edit_history.h"

#include "unsupported_comment.h"

#include <algorithm>
#include <cstring>

namespace {

// Letters, digits and the bytes that join them into one token: a blank
// between two of these is part of the text ("div p", "1px solid").
// How the canonical text treats each byte.
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

} // namespace

QByteArray CanonicalSheetText(const QByteArray &text)
{
    const QByteArray &comment = unsupportedComment();
    QByteArray out(text.size(), Qt::Uninitialized);
    char *dst = out.data();
    const char *src = text.constData();
    const qsizetype size = text.size();

    // What regeneration reshuffles is left out: line breaks, blanks next to
    // punctuation, doubled semicolons and the comment line. A blank between
    // two word bytes stays, as one blank, whatever stood there.
    char previous = 0;     // the last byte seen, line breaks included
    char lastWritten = 0;
    bool spaced = false;
    qsizetype from = 0;
    while (from < size) {
        qsizetype at = text.indexOf(comment, from);
        if (at < 0)
            at = size;
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
            if (spaced && kind == Word && kindOf(lastWritten) == Word)
                *dst++ = ' ';
            spaced = false;
            // The bytes up to the next blank, line break or ";" go as they are.
            qsizetype end = i + 1;
            while (end < at && kindOf(src[end]) <= Word)
                ++end;
            std::memcpy(dst, src + i, size_t(end - i));
            dst += end - i;
            previous = lastWritten = src[end - 1];
            i = end;
        }
        from = at + comment.size();
    }
    out.truncate(dst - out.constData());
    return out;
}

namespace {

// Every this many slots a snapshot is kept whole, so reading one never
// replays more changes than that.
constexpr int kWholeEvery = 32;

} // namespace

QByteArray EditHistory::text(int slot) const
{
    for (const Cached &cached : m_texts) {
        if (cached.slot == slot)
            return cached.value;
    }
    int whole = slot;
    while (whole > 0 && m_slots[whole].prefix >= 0)
        --whole;
    QByteArray result = m_slots[whole].data;
    for (int k = whole + 1; k <= slot; ++k) {
        const Stored &step = m_slots[k];
        result = result.left(step.prefix) + step.data + result.right(step.suffix);
    }
    m_texts[1] = m_texts[0];
    m_texts[0] = {slot, result};
    return result;
}

void EditHistory::forget(int slot) const
{
    for (Cached &cached : m_texts) {
        if (cached.slot == slot)
            cached = {};
    }
    for (Cached &cached : m_canonicals) {
        if (cached.slot == slot)
            cached = {};
    }
}

void EditHistory::storeWhole(int slot)
{
    if (m_slots[slot].prefix >= 0)
        m_slots[slot] = {text(slot), -1, 0};
}

void EditHistory::setText(int slot, const QByteArray &sheetText)
{
    // The slot above is kept as a change of this one: it is made whole
    // before this one changes.
    if (slot + 1 < int(m_slots.size()))
        storeWhole(slot + 1);
    int distance = 0;
    for (int k = slot - 1; k > 0 && m_slots[k].prefix >= 0; --k)
        ++distance;
    Stored stored{sheetText, -1, 0};
    if (slot > 0 && distance + 1 < kWholeEvery && !m_slots[slot - 1].data.isNull()) {
        const QByteArray below = text(slot - 1);
        const qsizetype common = std::min(below.size(), sheetText.size());
        const char *a = below.constData();
        const char *b = sheetText.constData();
        const qsizetype prefix = std::mismatch(a, a + common, b).first - a;
        // Both ranges stop at the common prefix, so neither end reads
        // past the shorter text.
        const auto tail = std::mismatch(std::make_reverse_iterator(a + below.size()),
                                        std::make_reverse_iterator(a + prefix),
                                        std::make_reverse_iterator(b + sheetText.size()),
                                        std::make_reverse_iterator(b + prefix));
        const qsizetype suffix = tail.first - std::make_reverse_iterator(a + below.size());
        stored = {sheetText.mid(prefix, sheetText.size() - prefix - suffix), int(prefix), int(suffix)};
    }
    m_slots[slot] = std::move(stored);
    forget(slot);
    m_texts[1] = m_texts[0];
    m_texts[0] = {slot, sheetText};
}

qsizetype EditHistory::storedBytes() const
{
    qsizetype bytes = 0;
    for (const Stored &stored : m_slots)
        bytes += stored.data.size();
    return bytes;
}

QByteArray EditHistory::canonicalAt(int slot) const
{
    for (const Cached &cached : m_canonicals) {
        if (cached.slot == slot)
            return cached.value;
    }
    const QByteArray canonical = CanonicalSheetText(text(slot));
    m_canonicals[1] = m_canonicals[0];
    m_canonicals[0] = {slot, canonical};
    return canonical;
}

bool EditHistory::differsFrom(const QByteArray &sheetText) const
{
    if (pos == 0)
        return true;
    m_lastText = sheetText;
    m_lastCanonical = CanonicalSheetText(sheetText);
    return m_lastCanonical != canonicalAt(pos) && m_lastCanonical != canonicalAt(pos + 1);
}

void EditHistory::record(const QByteArray &sheetText, int selection)
{
    if (pos >= kHistorySlots) {
        // The oldest snapshot goes; the ones that were changes of it, and
        // the one above the top, are made whole first.
        storeWhole(1);
        storeWhole(kHistorySlots + 1);
        std::move(m_slots.begin() + 1, m_slots.begin() + kHistorySlots + 1, m_slots.begin());
        std::move(selections.begin() + 1, selections.begin() + kHistorySlots + 1, selections.begin());
        m_slots[kHistorySlots] = {};
        m_texts = {};
        m_canonicals = {};
        pos = kHistorySlots;
    } else {
        ++pos;
    }
    const QByteArray canonical =
        sheetText.isSharedWith(m_lastText) ? m_lastCanonical : CanonicalSheetText(sheetText);
    setText(pos, sheetText);
    selections[pos] = selection;
    redoCount = 0;
    m_canonicals[1] = m_canonicals[0];
    m_canonicals[0] = {pos, canonical};
}
