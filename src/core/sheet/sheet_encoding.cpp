#include "core/sheet/sheet_encoding.h"

#include "core/sheet/cp1251.h"
#include "core/sheet/unsupported_comment.h"


#include <algorithm>
#include <cstring>
#include <optional>

namespace {

bool hasHighByte(const QByteArray &line)
{
    return std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// The encoding an "@charset" at the very start names, where it names one
// the editor knows.
std::optional<SheetEncoding> declaredEncoding(const QByteArray &firstLine)
{
    static const QByteArray head = "@charset \"";
    if (!firstLine.startsWith(head))
        return std::nullopt;
    const qsizetype end = firstLine.indexOf('"', head.size());
    if (end < 0)
        return std::nullopt;
    const QByteArray name = firstLine.mid(head.size(), end - head.size()).toLower();
    if (name == "utf-8" || name == "utf8" || name == "unicode-1-1-utf-8")
        return SheetEncoding::Utf8;
    if (name == "windows-1251" || name == "cp1251" || name == "x-cp1251")
        return SheetEncoding::Windows1251;
    return std::nullopt;
}

// The marker comment is the program's own line: it is held in Windows-1251
// whatever the sheet's encoding, and shown as what it says.
const QByteArray &markerInUtf8()
{
    static const QByteArray text = cp1251::decode(unsupportedComment()).toUtf8();
    return text;
}

void appendEscape(QByteArray &out, char32_t codePoint)
{
    out += '\\';
    out += QByteArray::number(qulonglong(codePoint), 16).toUpper();
    out += ' ';
}

// The length of the valid UTF-8 sequence at i, or 0.
qsizetype utf8SequenceLength(const QByteArray &bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0; };
    const unsigned char lead = at(i);
    const auto tail = [&](qsizetype k) { return (at(k) & 0xC0) == 0x80; };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return tail(i + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char second = at(i + 1);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F))
            return 0; // too long a form, or half a surrogate pair
        return tail(i + 1) && tail(i + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char second = at(i + 1);
        if ((lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
            return 0;
        return tail(i + 1) && tail(i + 2) && tail(i + 3) ? 4 : 0;
    }
    return 0;
}

// Whether the bytes are UTF-8 throughout; runs of ASCII are passed over
// eight bytes at a time, as most of a sheet is ASCII.
bool isValidUtf8(const QByteArray &bytes)
{
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        if (i + 8 <= size) {
            quint64 word;
            std::memcpy(&word, data + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const qsizetype length = utf8SequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

void appendUtf8(QByteArray &out, char32_t c)
{
    if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
    }
    out += char(0x80 | (c & 0x3F));
}

} // namespace

QString encodingName(SheetEncoding encoding)
{
    return encoding == SheetEncoding::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1251");
}

SheetEncoding detectSheetEncoding(const ByteLines &lines)
{
    for (const QByteArray &line : lines) {
        if (hasHighByte(line) && !isValidUtf8(line))
            return SheetEncoding::Windows1251;
    }
    if (lines.isEmpty())
        return SheetEncoding::Utf8;
    const QByteArray &first = lines.first();
    if (first.startsWith(kUtf8Bom))
        return SheetEncoding::Utf8;
    if (const std::optional<SheetEncoding> declared = declaredEncoding(first))
        return *declared;
    // Plain ASCII is valid UTF-8 too.
    return SheetEncoding::Utf8;
}

QString SheetCodec::decode(const QByteArray &bytes) const
{
    if (m_encoding == SheetEncoding::Windows1251)
        return cp1251::decode(bytes);
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    // The sheet itself is valid UTF-8; what is not is the program's own
    // single-byte text (the marker comment, the panels' captions), shown
    // as what it says.
    QString text;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const qsizetype length = utf8SequenceLength(bytes, i);
        if (length > 0) {
            text += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
        } else {
            text += cp1251::decode(bytes.mid(i, 1));
            ++i;
        }
    }
    return text;
}

QByteArray SheetCodec::encode(const QString &text) const
{
    const bool utf8 = m_encoding == SheetEncoding::Utf8;
    QByteArray out;
    out.reserve(text.size());
    const char16_t *units = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t c = units[i];
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(units[i + 1]))
            c = QChar::surrogateToUcs4(char16_t(c), units[++i]);
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            out += '\n';
        } else if (utf8) {
            if (QChar::isSurrogate(c))
                appendEscape(out, QChar::ReplacementCharacter); // half a pair means nothing
            else
                appendUtf8(out, c);
        } else if (char byte; c <= 0xFFFF && cp1251::encodeChar(char16_t(c), &byte)) {
            out += byte;
        } else {
            appendEscape(out, c);
        }
    }
    if (utf8 && out.contains(markerInUtf8()))
        out.replace(markerInUtf8(), unsupportedComment());
    return out;
}
