#pragma once

#include "core/sheet/byte_lines.h"
#include "core/sheet/style_table.h"

// The table in the program's layout ("selector {", the body lines, "}"),
// cleaned of lines that are exactly the unsupported-properties comment and
// of the "; " separators that start generated declaration lines, followed
// by the tail the table does not hold, unchanged.
ByteLines writeSheetLines(const StyleTable &table, const ByteLines &tail);

// The same, but a rule the user has not changed since the sheet was read,
// and all the text between rules, are written byte for byte as read; the
// raw tail is the text after the last rule as it stands.
ByteLines writeSheetLinesKeepingLayout(const StyleTable &table, const ByteLines &rawTail);
