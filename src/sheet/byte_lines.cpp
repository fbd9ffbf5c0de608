#include "byte_lines.h"

QByteArray joinLines(const ByteLines &lines)
{
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size() + 2;
    QByteArray text;
    text.reserve(size);
    for (const QByteArray &line : lines) {
        text.append(line);
        text.append("\r\n", 2);
    }
    return text;
}

ByteLines splitText(const QByteArray &text)
{
    ByteLines lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.append(text.mid(start, i - start));
        i += (c == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
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
