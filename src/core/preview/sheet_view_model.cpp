#include "core/preview/sheet_view_model.h"

#include <algorithm>

int SheetViewModel::placeCaret(const QByteArray &text, int selectedRule, int caret)
{
    const int length = static_cast<int>(text.size());
    caret = std::clamp(caret, 0, length);
    // Braces are counted wherever they stand, comments included.
    int open = -1;
    if (selectedRule >= 0) {
        int from = 0;
        for (int i = 0; i <= selectedRule; ++i) {
            const qsizetype at = text.indexOf('{', from);
            if (at < 0) {
                open = length;
                break;
            }
            open = static_cast<int>(at);
            from = open + 1;
        }
    }
    const qsizetype closeAt = text.indexOf('}', std::max(open, 0));
    const int close = closeAt < 0 ? length : static_cast<int>(closeAt);
    const int afterClose = std::min(close + 1, length);
    if (caret <= open || caret > afterClose)
        caret = afterClose;
    return caret;
}

void SheetViewModel::refresh(const QByteArray &text, int selectedRule)
{
    m_text = text;
    m_caret = placeCaret(m_text, selectedRule, m_caret);
    emit changed();
}
