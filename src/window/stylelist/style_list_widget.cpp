#include "window/stylelist/style_list_widget.h"

#include "core/sheet/sheet_encoding.h"
#include "core/sheet/style_list_model.h"

#include <QDragMoveEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

StyleListWidget::StyleListWidget(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
}

void StyleListWidget::bind(StyleListModel *model, const SheetCodec *codec)
{
    m_codec = codec;
    m_model = model;
    connect(model, &StyleListModel::itemsChanged, this, &StyleListWidget::showItems);
    connect(model, &StyleListModel::selectionChanged, this, &StyleListWidget::showSelection);
    showItems();
}

void StyleListWidget::showItems()
{
    const QSignalBlocker block(this);
    QStringList texts;
    for (const QByteArray &item : m_model->items())
        texts.append(m_codec->decode(item));
    bool same = count() == texts.size();
    for (int i = 0; same && i < count(); ++i)
        same = item(i)->text() == texts[i];
    if (!same) {
        clear();
        addItems(texts);
    }
    showSelection(m_model->selected());
}

void StyleListWidget::showSelection(int row)
{
    const QSignalBlocker block(this);
    if (row >= 0 && row < count()) {
        setCurrentRow(row);
        scrollToItem(item(row));
    } else {
        clearSelection();
        setCurrentRow(-1);
    }
}

int StyleListWidget::rowAt(const QPoint &point) const
{
    const QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() : count();
}

void StyleListWidget::mousePressEvent(QMouseEvent *event)
{
    // The press selects the rule first, so a drag always carries the
    // current rule.
    const int row = rowAt(event->position().toPoint());
    if (row < count())
        emit rowClicked(row);
    QListWidget::mousePressEvent(event);
    showSelection(m_model ? m_model->selected() : row);
}

void StyleListWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int row = rowAt(event->position().toPoint());
    if (row < count())
        emit rowDoubleClicked(row);
}

void StyleListWidget::keyPressEvent(QKeyEvent *event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    const int after = currentRow();
    if (after != before && after >= 0)
        emit rowClicked(after);
}

void StyleListWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void StyleListWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    emit draggedOver(rowAt(event->position().toPoint()));
    event->acceptProposedAction();
}

void StyleListWidget::dropEvent(QDropEvent *event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    // The core moves the rule; the list follows the model, so Qt must not
    // move the item itself.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    emit dropped(rowAt(event->position().toPoint()));
}
