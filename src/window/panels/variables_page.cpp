#include "window/panels/variables_page.h"

#include "core/editor/editor.h"
#include "core/panels/variable_controller.h"
#include "window/panels/override_markers.h"
#include "window/panels/rule_table.h"

#include <QApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>

namespace {

enum Column { NameColumn, ValueColumn, WhereColumn };

} // namespace

VariablesPage::VariablesPage(Editor &editor, QWidget *parent)
    : QWidget(parent)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("VarsPage"));
    setAccessibleName(QStringLiteral("Переменные"));
    // The columns are laid out by fitColumns(): name and value first, where
    // the value is given with what room is left.
    const RuleTableParts parts = makeRuleTable(
        this, QStringLiteral("VarTable"), QStringLiteral("Переменные правила"),
        {QStringLiteral("Переменная"), QStringLiteral("Значение"), QStringLiteral("Где задана")},
        {QStringLiteral("VarAdd"), QStringLiteral("Добавить переменную в правило")},
        {QStringLiteral("VarDelete"), QStringLiteral("Удалить выбранную переменную правила")});
    m_table = parts.table;
    m_add = parts.add;
    m_delete = parts.remove;

    VariableController &vars = m_editor.variables();
    connect(&vars, &VariableController::rowsChanged, this, &VariablesPage::showRows);
    connect(&editor.cascade(), &ElementCascade::changed, this, &VariablesPage::showMarks);
    connect(m_table, &QTableWidget::itemChanged, this, &VariablesPage::valueChanged);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &VariablesPage::updateButtons);
    connect(m_add, &QToolButton::clicked, this, &VariablesPage::addVariable);
    connect(m_delete, &QToolButton::clicked, this, &VariablesPage::deleteVariable);
    showRows();
}

void VariablesPage::showRows()
{
    const SheetCodec &codec = m_editor.store().codec();
    const QList<VariableRow> &rows = m_editor.variables().rows();
    m_showing = true;
    // After an edit the same row stays selected; another rule starts afresh.
    const int rule = m_editor.store().currentStyleIndex();
    const int current = rule == m_shownRule ? m_table->currentRow() : -1;
    // After an edit of the same rule's rows only the cells that changed are
    // put anew: the edited row and those whose values read it.
    const bool inPlace = rule == m_shownRule && m_table->rowCount() == rows.size();
    m_shownRule = rule;
    if (!inPlace) {
        m_table->clearContents();
        m_table->setRowCount(int(rows.size()));
    }
    const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
    for (int i = 0; i < rows.size(); ++i) {
        const VariableRow &row = rows[i];
        // A loop is said beside the name: the value cell holds the value
        // alone, as it is edited.
        auto *name = new QTableWidgetItem(codec.decode(row.name)
                                          + (row.state == VariableRow::State::Loop ? QStringLiteral(" — цикл") : QString()));
        name->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        auto *value = new QTableWidgetItem(codec.decode(row.value));
        value->setData(Qt::UserRole, codec.decode(row.value));
        value->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | (row.own ? Qt::ItemIsEditable : Qt::NoItemFlags));
        if (row.color)
            value->setData(Qt::DecorationRole, QColor(row.color->r, row.color->g, row.color->b, row.color->a));
        QString where;
        if (row.own) {
            where = QStringLiteral("это правило");
            if (row.rules > 0)
                where += QStringLiteral("; также %1").arg(codec.decode(row.definedIn));
            if (row.rules > 1)
                where += QStringLiteral(" (и ещё %1)").arg(row.rules - 1);
        } else {
            where = row.state == VariableRow::State::Unknown ? QStringLiteral("не задана") : codec.decode(row.definedIn);
            if (row.rules > 1)
                where += QStringLiteral(" (и ещё %1)").arg(row.rules - 1);
        }
        auto *whereItem = new QTableWidgetItem(where);
        whereItem->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (row.definedAt >= 0) {
            QStringList givers;
            for (const QByteArray &selector : row.givenIn.mid(0, 12))
                givers.append(codec.decode(selector));
            if (row.givenIn.size() > 12)
                givers.append(QStringLiteral("…"));
            whereItem->setToolTip(QStringLiteral("Задана в правилах: %1\nЩелчок выбирает %2")
                                      .arg(givers.join(QStringLiteral(", ")), codec.decode(row.definedIn)));
        }
        for (QTableWidgetItem *item : {name, value, whereItem}) {
            if (!row.own)
                item->setForeground(grey);
            if (!item->toolTip().isEmpty())
                continue;
            item->setToolTip(item->text());
        }
        putItem(i, NameColumn, name, inPlace);
        putItem(i, ValueColumn, value, inPlace);
        putItem(i, WhereColumn, whereItem, inPlace);
    }
    showMarks();
    fitColumns();
    if (current >= 0 && current < m_table->rowCount())
        m_table->setCurrentCell(current, ValueColumn, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_showing = false;
    updateButtons();
}

