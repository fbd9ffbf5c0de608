#include "core/panels/logical_sides.h"

#include "core/panels/css_overlap.h"
#include "core/panels/reading_steps.h"
#include "core/panels/shorthand_parts.h"

#include <algorithm>

namespace {

struct Side {
    const char *logical;
    const char *physical;
    Length field;
};

const Side kSides[] = {
    {"MARGIN-INLINE-START", "MARGIN-LEFT", Length::MarginLeft},
    {"MARGIN-INLINE-END", "MARGIN-RIGHT", Length::MarginRight},
    {"MARGIN-BLOCK-START", "MARGIN-TOP", Length::MarginTop},
    {"MARGIN-BLOCK-END", "MARGIN-BOTTOM", Length::MarginBottom},
    {"PADDING-INLINE-START", "PADDING-LEFT", Length::PaddingLeft},
    {"PADDING-INLINE-END", "PADDING-RIGHT", Length::PaddingRight},
    {"PADDING-BLOCK-START", "PADDING-TOP", Length::PaddingTop},
    {"PADDING-BLOCK-END", "PADDING-BOTTOM", Length::PaddingBottom},
    {"INSET-INLINE-START", "LEFT", Length::BlockLeft},
    {"INSET-INLINE-END", "RIGHT", Length::BlockRight},
    {"INSET-BLOCK-START", "TOP", Length::BlockTop},
    {"INSET-BLOCK-END", "BOTTOM", Length::BlockBottom},
};

bool isLogicalName(const QByteArray &name)
{
    return name.contains("-INLINE") || name.contains("-BLOCK");
}

} // namespace

void loadLogicalSides(WorkingText &text, PanelState &panels, const QSet<QByteArray> &named)
{
    for (const Side &side : kSides) {
        // A side the physical property gave first keeps it; the logical one
        // stays in the rule after it.
        if (panels.length(side.field).inUse)
            continue;
        reading::loadNamed(text, panels, named, side.logical, [&](const reading::Taken &t) {
            if (!reading::showLength(panels, side.field, t.upper))
                return false;
            panels.logical[static_cast<int>(side.field)] = QByteArray(side.logical).toLower();
            return true;
        });
    }
}

void noteLogicalSides(PanelState &panels, const QList<Declaration> &kept)
{
    if (std::none_of(kept.begin(), kept.end(), [](const Declaration &d) { return isLogicalName(d.name); }))
        return;
    for (const Side &side : kSides) {
        // A side the rule's own physical declaration gave stays physical.
        const auto shown = panels.asRead.constFind(side.physical);
        if (shown != panels.asRead.cend() && !shown->derived)
            continue;
        // The last declaration left in the rule that gives the side.
        const Declaration *last = nullptr;
        for (const Declaration &d : kept) {
            if (!d.isCustom() && cssPropertiesOverlap(d.name, side.physical))
                last = &d;
        }
        if (!last || !isLogicalName(last->name) || !longhandOf(last->name, last->value, side.physical))
            continue;
        // Shown or not ("auto"), a change writes the logical side after it.
        if (shown != panels.asRead.cend()) {
            const ReadProperty read = *shown;
            panels.asRead.remove(side.physical);
            panels.asRead.insert(side.logical, read);
        }
        panels.logical[static_cast<int>(side.field)] = QByteArray(side.logical).toLower();
    }
}
