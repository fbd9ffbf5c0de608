#include "window/preview/cascade_page.h"

#include "core/editor/editor.h"
#include "core/preview/element_cascade.h"
#include "core/preview/page_sheets.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kRuleRole = Qt::UserRole;
constexpr int kSheetRole = Qt::UserRole + 1;
enum Column { PropertyColumn, ComputedColumn, DeclaredColumn, RuleColumn };

// The value as the rule gives it; under its own name where that is another
// (a logical side shown on its physical one).
QString valueText(const CascadeEntry &entry)
{
    const QString value = entry.important ? entry.value + QStringLiteral(" !important") : entry.value;
    return entry.declared.isEmpty() ? value : entry.declared + QStringLiteral(": ") + value;
}

void setRule(QTreeWidgetItem *item, const CascadeEntry &entry)
{
    item->setData(0, kRuleRole, entry.inline_ ? -1 : entry.rule);
    item->setData(0, kSheetRole, entry.sheet);
}

} // namespace

CascadePage::CascadePage(Editor &editor, QWidget *parent)
    : QWidget(parent)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("CascadePage"));
    setAccessibleName(QStringLiteral("Каскад"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("CascadeTree"));
    m_tree->setAccessibleName(QStringLiteral("Каскад выбранного элемента"));
    m_tree->setHeaderLabels({QStringLiteral("Свойство"), QStringLiteral("Вычислено"), QStringLiteral("Задано"),
                             QStringLiteral("Правило")});
    m_tree->headerItem()->setToolTip(ComputedColumn, QStringLiteral("Значение, которое браузер вычислил для элемента"));
    m_tree->headerItem()->setToolTip(DeclaredColumn, QStringLiteral("Значение, как его задаёт правило"));
    m_tree->setUniformRowHeights(true);
    m_tree->setAlternatingRowColors(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::Interactive);
    layout->addWidget(m_tree);
    m_tree->viewport()->installEventFilter(this);
    connect(&m_editor.cascade(), &ElementCascade::changed, this, &CascadePage::showCascade);
    // A click selects a rule of the edited sheet; a double-click opens the
    // page's other sheet at its rule.
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const int rule = item->data(0, kRuleRole).toInt();
        if (item->data(0, kSheetRole).toInt() < 0 && rule >= 0 && rule < m_editor.store().list().count())
            m_editor.ListTagClick(rule);
    });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        const int sheet = item->data(0, kSheetRole).toInt();
        if (sheet >= 0 && item->data(0, kRuleRole).toInt() >= 0)
            m_editor.openPageRule(sheet, item->data(0, kRuleRole).toInt());
    });
    showCascade();
}

void CascadePage::showCascade()
{
    // The cascade is read again after each change: what the user opened stays open.
    QSet<QString> expanded;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        if (m_tree->topLevelItem(i)->isExpanded())
            expanded.insert(m_tree->topLevelItem(i)->text(PropertyColumn));
    }
    const int scrolled = m_tree->verticalScrollBar()->value();
    m_tree->clear();
    const QList<ElementCascade::Property> &properties = m_editor.cascade().properties();
    if (properties.isEmpty()) {
        auto *hint = new QTreeWidgetItem(m_tree, {QStringLiteral("Выберите элемент на странице (Ctrl+Shift+C)")});
        hint->setFlags(Qt::NoItemFlags);
        hint->setData(0, kRuleRole, -1);
        hint->setData(0, kSheetRole, -1);
        hint->setFirstColumnSpanned(true);
        return;
    }
    const PageSheets &sheets = m_editor.pageSheets();
    for (const ElementCascade::Property &property : properties) {
        const CascadeEntry &winner = property.entries.first();
        const QString winnerName = sheets.ruleName(winner, true);
        auto *row = new QTreeWidgetItem(m_tree, {property.name, property.computed, valueText(winner), winnerName});
        setRule(row, winner);
        for (int column = 0; column < 4; ++column)
            row->setToolTip(column, row->text(column));
        for (int k = 1; k < property.entries.size(); ++k) {
            const CascadeEntry &lost = property.entries[k];
            auto *under = new QTreeWidgetItem(row, {QString(), QString(), valueText(lost), sheets.ruleName(lost, true)});
            setRule(under, lost);
            for (int column = DeclaredColumn; column <= RuleColumn; ++column) {
                QFont font = under->font(column);
                font.setStrikeOut(true);
                under->setFont(column, font);
                under->setToolTip(column, lost.reverted ? QStringLiteral("Отменено revert-layer своего слоя")
                                                        : QStringLiteral("Перекрыто: %1").arg(winnerName));
            }
        }
        row->setExpanded(expanded.contains(property.name));
    }
    // Sheets of another origin cannot be read by the page's script.
    if (const int leftOut = sheets.leftOut(); leftOut > 0) {
        auto *note = new QTreeWidgetItem(m_tree, {QStringLiteral("Не учтены листы другого источника: %1").arg(leftOut)});
        note->setFlags(Qt::NoItemFlags);
        note->setData(0, kRuleRole, -1);
        note->setData(0, kSheetRole, -1);
        note->setFirstColumnSpanned(true);
    }
    fitColumns();
    m_tree->verticalScrollBar()->setValue(scrolled);
}

void CascadePage::fitColumns()
{
    // The share of the page each of the first three columns may take at
    // most; the rule's column has the rest.
    const double most[] = {0.3, 0.25, 0.25};
    const int room = m_tree->viewport()->width();
    m_tree->header()->setTextElideMode(Qt::ElideRight);
    for (int column = PropertyColumn; column < RuleColumn; ++column) {
        m_tree->resizeColumnToContents(column);
        const int cap = std::max(40, int(room * most[column]));
        if (m_tree->columnWidth(column) > cap)
            m_tree->setColumnWidth(column, cap);
    }
}

// The columns are fitted to the tree's own room: a hidden tab's tree has
// its size only once it shows, after the page around it has had its own.
bool CascadePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QWidget::eventFilter(watched, event);
}
