#include "window/panels/all_props_page.h"

#include "core/editor/editor.h"
#include "core/panels/prop_table.h"
#include "window/panels/prop_delegate.h"
#include "window/panels/rule_table.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int kOn = PropDelegate::OnColumn;
constexpr int kName = PropDelegate::NameColumn;
constexpr int kValue = PropDelegate::ValueColumn;

const QString kRejected = QStringLiteral("Браузер предпросмотра не принимает это значение");

} // namespace

AllPropsPage::AllPropsPage(Editor &editor, QWidget *parent)
    : QWidget(parent)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("AllProps"));
    setAccessibleName(QStringLiteral("Все свойства"));
    const RuleTableParts parts = makeRuleTable(
        this, QStringLiteral("PropTable"), QStringLiteral("Объявления правила"),
        {QStringLiteral("Вкл."), QStringLiteral("Свойство"), QStringLiteral("Значение")},
        {QStringLiteral("PropAdd"), QStringLiteral("Добавить объявление после выбранного")},
        {QStringLiteral("PropDelete"), QStringLiteral("Удалить выбранное объявление из правила")});
    m_table = parts.table;
    m_add = parts.add;
    m_delete = parts.remove;
    // A rule has dozens of declarations: one line of text each.
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_delegate = new PropDelegate(m_table);
    m_table->setItemDelegate(m_delegate);

    PropTable &props = m_editor.propTable();
    connect(&props, &PropTable::rowsChanged, this, [this] {
        // Read and judged only while it is seen: a panel change elsewhere
        // costs nothing here.
        if (isVisible()) {
            showRows();
            m_editor.propTable().judge();
        }
    });
    connect(&props, &PropTable::judged, this, &AllPropsPage::showJudgement);
    connect(m_table, &QTableWidget::itemChanged, this, &AllPropsPage::itemChanged);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &AllPropsPage::updateButtons);
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget *, QAbstractItemDelegate::EndEditHint hint) { editorClosed(int(hint)); });
    connect(m_add, &QToolButton::clicked, this, &AllPropsPage::addRow);
    connect(m_delete, &QToolButton::clicked, this, &AllPropsPage::deleteRow);
}

void AllPropsPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    showRows();
    m_editor.propTable().judge();
}

