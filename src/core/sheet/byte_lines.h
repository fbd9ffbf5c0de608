#pragma once

#include <QByteArray>
#include <QList>

// A sheet as the editor holds it: single-byte lines without terminators.
using ByteLines = QList<QByteArray>;

// Each line followed by the separator, CR LF unless told otherwise.
QByteArray joinLines(const ByteLines &lines, const char *separator = "\r\n");

// Splits at CR LF, a lone CR and a lone LF. A terminator at the very end
// does not start another line, so joinLines(splitText(t)) == t for any
// text that already uses CR LF after every line.
ByteLines splitText(const QByteArray &text);

// The same lines, where one has the bytes of the line at the same place of
// `known`, counted from the start or from the end, that line is taken and
// not copied: a snapshot read back by undo shares all but the lines it
// changed with the sheet it replaces.
ByteLines splitTextReusing(const QByteArray &text, const ByteLines &known);

// How each line of splitText(text) ends: 'w' for CR LF, 'n' for LF, 'r'
// for a lone CR, '0' for a last line without a break.
QByteArray lineEndsOf(const QByteArray &text);
QByteArray lineEndBytes(char end);

// Folds the letters a to z to capitals and leaves every other byte alone.
QByteArray latinUpper(const QByteArray &text);
