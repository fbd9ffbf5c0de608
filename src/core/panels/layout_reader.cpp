#include "core/panels/layout_reader.h"

#include "core/panels/layout_controls.h"
#include "core/panels/reading_steps.h"
#include "core/sheet/byte_lines.h"

using namespace reading;

namespace {

bool showLayoutOption(PanelState &panels, const LayoutGroup &g, const QByteArray &upper)
{
    const int button = layoutButtonShowing(g, upper);
    if (button < 0)
        return false;
    panels.setDown(g.group, button);
    return true;
}

// grid-auto-flow: row or column, with or without dense.
bool showAutoFlow(PanelState &panels, const QByteArray &upper)
{
    const QList<QByteArray> words = upper.simplified().split(' ');
    int button = -1;
    bool dense = false;
    for (const QByteArray &word : words) {
        if ((word == "ROW" || word == "COLUMN") && button < 0)
            button = word == "ROW" ? 0 : 1;
        else if (word == "DENSE" && !dense)
            dense = true;
        else
            return false;
    }
    panels.setDown(Group::GridAutoFlow, button);
    panels.gridDense = dense;
    return true;
}

bool showTextField(PanelState &panels, TextField field, const QByteArray &original)
{
    const QByteArray value = original.trimmed();
    if (value.isEmpty())
        return false;
    panels.text(field) = value;
    return true;
}

} // namespace

void loadLayout(WorkingText &text, PanelState &panels, const QSet<QByteArray> &named)
{
    auto load = [&](const QByteArray &key, const std::function<bool(const Taken &)> &show) {
        loadNamed(text, panels, named, key, show);
    };
    for (const LayoutGroup &g : layoutGroups()) {
        if (g.group == Group::GridAutoFlow)
            load(g.key, [&](const Taken &t) { return showAutoFlow(panels, t.upper); });
        else
            load(g.key, [&](const Taken &t) { return showLayoutOption(panels, g, t.upper); });
    }
    // background-clip: text goes with the old name the preview's engine reads.
    if (panels.downIn(Group::BackgroundClip) == kBackgroundClipText) {
        load("-WEBKIT-BACKGROUND-CLIP", [](const Taken &t) { return t.upper.simplified() == "TEXT"; });
        if (!panels.asRead.contains("-WEBKIT-BACKGROUND-CLIP"))
            panels.asRead.insert("-WEBKIT-BACKGROUND-CLIP", {QByteArray(), QByteArray(), false, true});
    }
    for (const LayoutField &f : layoutFields())
        load(f.key, [&](const Taken &t) { return showLength(panels, f.field, t.upper); });
    for (int i = 0; i < kTextFieldCount; ++i) {
        const TextField field = static_cast<TextField>(i);
        load(latinUpper(textFieldProperty(field)), [&](const Taken &t) { return showTextField(panels, field, t.original); });
    }
}

void showLayoutFromKept(PanelState &p, const ShowKept &show)
{
    for (const LayoutGroup &g : layoutGroups()) {
        if (g.group == Group::GridAutoFlow)
            show(g.key, [&p](const QByteArray &v) { return showAutoFlow(p, latinUpper(v)); });
        else
            show(g.key, [&p, &g](const QByteArray &v) { return showLayoutOption(p, g, latinUpper(v)); });
    }
    for (const LayoutField &f : layoutFields()) {
        const Length field = f.field;
        show(f.key, [&p, field](const QByteArray &v) { return showLength(p, field, latinUpper(v)); });
    }
    for (int i = 0; i < kTextFieldCount; ++i) {
        const TextField field = static_cast<TextField>(i);
        show(latinUpper(textFieldProperty(field)), [&p, field](const QByteArray &v) { return showTextField(p, field, v); });
    }
}
