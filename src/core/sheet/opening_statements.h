#pragma once

#include "core/sheet/block_scanner.h"

// Just after the statements that only count at the head of a sheet
// (@charset, @import, @namespace and @layer lists) and the comments among
// them; the sheet's start when it opens with anything else. A rule put in
// front of this place would switch those statements off.
SheetPos afterOpeningStatements(const ByteLines &lines);
