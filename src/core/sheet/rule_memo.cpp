#include "core/sheet/rule_memo.h"

void RuleMemo::setLines(const ByteLines &lines)
{
    if (lines == m_lines)
        return;
    m_lines = lines;
    emit linesChanged();
}
