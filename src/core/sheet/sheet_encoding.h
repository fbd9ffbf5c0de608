#pragma once

#include "core/sheet/byte_lines.h"

#include <QByteArray>
#include <QString>

enum class SheetEncoding { Windows1251, Utf8 };

// "UTF-8" or "Windows-1251", as the status bar shows it.
QString encodingName(SheetEncoding encoding);

// The byte order mark a UTF-8 sheet may begin with.
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Decided once when a sheet is read: a byte order mark means UTF-8; else
// an @charset at the very start names the encoding; else a sheet that is
// valid UTF-8 throughout, plain ASCII included, is UTF-8. Bytes
// above 127 that are not valid UTF-8 are Windows-1251 whatever the sheet
// says, so nothing is ever read with replacement characters.
SheetEncoding detectSheetEncoding(const ByteLines &lines);

// Turns the sheet's bytes into the text widgets show and back. What the
// encoding cannot hold is written as a CSS escape (a backslash, the code
// point in hex and one blank), which selectors and strings read as the
// character itself; line and paragraph separators are line breaks. No
// character ever becomes "?".
class SheetCodec
{
public:
    explicit SheetCodec(SheetEncoding encoding = SheetEncoding::Windows1251)
        : m_encoding(encoding)
    {
    }

    SheetEncoding encoding() const { return m_encoding; }
    QString decode(const QByteArray &bytes) const;
    QByteArray encode(const QString &text) const;

private:
    SheetEncoding m_encoding;
};
