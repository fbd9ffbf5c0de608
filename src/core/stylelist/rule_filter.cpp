#include "core/stylelist/rule_filter.h"

#include "core/sheet/sheet_encoding.h"
#include "core/sheet/style_list_model.h"

RuleFilter::RuleFilter(const StyleListModel &list, const SheetCodec &codec)
    : m_list(list)
    , m_codec(codec)
{
    connect(&list, &StyleListModel::itemsChanged, this, &RuleFilter::listChanged);
    listChanged();
}

void RuleFilter::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    apply();
}

int RuleFilter::firstShown() const
{
    for (size_t i = 0; i < m_shown.size(); ++i) {
        if (m_shown[i])
            return int(i);
    }
    return -1;
}

QString RuleFilter::countText() const
{
    return QStringLiteral("%1 из %2").arg(m_shownCount).arg(m_list.count());
}

void RuleFilter::listChanged()
{
    // Decoded once per change of the list, not once per keystroke.
    m_folded.clear();
    m_folded.reserve(m_list.count());
    for (int i = 0; i < m_list.count(); ++i)
        m_folded.append(m_codec.decode(m_list.context(i) + m_list.item(i)).toCaseFolded());
    apply();
}

void RuleFilter::apply()
{
    const QString wanted = m_text.toCaseFolded();
    m_shown.assign(size_t(m_folded.size()), true);
    m_shownCount = int(m_folded.size());
    if (!wanted.isEmpty()) {
        m_shownCount = 0;
        for (qsizetype i = 0; i < m_folded.size(); ++i) {
            const bool keep = m_folded[i].contains(wanted);
            m_shown[size_t(i)] = keep;
            m_shownCount += keep ? 1 : 0;
        }
    }
    emit changed();
}
