#pragma once

#include <QStyledItemDelegate>

// The editors of the property table: PropName completes the catalogue's
// property names, and a name taken from the list ends its edit; PropValue completes the property's keywords, shows its
// initial value while empty, and steps the number at the caret with Up and
// Down.
class PropDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    enum Column { OnColumn, NameColumn, ValueColumn };
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