void VariablesPage::putItem(int row, int column, QTableWidgetItem *item, bool inPlace)
{
    const QTableWidgetItem *shown = m_table->item(row, column);
    // A name's mark is put again by showMarks(); it does not count here.
    const auto same = [&] {
        return shown && shown->text() == item->text() && shown->flags() == item->flags()
               && shown->foreground() == item->foreground() && shown->data(Qt::UserRole) == item->data(Qt::UserRole)
               && (column == NameColumn || shown->data(Qt::DecorationRole) == item->data(Qt::DecorationRole))
               && (column == NameColumn || shown->toolTip() == item->toolTip());
    };
    if (inPlace && same()) {
        delete item;
        return;
    }
    m_table->setItem(row, column, item);
}

void VariablesPage::showMarks()
{
    const QList<VariableRow> &rows = m_editor.variables().rows();
    const SheetCodec &codec = m_editor.store().codec();
    QStringList own;
    for (const VariableRow &row : rows)
        own.append(row.own ? codec.decode(row.name) : QString());
    QHash<QString, OverrideMark> byName;
    for (const OverrideMark &mark : overrideMarks(own, m_editor.cascade(), m_editor.pageSheets(),
                                                  m_editor.store().currentStyleIndex()))
        byName.insert(QString::fromUtf8(mark.control), mark);
    const bool showing = m_showing;
    m_showing = true;
    m_marks.clear();
    for (int i = 0; i < rows.size() && i < m_table->rowCount(); ++i) {
        QTableWidgetItem *name = m_table->item(i, NameColumn);
        if (!name)
            continue;
        const auto mark = byName.constFind(own[i]);
        if (mark == byName.constEnd() || own[i].isEmpty()) {
            if (!name->data(Qt::DecorationRole).isNull()) {
                name->setData(Qt::DecorationRole, QVariant());
                name->setToolTip(name->text());
            }
            continue;
        }
        m_marks.insert(i, *mark);
        name->setData(Qt::DecorationRole, overrideMarkIcon());
        name->setToolTip(mark->hint + (mark->sheet >= 0 ? QStringLiteral("\nЩелчок по метке открывает этот файл на правиле")
                                                         : QStringLiteral("\nЩелчок по метке выбирает это правило")));
    }
    m_showing = showing;
}

void VariablesPage::updateButtons()
{
    const int row = m_table->currentRow();
    const QList<VariableRow> &rows = m_editor.variables().rows();
    m_add->setEnabled(m_editor.store().currentStyleIndex() >= 0);
    m_delete->setEnabled(row >= 0 && row < rows.size() && rows[row].own && !m_table->selectedItems().isEmpty());
}

void VariablesPage::report(const QString &error)
{
    if (error.isEmpty())
        return;
    if (tellError)
        tellError(error);
    showRows();
}

void VariablesPage::valueChanged(QTableWidgetItem *item)
{
    if (m_showing || item->column() != ValueColumn)
        return;
    const int row = item->row();
    const QList<VariableRow> &rows = m_editor.variables().rows();
    if (row < 0 || row >= rows.size() || !rows[row].own || item->text() == item->data(Qt::UserRole).toString())
        return;
    const QByteArray name = rows[row].name;
    const QByteArray value = m_editor.store().codec().encode(item->text());
    // The table is filled anew by the change: not while it reports the edit.
    QMetaObject::invokeMethod(
        this, [this, name, value] { report(m_editor.variables().valueEdited(name, value)); }, Qt::QueuedConnection);
}

