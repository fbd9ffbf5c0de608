#pragma once

#include "core/panels/panel_state.h"
#include "core/panels/working_text.h"

#include <QByteArray>
#include <QSet>

#include <functional>

// The reading of the layout page's properties and the sizes: the
// declarations the controls take, and, from what the rule keeps as
// written, what they show.
// `named` holds the names the rule's declarations have, in capitals: a
// property the rule does not name is not looked for.
void loadLayout(WorkingText &text, PanelState &panels, const QSet<QByteArray> &named);

using ShowKept = std::function<void(const QByteArray &key, const std::function<bool(const QByteArray &)> &apply)>;
// Each property of the page handed to `show` with how its control shows a value.
void showLayoutFromKept(PanelState &panels, const ShowKept &show);
