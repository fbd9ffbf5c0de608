#include "edit_history.h"

#include "unsupported_comment.h"

#include <algorithm>

QByteArray CanonicalSheetText(const QByteArray &text)
{
    const QByteArray &comment = unsupportedComment();
    QByteArray out(text.size(), Qt::Uninitialized);
    char *dst = out.data();
    const char *src = text.constData();
    const qsizetype size = text.size();

    // Blanks go first, then runs of semicolons collapse, and only then the
    // line breaks: a ";" ending one line and one starting the next stay two.
    char previous = 0;
    qsizetype from = 0;
    while (from < size) {
        qsizetype at = text.indexOf(comment, from);
        if (at < 0)
            at = size;
        for (qsizetype i = from; i < at; ++i) {
            const char c = src[i];
            if (c == ' ' || (c == ';' && previous == ';'))
                continue;
            previous = c;
            if (c != '\r' && c != '\n')
                *dst++ = c;
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
