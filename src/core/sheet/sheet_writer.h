#pragma once

#include "core/sheet/byte_lines.h"
#include "core/sheet/style_table.h"

// The table in the program's layout ("selector {", the body lines, "}"),
// cleaned of lines that are exactly the unsupported-properties comment and
// of the "; " separators that start generated declaration lines, followed
// by the tail the table does not hold, unchanged.
ByteLines writeSheetLines(const StyleTable &table, const ByteLines &tail);
