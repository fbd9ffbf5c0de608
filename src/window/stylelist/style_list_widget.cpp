#include "window/stylelist/style_list_widget.h"

#include "core/sheet/sheet_encoding.h"
#include "core/sheet/style_list_model.h"
#include "core/preview/element_rules.h"
#include "core/preview/page_sheets.h"
#include "core/sheet/sheet_store.h"
#include "core/preview/unused_rules.h"
#include "core/stylelist/rule_filter.h"

#include <QApplication>

#include <algorithm>
#include <QDragMoveEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

constexpr int kContextLength = Qt::UserRole + 1;
// A row of the page's other sheets: its sheet and its row there.
constexpr int kOtherSheet = Qt::UserRole + 2;
constexpr int kOtherRow = Qt::UserRole + 3;

// Draws a nested rule's context ("@media (min-width: 576px) › ") muted, so
// the selector after it stands out.
class ContextDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // A row is as wide as the list shows: the list never scrolls sideways,
    // a long row is shortened instead. Every row is as high as the first,
    // so the list lays out a sheet of tens of thousands of rules without
    // measuring each.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (const auto *view = qobject_cast<const QAbstractItemView *>(option.widget))
            size.setWidth(view->viewport()->width());
        return size;
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int contextLength = index.data(kContextLength).toInt();
        if (contextLength <= 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget *widget = opt.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).adjusted(2, 0, -2, 0);
        const bool selected = opt.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        // A row's own ink (a rule greyed out) holds for its context too.
        const QVariant own = index.data(Qt::ForegroundRole);
        const QColor ink = own.isValid() && !selected
                               ? own.value<QBrush>().color()
                               : opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
        QColor muted = ink;
        muted.setAlphaF(0.55 * ink.alphaF());
        const FittedRow row = fitRow(text.left(contextLength), text.mid(contextLength), opt.fontMetrics, area.width());
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(muted);
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, row.context);
        const int shift = opt.fontMetrics.horizontalAdvance(row.context);
        painter->setPen(ink);
        painter->drawText(area.adjusted(shift, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          row.selector);
        painter->restore();
    }
};

} // namespace

FittedRow fitRow(const QString &context, const QString &selector, const QFontMetrics &metrics, int width)
{
    const int selectorWidth = metrics.horizontalAdvance(selector);
    if (metrics.horizontalAdvance(context) + selectorWidth <= width)
        return {context, selector};
    // The context gives way first, from its middle, so that its last
    // block stays in sight; the selector is cut only when it alone is
    // wider than the row.
    const int room = width - selectorWidth;
    const QString ellipsis(QChar(0x2026));
    if (room >= metrics.horizontalAdvance(ellipsis + QStringLiteral(" \u203A ")))
        return {metrics.elidedText(context, Qt::ElideMiddle, room), selector};
    return {QString(), metrics.elidedText(selector, Qt::ElideRight, width)};
}

