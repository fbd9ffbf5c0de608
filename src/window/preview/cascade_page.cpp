#include "window/preview/cascade_page.h"

#include "core/editor/editor.h"
#include "core/preview/element_cascade.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRuleRole = Qt::UserRole;

QString ruleText(Editor &editor, const CascadeEntry &entry)
{
    if (entry.inline_)
        return QStringLiteral("атрибут style");
    const SheetStore &store = editor.store();
    const QString context = store.codec().decode(store.list().context(entry.rule));
    return context + store.codec().decode(store.list().item(entry.rule)) + QLatin1Char(' ')
           + ElementRules::specificityText(entry.specificity);
}

QString valueText(const CascadeEntry &entry)
{
    return entry.important ? entry.value + QStringLiteral(" !important") : entry.value;
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
    m_tree->setHeaderLabels({QStringLiteral("Свойство"), QStringLiteral("Значение"), QStringLiteral("Правило")});
    m_tree->setUniformRowHeights(true);
    m_tree->setAlternatingRowColors(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::Interactive);
    layout->addWidget(m_tree);
    connect(&m_editor.cascade(), &ElementCascade::changed, this, &CascadePage::showCascade);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const int rule = item->data(0, kRuleRole).toInt();
        if (rule >= 0 && rule < m_editor.store().list().count())
            m_editor.ListTagClick(rule);
    });
    showCascade();
}

void CascadePage::showCascade()
{
    m_tree->clear();
    const QList<ElementCascade::Property> &properties = m_editor.cascade().properties();
    if (properties.isEmpty()) {
        auto *hint = new QTreeWidgetItem(m_tree, {QStringLiteral("Выберите элемент на странице (Ctrl+Shift+C)")});
        hint->setFlags(Qt::NoItemFlags);
        hint->setData(0, kRuleRole, -1);
        hint->setFirstColumnSpanned(true);
        return;
    }
    for (const ElementCascade::Property &property : properties) {
        const CascadeEntry &winner = property.entries.first();
        auto *row = new QTreeWidgetItem(m_tree, {property.name, valueText(winner), ruleText(m_editor, winner)});
        row->setData(0, kRuleRole, winner.inline_ ? -1 : winner.rule);
        for (int k = 1; k < property.entries.size(); ++k) {
            const CascadeEntry &lost = property.entries[k];
            auto *under = new QTreeWidgetItem(row, {QString(), valueText(lost), ruleText(m_editor, lost)});
            under->setData(0, kRuleRole, lost.inline_ ? -1 : lost.rule);
            for (int column = 1; column < 3; ++column) {
                QFont font = under->font(column);
                font.setStrikeOut(true);
                under->setFont(column, font);
                under->setToolTip(column, QStringLiteral("Перекрыто: %1").arg(ruleText(m_editor, winner)));
            }
        }
    }
    m_tree->resizeColumnToContents(0);
    m_tree->resizeColumnToContents(1);
}