// The name up to two fifths of the width, the value in what it needs of the rest,
// and "Где задана" in what is left: it gives way first, elided, its whole
// text in the tip.
void VariablesPage::fitColumns()
{
    QHeaderView *header = m_table->horizontalHeader();
    const int available = m_table->viewport()->width();
    m_table->resizeColumnsToContents();
    const int name = std::min(header->sectionSize(NameColumn), available * 2 / 5);
    const int where = std::max(header->minimumSectionSize(), available - name - header->sectionSize(ValueColumn));
    header->resizeSection(NameColumn, name);
    header->resizeSection(ValueColumn, std::max(header->minimumSectionSize(), available - name - where));
    header->resizeSection(WhereColumn, where);
}

bool VariablesPage::eventFilter(QObject *watched, QEvent *event)
{
    // F2 edits the selected row's value, whichever of its cells is current.
    const RuleTableEvents handlers{[this] { fitColumns(); },
                                   [this] {
                                       const int row = m_table->currentRow();
                                       QTableWidgetItem *value = row >= 0 ? m_table->item(row, ValueColumn) : nullptr;
                                       if (value && (value->flags() & Qt::ItemIsEditable)) {
                                           m_table->setCurrentItem(value);
                                           m_table->editItem(value);
                                       }
                                   },
                                   [this](int row, int column, const QPoint &at) { cellClicked(row, column, at); }};
    return filterRuleTableEvent(m_table, watched, event, handlers) || QWidget::eventFilter(watched, event);
}

void VariablesPage::cellClicked(int row, int column, const QPoint &at)
{
    const QList<VariableRow> &rows = m_editor.variables().rows();
    if (row >= rows.size())
        return;
    if (column == WhereColumn) {
        m_editor.variables().definitionClicked(row);
        return;
    }
    if (column == NameColumn && m_marks.contains(row)) {
        const QRect cell = m_table->visualRect(m_table->model()->index(row, NameColumn));
        if (at.x() <= cell.left() + m_table->iconSize().width() + 8) {
            const OverrideMark mark = m_marks.value(row);
            m_editor.openPageRule(mark.sheet, mark.rule);
        }
        return;
    }
    const QRect cell = m_table->visualRect(m_table->model()->index(row, ValueColumn));
    if (column != ValueColumn || !rows[row].own || !rows[row].color || at.x() > cell.left() + swatchWidth(m_table)
        || !chooseColor)
        return;
    const QByteArray name = rows[row].name;
    const std::optional<Rgb> picked = chooseColor(*rows[row].color);
    if (picked)
        report(m_editor.variables().colorPicked(name, *picked));
}

void VariablesPage::addVariable()
{
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("VarAddDialog"));
    dialog.setWindowTitle(QStringLiteral("Новая переменная"));
    dialog.setLabelText(QStringLiteral("Имя переменной (начинается с «--»):"));
    dialog.setTextValue(QStringLiteral("--"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.textValue().trimmed();
    const SheetCodec &codec = m_editor.store().codec();
    // A wrong name is said at once, before the value is asked for.
    const QString nameError = m_editor.variables().nameError(codec.encode(name));
    if (!nameError.isEmpty()) {
        report(nameError);
        return;
    }
    dialog.setLabelText(QStringLiteral("Значение переменной %1:").arg(name));
    dialog.setTextValue(QString());
    if (dialog.exec() != QDialog::Accepted)
        return;
    report(m_editor.variables().added(codec.encode(name), codec.encode(dialog.textValue())));
}

void VariablesPage::deleteVariable()
{
    const int row = m_table->currentRow();
    const QList<VariableRow> &rows = m_editor.variables().rows();
    if (row < 0 || row >= rows.size() || !rows[row].own)
        return;
    report(m_editor.variables().removed(rows[row].name));
}