StyleListWidget::StyleListWidget(QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new ContextDelegate(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setResizeMode(QListView::Adjust);
    setTextElideMode(Qt::ElideRight);
    setUniformItemSizes(true);
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

void StyleListWidget::bindFilter(const RuleFilter *filter)
{
    m_filter = filter;
    connect(filter, &RuleFilter::changed, this, &StyleListWidget::showFiltered);
    showFiltered();
}

void StyleListWidget::bindElementRules(const ElementRules *rules, const PageSheets *sheets)
{
    m_elementRules = rules;
    m_sheets = sheets;
    connect(rules, &ElementRules::changed, this, &StyleListWidget::showFiltered);
    showFiltered();
}

void StyleListWidget::bindUnusedRules(const UnusedRules *rules)
{
    m_unused = rules;
    connect(rules, &UnusedRules::changed, this, &StyleListWidget::showFiltered);
    showFiltered();
}

void StyleListWidget::showFiltered()
{
    const bool byText = m_filter && m_filter->active();
    const bool byElement = m_elementRules && m_elementRules->shown();
    const QColor greyed = greyedInk();
    setUpdatesEnabled(false);
    showOthers();
    for (int i = 0; i < ownRows(); ++i) {
        const bool hidden = (m_filter && !m_filter->shows(i)) || (m_elementRules && !m_elementRules->shows(i));
        if (isRowHidden(i) != hidden)
            setRowHidden(i, hidden);
        // A rule whose conditions do not hold at this width is there, greyed.
        QListWidgetItem *row = item(i);
        const ElementRules::Rule *rule = byElement ? m_elementRules->find(i) : nullptr;
        const UnusedRules::Use use = m_unused ? m_unused->use(i) : UnusedRules::Use::Used;
        QString tip = rule ? row->text() + QLatin1Char(' ') + ElementRules::specificityText(rule->specificity)
                                 + ElementRules::stateNote(*rule)
                           : row->text();
        if (use == UnusedRules::Use::Unknown)
            tip += QStringLiteral("\nБраузер предпросмотра не читает этот селектор: используется ли правило, не проверить");
        if (row->toolTip() != tip)
            row->setToolTip(tip);
        const bool grey = (rule && !m_elementRules->holds(*rule))
                          || (use != UnusedRules::Use::Used && use != UnusedRules::Use::Unknown);
        const QBrush ink = grey ? QBrush(greyed) : QBrush();
        if (row->foreground() != ink)
            row->setForeground(ink);
        if (row->font().italic() != (use == UnusedRules::Use::Unused)) {
            QFont font = row->font();
            font.setItalic(use == UnusedRules::Use::Unused);
            row->setFont(font);
        }
    }
    setUpdatesEnabled(true);
    setDragEnabled(!byText && !byElement);
    if (m_model)
        showSelection(m_model->selected());
}

QColor StyleListWidget::greyedInk() const
{
    // Half way between the text and the ground: plainly there, plainly off.
    const QColor text = palette().color(QPalette::Text);
    const QColor ground = palette().color(QPalette::Base);
    return QColor((text.red() + ground.red()) / 2, (text.green() + ground.green()) / 2, (text.blue() + ground.blue()) / 2);
}

int StyleListWidget::ownRows() const
{
    return m_model ? std::min(int(m_model->items().size()), count()) : count();
}

void StyleListWidget::showOthers()
{
    const QSignalBlocker block(this);
    while (count() > ownRows())
        delete takeItem(count() - 1);
    if (!m_elementRules || !m_elementRules->shown() || !m_sheets)
        return;
    for (const ElementRules::Rule &rule : m_elementRules->others()) {
        const SheetStore *store = m_sheets->store(rule.sheet);
        if (!store || rule.row >= store->list().count())
            continue;
        const QString name = m_sheets->sheets()[size_t(rule.sheet)].name;
        const QString prefix = name + QStringLiteral(" \u203A ") + store->codec().decode(store->list().context(rule.row));
        auto *row = new QListWidgetItem(prefix + store->codec().decode(store->list().item(rule.row)), this);
        row->setFlags(Qt::ItemIsEnabled);
        row->setData(kContextLength, int(prefix.size()));
        row->setData(kOtherSheet, rule.sheet);
        row->setData(kOtherRow, rule.row);
        const bool file = !m_sheets->sheets()[size_t(rule.sheet)].path.isEmpty();
        row->setToolTip(row->text() + QLatin1Char(' ') + ElementRules::specificityText(rule.specificity)
                        + ElementRules::stateNote(rule) + QLatin1Char('\n')
                        + (file ? QStringLiteral("Только для чтения; двойной щелчок открывает %1").arg(name)
                                : QStringLiteral("Только для чтения: блок <style> страницы")));
        if (!m_elementRules->holds(rule))
            row->setForeground(greyedInk());
    }
}

void StyleListWidget::showItems()
{
    const QSignalBlocker block(this);
    while (count() > int(m_model->items().size()))
        delete takeItem(count() - 1);
    QStringList texts;
    QList<int> contextLengths;
    const QList<QByteArray> &items = m_model->items();
    for (int i = 0; i < items.size(); ++i) {
        const QString context = m_codec->decode(m_model->context(i));
        texts.append(context + m_codec->decode(items[i]));
        contextLengths.append(int(context.size()));
    }
    bool same = count() == texts.size();
    for (int i = 0; same && i < count(); ++i)
        same = item(i)->text() == texts[i];
    if (!same) {
        clear();
        addItems(texts);
        for (int i = 0; i < count(); ++i) {
            // A row may show itself shortened; its tip is whole.
            item(i)->setToolTip(texts[i]);
            if (contextLengths[i] > 0)
                item(i)->setData(kContextLength, contextLengths[i]);
        }
    }
    showFiltered();
    showSelection(m_model->selected());
}

void StyleListWidget::showSelection(int row)
{
    const QSignalBlocker block(this);
    if (row >= 0 && row < count() && !isRowHidden(row)) {
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
    if (row >= ownRows() && row < count())
        return; // another sheet's rule: read-only
    if (row < count())
        emit rowClicked(row);
    QListWidget::mousePressEvent(event);
    showSelection(m_model ? m_model->selected() : row);
}

void StyleListWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int row = rowAt(event->position().toPoint());
    if (row < ownRows())
        emit rowDoubleClicked(row);
    else if (row < count())
        emit otherRuleOpened(item(row)->data(kOtherSheet).toInt(), item(row)->data(kOtherRow).toInt());
}

void StyleListWidget::keyPressEvent(QKeyEvent *event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    const int after = currentRow();
    if (after != before && after >= 0 && after < ownRows())
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
