#include "core/editor/shown_rows.h"

#include "core/preview/element_rules.h"
#include "core/stylelist/rule_filter.h"

bool ShownRows::shows(int row) const
{
    return row >= 0 && m_filter.shows(row) && m_rules.shows(row);
}

int ShownRows::firstShown(int count) const
{
    for (int row = 0; row < count; ++row) {
        if (shows(row))
            return row;
    }
    return -1;
}

QString ShownRows::countText(int count) const
{
    int shown = 0;
    for (int row = 0; row < count; ++row)
        shown += shows(row) ? 1 : 0;
    return QStringLiteral("%1 из %2").arg(shown).arg(count);
}

bool ShownRows::narrowed() const
{
    return m_filter.active() || m_rules.shown();
}
