#pragma once

#include "core/panels/layout_reader.h"
#include "core/panels/reading_steps.h"

// The reading of the effects page: corners, opacity, outline, cursor and
// the check boxes of behaviour.
void loadEffects(WorkingText &text, PanelState &panels, const reading::ReadContext &context,
                 const QSet<QByteArray> &named);
// The corners the rule gives no value of their own show the value of the
// one border-radius the field took, as shown, not taken.
void showCornersOfRadius(PanelState &panels);
// Each property of the page handed to `show`, as showLayoutFromKept does.
void showEffectsFromKept(PanelState &panels, const reading::ReadContext &context, const ShowKept &show);
