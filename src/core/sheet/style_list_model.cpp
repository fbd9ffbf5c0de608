#include "core/sheet/style_list_model.h"

QByteArray StyleListModel::selectedText() const
{
    return m_selected >= 0 ? m_items[m_selected] : QByteArray();
}

void StyleListModel::setItems(QList<QByteArray> items)
{
    m_items = std::move(items);
    m_selected = -1;
    emit itemsChanged();
}

void StyleListModel::setRows(QList<QByteArray> items, QList<QByteArray> contexts)
{
    if (items == m_items && contexts == m_contexts)
        return;
    m_contexts = std::move(contexts);
    setItems(std::move(items));
}

void StyleListModel::clear()
{
    setItems({});
}

void StyleListModel::append(const QByteArray &text)
{
    m_items.append(text);
    emit itemsChanged();
}

void StyleListModel::insert(int row, const QByteArray &text)
{
    m_items.insert(row, text);
    if (row <= m_contexts.size())
        m_contexts.insert(row, QByteArray());
    if (m_selected >= row)
        ++m_selected;
    emit itemsChanged();
}

void StyleListModel::removeAt(int row)
{
    m_items.removeAt(row);
    if (row < m_contexts.size())
        m_contexts.removeAt(row);
    if (m_selected == row)
        m_selected = -1;
    else if (m_selected > row)
        --m_selected;
    emit itemsChanged();
}

void StyleListModel::setItem(int row, const QByteArray &text)
{
    m_items[row] = text;
    emit itemsChanged();
}

void StyleListModel::setSelected(int row)
{
    const int next = (row >= 0 && row < count()) ? row : -1;
    if (next == m_selected)
        return;
    m_selected = next;
    emit selectionChanged(m_selected);
}
