#include "window/panels/rule_table.h"

#include "window/panels/panel_widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *rowButton(QWidget *page, const QString &text, const std::pair<QString, QString> &nameAndHint)
{
    auto *button = new QToolButton(page);
    button->setObjectName(nameAndHint.first);
    button->setText(text);
    setHint(button, nameAndHint.second);
    return button;
}

} // namespace

RuleTableParts makeRuleTable(QWidget *page, const QString &tableName, const QString &accessibleName,
                             const QStringList &headers, const std::pair<QString, QString> &addNameAndHint,
                             const std::pair<QString, QString> &deleteNameAndHint)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *table = new QTableWidget(0, int(headers.size()), page);
    table->setObjectName(tableName);
    table->setAccessibleName(accessibleName);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(false);
    table->horizontalHeader()->setMinimumSectionSize(16);
    // Elided in the middle: a long name keeps its end.
    table->setTextElideMode(Qt::ElideMiddle);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    table->setWordWrap(false);
    table->viewport()->installEventFilter(page);
    table->installEventFilter(page);
    layout->addWidget(table, 1);

    auto *buttons = new QHBoxLayout;
    RuleTableParts parts{table, rowButton(page, QStringLiteral("Добавить"), addNameAndHint),
                         rowButton(page, QStringLiteral("Удалить"), deleteNameAndHint)};
    buttons->addWidget(parts.add);
    buttons->addWidget(parts.remove);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return parts;
}

bool filterRuleTableEvent(QTableWidget *table, QObject *watched, QEvent *event, const RuleTableEvents &handlers)
{
    if (watched == table->viewport() && event->type() == QEvent::Resize)
        handlers.fitColumns();
    if (watched == table && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            handlers.editByF2();
        return true;
    }
    if (watched == table->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = table->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index.isValid())
            handlers.clicked(index.row(), index.column(), mouse->position().toPoint());
    }
    return false;
}

int swatchWidth(const QWidget *view)
{
    return view->style()->pixelMetric(QStyle::PM_SmallIconSize) + 8;
}
