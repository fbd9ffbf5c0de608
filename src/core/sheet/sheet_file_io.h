#pragma once

#include "core/sheet/byte_lines.h"

#include <QString>

#include <optional>

// Sheets larger than this are refused: a file of this size is not a
// hand-written style sheet.
inline constexpr qint64 kMaxSheetBytes = 8 * 1024 * 1024;

// Reads a sheet's bytes as they are. On failure returns nothing and sets
// error to a message for the user that names the file and the reason.
std::optional<QByteArray> readSheetBytes(const QString &path, QString *error);

// The same, split into lines.
std::optional<ByteLines> readSheetFile(const QString &path, QString *error);

// Writes the lines with CR LF after each, atomically: the old file stays
// whole if anything fails.
bool writeSheetFile(const QString &path, const ByteLines &lines, QString *error);

// Writes the bytes as they are, atomically.
bool writeTextFile(const QString &path, const QByteArray &bytes, QString *error);

// Puts the file from in the place of to in one step, replacing to.
bool replaceFile(const QString &from, const QString &to, QString *error);

bool removeFile(const QString &path, QString *error);

bool fileExists(const QString &path);
