#include "core/preview/sheet_navigation.h"

#include "core/sheet/byte_lines.h"

namespace {

enum Page { ColorBox = 0, MarginPadding = 1, BackGroundBox = 2, DisplayVis = 3, PositionFloat = 4 };

// Later rows win over earlier ones.
struct Row {
    Page page;
    QList<QByteArray> texts;
};

const QList<Row> &rows()
{
    static const QList<Row> table = {
        {ColorBox, {"COLOR", "BORDER"}},
        {BackGroundBox, {"BACKGROUND-IMAGE", "BACKGROUND-POSITION", "BACKGROUND-REPEAT"}},
        {MarginPadding, {"MARGIN", "PADDING"}},
        {PositionFloat, {" POSITION:", " FLOAT:", " TOP:", " LEFT:", " RIGHT:", " BOTTOM:", " WIDTH:", " HEIGHT:"}},
        {DisplayVis, {" DISPLAY:", " VISIBILITY:", " OVERFLOW:", " CLIP"}},
    };
    return table;
}

} // namespace

std::optional<int> propertyPageForLine(const QByteArray &line)
{
    const QByteArray upper = latinUpper(line);
    std::optional<int> page;
    for (const Row &row : rows()) {
        for (const QByteArray &text : row.texts) {
            if (upper.contains(text)) {
                page = row.page;
                break;
            }
        }
    }
    return page;
}

int ruleAtCaret(const QByteArray &sheetText, int caret, const QList<QByteArray> &selectors)
{
    int i = 0;
    // Headers stand in the order of the rules: each is looked for after the
    // last one found, so a selector that repeats (a nested "&:hover") is
    // found in its own place.
    qsizetype from = 0;
    for (; i < selectors.size(); ++i) {
        // 1-based position of the header, 0 when there is none.
        const qsizetype at = sheetText.indexOf("\r\n" + selectors[i] + " {", from);
        if (at + 1 >= caret)
            break;
        if (at >= 0)
            from = at + 1;
    }
    return i - 1;
}
