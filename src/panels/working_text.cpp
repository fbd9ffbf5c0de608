#include "working_text.h"

namespace {

QByteArray squeeze(const ByteLines &lines)
{
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line;
    text += ';';
    for (char &c : text) {
        if (static_cast<unsigned char>(c) < 33)
            c = ' ';
    }
    // The cursor never looks at the last byte; a deletion leaves it in place,
    // so runs collapse completely.
    qsizetype i = 0;
    while (i < text.size() - 1) {
        const char c = text[i];
        const char next = text[i + 1];
        if (c == ' ') {
            if (next == ' ')
                text.remove(i + 1, 1);
            else if (next == ';' || next == ':')
                text.remove(i, 1);
            else
                ++i;
        } else if (c == ':') {
            if (next == ' ')
                text.remove(i + 1, 1);
            else
                ++i;
        } else if (c == ';') {
            if (next == ' ' || next == ';')
                text.remove(i + 1, 1);
            else
                ++i;
        } else {
            ++i;
        }
    }
    return text;
}

} // namespace

QByteArray NormaliseDeclarations(const ByteLines &lines)
{
    return latinUpper(squeeze(lines));
}

WorkingText WorkingText::fromLines(const ByteLines &lines)
{
    WorkingText text;
    text.m_original = squeeze(lines);
    text.m_upper = latinUpper(text.m_original);
    return text;
}

qsizetype WorkingText::find(const QByteArray &pattern) const
{
    const qsizetype at = m_upper.indexOf(pattern);
    if (at < 0)
        return -1;
    if (at > 0 && m_upper[at - 1] == '-')
        return -1;
    return at;
}

qsizetype WorkingText::take(const QByteArray &pattern)
{
    const qsizetype at = find(pattern);
    if (at >= 0)
        remove(at, pattern.size());
    return at;
}

WorkingText::Value WorkingText::peek(const QByteArray &head) const
{
    Value value;
    const qsizetype at = find(head);
    if (at < 0)
        return value;
    const qsizetype from = at + head.size();
    qsizetype end = m_upper.indexOf(';', from);
    const bool hasSemicolon = end >= 0;
    if (!hasSemicolon)
        end = m_upper.size();
    value.at = at;
    value.upper = m_upper.mid(from, end - from);
    value.original = m_original.mid(from, end - from);
    value.length = end - at + (hasSemicolon ? 1 : 0);
    return value;
}

void WorkingText::remove(qsizetype at, qsizetype length)
{
    m_upper.remove(at, length);
    m_original.remove(at, length);
}

void WorkingText::removeAll(const QByteArray &upperText)
{
    if (upperText.isEmpty())
        return;
    for (qsizetype at = m_upper.indexOf(upperText); at >= 0; at = m_upper.indexOf(upperText, at))
        remove(at, upperText.size());
}

void WorkingText::trimLeadingSemicolons()
{
    qsizetype n = 0;
    while (n < m_upper.size() && m_upper[n] == ';')
        ++n;
    remove(0, n);
}
