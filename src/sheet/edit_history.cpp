#include "edit_history.h"

#include "unsupported_comment.h"

#include <algorithm>

namespace {

// Letters, digits and the bytes that join them into one token: a blank
// between two of these is part of the text ("div p", "1px solid").
struct WordBytes {
    bool word[256] = {};
    constexpr WordBytes()
    {
        for (int b = 0; b < 256; ++b)
            word[b] = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b >= 0x80;
        for (const char c : {'-', '_', '#', '.', '%', '!', '@', '\\'})
            word[static_cast<unsigned char>(c)] = true;
    }
};
constexpr WordBytes kWordBytes;

bool isWordByte(char c)
{
    return kWordBytes.word[static_cast<unsigned char>(c)];
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
        for (qsizetype i = from; i < at; ++i) {
            const char c = src[i];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                // A ";" ending one line and one starting the next stay two.
                if (c == '\r' || c == '\n')
                    previous = c;
                spaced = true;
                continue;
            }
            if (c == ';' && previous == ';')
                continue;
            if (spaced && isWordByte(lastWritten) && isWordByte(c))
                *dst++ = ' ';
            spaced = false;
            *dst++ = c;
            previous = c;
            lastWritten = c;
        }
        from = at + comment.size();
    }
    out.truncate(dst - out.constData());
    return out;
}

QByteArray EditHistory::canonicalOf(const QByteArray &text) const
{
    if (text.isSharedWith(m_snapshotText) && !text.isNull())
        return m_snapshotCanonical;
    return CanonicalSheetText(text);
}

bool EditHistory::differsFrom(const QByteArray &sheetText) const
{
    if (pos == 0)
        return true;
    m_lastText = sheetText;
    m_lastCanonical = CanonicalSheetText(sheetText);
    return m_lastCanonical != canonicalOf(texts[pos]) && m_lastCanonical != canonicalOf(texts[pos + 1]);
}

void EditHistory::record(const QByteArray &sheetText, int selection)
{
    if (pos >= kHistorySlots) {
        std::move(texts.begin() + 1, texts.begin() + kHistorySlots + 1, texts.begin());
        std::move(selections.begin() + 1, selections.begin() + kHistorySlots + 1, selections.begin());
        pos = kHistorySlots;
    } else {
        ++pos;
    }
    texts[pos] = sheetText;
    selections[pos] = selection;
    redoCount = 0;
    m_snapshotText = texts[pos];
    m_snapshotCanonical = sheetText.isSharedWith(m_lastText) ? m_lastCanonical : CanonicalSheetText(sheetText);
}
