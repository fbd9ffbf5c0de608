#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class QEvent;
class QObject;
class QPoint;
class QTableWidget;
class QToolButton;
class QWidget;

// A page that lists rows of the selected rule: its table, laid out by the
// page itself (no stretched last column, text elided in the middle), one
// whole row selected at a time and edited by a double click or F2, and
// below it the buttons that add and delete a row. The page filters the
// table's and its viewport's events.
struct RuleTableParts {
    QTableWidget *table;
    QToolButton *add;
    QToolButton *remove;
};
RuleTableParts makeRuleTable(QWidget *page, const QString &tableName, const QString &accessibleName,
                             const QStringList &headers, const std::pair<QString, QString> &addNameAndHint,
                             const std::pair<QString, QString> &deleteNameAndHint);

// The table's share of its page's event filter: the columns fitted again
// when its viewport is resized, F2 taken from the window's shortcut (which
// renames the rule) to edit in the table, and a left click's cell reported.
// True when the event is used up.
struct RuleTableEvents {
    std::function<void()> fitColumns;
    std::function<void()> editByF2;
    std::function<void(int row, int column, const QPoint &at)> clicked;
};
bool filterRuleTableEvent(QTableWidget *table, QObject *watched, QEvent *event, const RuleTableEvents &handlers);

// Where a value cell's colour swatch ends, from the cell's left edge.
int swatchWidth(const QWidget *view);
