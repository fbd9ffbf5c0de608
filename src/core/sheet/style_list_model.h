#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

// What the rule list shows: the selectors in order and the selected row
// (-1 for none). The list widget mirrors it.
class StyleListModel : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    const QList<QByteArray> &items() const { return m_items; }
    int count() const { return static_cast<int>(m_items.size()); }
    const QByteArray &item(int i) const { return m_items[i]; }
    int selected() const { return m_selected; }
    QByteArray selectedText() const;

    void setItems(QList<QByteArray> items);
    // Where each row's rule stands: the preludes of the groups around it,
    // each followed by " › ", or nothing at the top level. Rows keep their
    // context when rules move, since a rule only moves inside its block.
    QByteArray context(int i) const { return i < m_contexts.size() ? m_contexts[i] : QByteArray(); }
    void setContexts(QList<QByteArray> contexts) { m_contexts = std::move(contexts); }
    // The rows of a sheet read anew. The same rows as before (undo of a
    // change inside a rule) are no change: the selection stays and nothing
    // that mirrors the list has to do its work again.
    void setRows(QList<QByteArray> items, QList<QByteArray> contexts);
    void clear();
    void append(const QByteArray &text);
    void insert(int row, const QByteArray &text);
    void removeAt(int row);
    void setItem(int row, const QByteArray &text);

    // Selecting a row outside the list leaves no selection.
    void setSelected(int row);

signals:
    void itemsChanged();
    void selectionChanged(int row);

private:
    QList<QByteArray> m_items;
    QList<QByteArray> m_contexts;
    int m_selected = -1;
};
