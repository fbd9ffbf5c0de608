#pragma once

#include "core/panels/declaration_list.h"
#include "core/panels/panel_state.h"
#include "core/panels/working_text.h"

#include <QSet>

// Margins, paddings and insets given by logical properties, shown in the
// side they stand for in a left-to-right page (margin-inline-start is the
// left field) and written back by their own name.

// Takes the logical longhands into the side fields the physical ones left.
void loadLogicalSides(WorkingText &text, PanelState &panels, const QSet<QByteArray> &named);
// A side shown from a logical declaration left in the rule (margin-inline:
// 0 auto) writes the logical longhand when changed.
void noteLogicalSides(PanelState &panels, const QList<Declaration> &kept);
