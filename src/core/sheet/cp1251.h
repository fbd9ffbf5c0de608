#pragma once

#include <QByteArray>
#include <QString>

// Windows-1251 is the code page of every sheet the editor shows. The byte
// 0x98 has no character in it; it is mapped to U+0098 so that a sheet in
// another encoding still passes through the widgets byte for byte.
namespace cp1251 {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);
// The byte of one character, where the code page has one.
bool encodeChar(char16_t c, char *byte);

} // namespace cp1251