void AllPropsPage::showRows()
{
    const SheetCodec &codec = m_editor.store().codec();
    const QList<PropRow> &rows = m_editor.propTable().rows();
    m_showing = true;
    m_newRow = -1;
    const int rule = m_editor.store().currentStyleIndex();
    const int current = rule == m_shownRule ? m_table->currentRow() : -1;
    m_shownRule = rule;
    m_table->clearContents();
    m_table->setRowCount(int(rows.size()));
    const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
    for (int i = 0; i < rows.size(); ++i) {
        const PropRow &row = rows[i];
        auto *on = new QTableWidgetItem;
        on->setCheckState(row.on ? Qt::Checked : Qt::Unchecked);
        const QString lock = row.on ? PropTable::lockReason(row.lock) : QString();
        if (lock.isEmpty()) {
            on->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            on->setToolTip(row.on ? QStringLiteral("Выключить объявление: оно станет комментарием на своём месте")
                                  : QStringLiteral("Включить объявление"));
        } else {
            on->setFlags(Qt::ItemIsSelectable);
            on->setToolTip(lock);
        }
        auto *name = new QTableWidgetItem(codec.decode(row.name));
        name->setData(Qt::UserRole, row.name);
        auto *value = new QTableWidgetItem(codec.decode(m_editor.propTable().editText(i)));
        value->setData(Qt::UserRole, value->text());
        if (const std::optional<Rgb> color = m_editor.propTable().colorOf(i))
            value->setData(Qt::DecorationRole, QColor(color->r, color->g, color->b, color->a));
        name->setToolTip(name->text());
        value->setToolTip(value->text());
        if (const QString warning = PropTable::nameWarning(row.name); !warning.isEmpty()) {
            name->setForeground(Qt::red);
            name->setToolTip(warning);
        }
        for (QTableWidgetItem *item : {name, value}) {
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
            QFont font = item->font();
            font.setStrikeOut(row.overridden);
            font.setItalic(!row.on);
            item->setFont(font);
            if (!row.on)
                item->setForeground(grey);
        }
        if (row.overridden) {
            name->setToolTip(name->toolTip() + QStringLiteral("\nПерекрыто более поздним объявлением этого свойства"));
            value->setToolTip(value->toolTip() + QStringLiteral("\nПерекрыто более поздним объявлением этого свойства"));
        }
        m_table->setItem(i, kOn, on);
        m_table->setItem(i, kName, name);
        m_table->setItem(i, kValue, value);
    }
    fitColumns();
    if (current >= 0 && current < m_table->rowCount())
        m_table->setCurrentCell(current, kValue, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_showing = false;
    updateButtons();
}

void AllPropsPage::showJudgement()
{
    const PropTable &props = m_editor.propTable();
    m_showing = true;
    for (int i = 0; i < m_table->rowCount() && i < props.rows().size(); ++i) {
        QTableWidgetItem *value = m_table->item(i, kValue);
        if (!value || !props.rejected(i))
            continue;
        value->setForeground(Qt::red);
        value->setToolTip(kRejected + QStringLiteral("\n") + value->text());
    }
    m_showing = false;
}

void AllPropsPage::fitColumns()
{
    QHeaderView *header = m_table->horizontalHeader();
    const int available = m_table->viewport()->width();
    const int on = style()->pixelMetric(QStyle::PM_IndicatorWidth) + 10;
    m_table->resizeColumnToContents(kName);
    const int name = std::min(header->sectionSize(kName), (available - on) / 2);
    header->resizeSection(kOn, on);
    header->resizeSection(kName, name);
    header->resizeSection(kValue, std::max(header->minimumSectionSize(), available - on - name));
}

void AllPropsPage::updateButtons()
{
    const int row = m_table->currentRow();
    m_add->setEnabled(m_editor.store().currentStyleIndex() >= 0);
    m_delete->setEnabled(row >= 0 && row < m_editor.propTable().rows().size() && row != m_newRow
                         && !m_table->selectedItems().isEmpty());
}

void AllPropsPage::report(const QString &error)
{
    if (error.isEmpty())
        return;
    if (tellError)
        tellError(error);
    showRows();
}

bool AllPropsPage::editing(int row) const
{
    for (const int column : {kName, kValue}) {
        if (m_table->indexWidget(m_table->model()->index(row, column)))
            return true;
    }
    return false;
}

void AllPropsPage::editCell(int row, int column)
{
    QTableWidgetItem *item = m_table->item(row, column);
    if (!item)
        return;
    m_table->setCurrentItem(item);
    m_table->editItem(item);
}

void AllPropsPage::itemChanged(QTableWidgetItem *item)
{
    if (m_showing)
        return;
    const int row = item->row();
    const int column = item->column();
    const SheetCodec &codec = m_editor.store().codec();
    PropTable &props = m_editor.propTable();
    // The table is filled anew by a change: not while it reports the edit.
    auto later = [this](std::function<QString()> change) {
        QMetaObject::invokeMethod(this, [this, change] { report(change()); }, Qt::QueuedConnection);
    };
    if (row == m_newRow) {
        const QByteArray text = codec.encode(item->text().trimmed());
        if (column == kName) {
            m_newName = text;
            if (const QString warning = PropTable::nameWarning(text); !warning.isEmpty() && showMessage)
                showMessage(warning);
            // Its value is asked for next, unless Tab has already moved there.
            QTimer::singleShot(0, this, [this] {
                if (m_newRow >= 0 && !editing(m_newRow))
                    editCell(m_newRow, kValue);
            });
        } else if (column == kValue && !m_newName.isEmpty() && !text.isEmpty()) {
            const int after = m_newRow - 1;
            const QByteArray name = m_newName;
            m_newRow = -1;
            later([&props, after, name, text] { return props.added(after, name, text); });
        }
        return;
    }
    if (row < 0 || row >= props.rows().size())
        return;
    if (column == kOn) {
        const bool on = item->checkState() == Qt::Checked;
        later([&props, row, on] { return props.switched(row, on); });
    } else if (column == kName) {
        const QByteArray name = codec.encode(item->text());
        if (const QString warning = PropTable::nameWarning(name.trimmed()); !warning.isEmpty() && showMessage)
            showMessage(warning);
        later([&props, row, name] { return props.nameEdited(row, name); });
    } else if (column == kValue && item->text() != item->data(Qt::UserRole).toString()) {
        const QByteArray value = codec.encode(item->text());
        later([&props, row, value] { return props.valueEdited(row, value); });
    }
}

void AllPropsPage::editorClosed(int hint)
{
    if (m_newRow < 0)
        return;
    // Esc, or a value left empty, adds nothing.
    const bool reverted = hint == QAbstractItemDelegate::RevertModelCache;
    QTimer::singleShot(0, this, [this, reverted] {
        if (m_newRow < 0 || (!reverted && editing(m_newRow)))
            return;
        if (!reverted) {
            QTableWidgetItem *value = m_table->item(m_newRow, kValue);
            if (value && !value->text().trimmed().isEmpty())
                return;
        }
        m_showing = true;
        m_table->removeRow(m_newRow);
        m_newRow = -1;
        m_showing = false;
        updateButtons();
    });
}

void AllPropsPage::addRow()
{
    if (m_editor.store().currentStyleIndex() < 0)
        return;
    if (m_newRow >= 0)
        m_table->removeRow(m_newRow);
    const int selected = m_table->currentRow();
    const int at = selected >= 0 && !m_table->selectedItems().isEmpty() ? selected + 1 : m_table->rowCount();
    m_showing = true;
    m_table->insertRow(at);
    auto *on = new QTableWidgetItem;
    on->setCheckState(Qt::Checked);
    on->setFlags(Qt::ItemIsSelectable);
    m_table->setItem(at, kOn, on);
    for (const int column : {kName, kValue}) {
        auto *item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        m_table->setItem(at, column, item);
    }
    m_showing = false;
    m_newRow = at;
    m_newName.clear();
    editCell(at, kName);
}

void AllPropsPage::deleteRow()
{
    const int row = m_table->currentRow();
    if (row < 0 || row == m_newRow)
        return;
    report(m_editor.propTable().removed(row));
}

bool AllPropsPage::eventFilter(QObject *watched, QEvent *event)
{
    // F2 edits the current cell's name, or else the row's value.
    const RuleTableEvents handlers{[this] { fitColumns(); },
                                   [this] {
                                       const int row = m_table->currentRow();
                                       if (row >= 0)
                                           editCell(row, m_table->currentColumn() == kName ? kName : kValue);
                                   },
                                   [this](int row, int column, const QPoint &at) { cellClicked(row, column, at); }};
    return filterRuleTableEvent(m_table, watched, event, handlers) || QWidget::eventFilter(watched, event);
}

void AllPropsPage::cellClicked(int row, int column, const QPoint &at)
{
    PropTable &props = m_editor.propTable();
    if (column != kValue || row == m_newRow || !chooseColor)
        return;
    const std::optional<Rgb> color = props.colorOf(row);
    const QRect cell = m_table->visualRect(m_table->model()->index(row, kValue));
    if (!color || at.x() > cell.left() + swatchWidth(m_table))
        return;
    const std::optional<Rgb> picked = chooseColor(*color);
    if (picked)
        report(props.colorPicked(row, *picked));
}
