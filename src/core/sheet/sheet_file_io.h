#pragma once

#include "core/sheet/byte_lines.h"

#include <QString>

#include <functional>
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

// Writes the bytes as they are, atomically. An existing file keeps its mode;
// a new one takes that of modeOf when given (a recovery copy is no more
// readable than its sheet), else the usual one.
bool writeTextFile(const QString &path, const QByteArray &bytes, QString *error, const QString &modeOf = {});

// Puts the file from in the place of to in one step, replacing to. The
// file put there keeps to's mode, and its owner where that may be set.
bool replaceFile(const QString &from, const QString &to, QString *error);

// Why a file could not be written, in the user's words, from the system's
// error number: no permission, no space, a read-only disk, not there, a
// folder, or other.
QString fileErrorReason(int systemError, bool writing = true);

// Tests make writes fail as a full disk or a protected file would: the
// error number a write or replace of a path meets, or 0 to go on.
void setFileFaultForTests(std::function<int(const QString &path)> fault);

bool removeFile(const QString &path, QString *error);

bool fileExists(const QString &path);
