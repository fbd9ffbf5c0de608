#include "core/panels/css_overlap.h"

#include "core/panels/layout_shorthands.h"

#include <QHash>

namespace {

QByteArray withoutVendorPrefix(const QByteArray &name)
{
    if (name.startsWith('-') && !name.startsWith("--")) {
        const qsizetype second = name.indexOf('-', 1);
        if (second > 0)
            return name.mid(second + 1);
    }
    return name;
}

bool isBorderPart(const QByteArray &name)
{
    return name.startsWith("BORDER") && !name.contains("RADIUS") && !name.contains("COLLAPSE")
           && !name.contains("SPACING") && !name.contains("IMAGE");
}

// Does the earlier property set (part of) the later one, or the reverse?
bool related(const QByteArray &a, const QByteArray &b)
{
    // A logical side is some physical side, after the page's direction.
    if (b.startsWith("MARGIN-INLINE") || b.startsWith("MARGIN-BLOCK"))
        return a.startsWith("MARGIN");
    if (b.startsWith("PADDING-INLINE") || b.startsWith("PADDING-BLOCK"))
        return a.startsWith("PADDING");
    if (b.startsWith("INSET"))
        return a.startsWith("INSET") || a == "TOP" || a == "RIGHT" || a == "BOTTOM" || a == "LEFT";
    if (b == "MARGIN-TOP" || b == "MARGIN-RIGHT" || b == "MARGIN-BOTTOM" || b == "MARGIN-LEFT")
        return a == "MARGIN" || a.startsWith("MARGIN-BLOCK") || a.startsWith("MARGIN-INLINE");
    if (b == "PADDING-TOP" || b == "PADDING-RIGHT" || b == "PADDING-BOTTOM" || b == "PADDING-LEFT")
        return a == "PADDING" || a.startsWith("PADDING-BLOCK") || a.startsWith("PADDING-INLINE");
    // One side's border: the border, the side's, and the kind's for all sides.
    // Runs for every pair of names a reading compares: no allocation.
    if (b.size() > 13 && b.startsWith("BORDER-") && (b.endsWith("-WIDTH") || b.endsWith("-STYLE") || b.endsWith("-COLOR"))) {
        const QByteArrayView side = QByteArrayView(b).sliced(7, b.size() - 13); // "TOP"
        if (side == "TOP" || side == "RIGHT" || side == "BOTTOM" || side == "LEFT") {
            const QByteArrayView kind = QByteArrayView(b).last(6); // "-WIDTH"
            const QByteArrayView other(a);
            return a == "BORDER" || (other.startsWith("BORDER-") && other.sliced(7) == side)
                   || (other.size() == 12 && other.startsWith("BORDER") && other.last(6) == kind);
        }
    }
    if (b == "BORDER-WIDTH" || b == "BORDER-STYLE" || b == "BORDER-COLOR") {
        if (!isBorderPart(a))
            return false;
        const QByteArray kind = b.mid(6); // "-WIDTH", "-STYLE", "-COLOR"
        const bool longhand = a.endsWith("-WIDTH") || a.endsWith("-STYLE") || a.endsWith("-COLOR");
        return !longhand || a.endsWith(kind);
    }
    if (b.startsWith("FONT-") || b == "LINE-HEIGHT")
        return a == "FONT" || (b == "FONT-VARIANT" && a.startsWith("FONT-VARIANT-"));
    if (b.startsWith("BACKGROUND-"))
        return a == "BACKGROUND" || (b == "BACKGROUND-POSITION" && a.startsWith("BACKGROUND-POSITION-"));
    if (b == "TEXT-DECORATION")
        return a.startsWith("TEXT-DECORATION-");
    if (b == "OVERFLOW")
        return a.startsWith("OVERFLOW-");
    if (b == "TOP" || b == "RIGHT" || b == "BOTTOM" || b == "LEFT")
        return a.startsWith("INSET");
    if (b == "WIDTH" || b == "HEIGHT")
        return a == "INLINE-SIZE" || a == "BLOCK-SIZE";
    // A corner: the shorthand, and the logical corners (their place depends
    // on the page's direction).
    if (b.startsWith("BORDER-") && b.endsWith("-RADIUS"))
        return a == "BORDER-RADIUS" || (a.startsWith("BORDER-") && a.endsWith("-RADIUS"));
    if (b.startsWith("OUTLINE-") && b != "OUTLINE-OFFSET")
        return a == "OUTLINE";
    if (b == "OUTLINE")
        return a.startsWith("OUTLINE-") && a != "OUTLINE-OFFSET";
    return layoutCovers(a, b) || layoutCovers(b, a);
}

} // namespace

bool cssPropertiesOverlap(QByteArray earlier, QByteArray later)
{
    if (earlier == later)
        return true;
    // A reading asks for the same few hundred pairs of names again and
    // again; the answer never changes.
    thread_local QHash<QByteArray, bool> known;
    const QByteArray key = earlier + '|' + later;
    if (const auto it = known.constFind(key); it != known.constEnd())
        return *it;
    earlier = withoutVendorPrefix(earlier);
    later = withoutVendorPrefix(later);
    const bool overlap = earlier == later || earlier == "ALL" || related(earlier, later);
    if (known.size() < 100000)
        known.insert(key, overlap);
    return overlap;
}
