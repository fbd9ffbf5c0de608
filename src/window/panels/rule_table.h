#pragma once

#include <QString>
#include <QStringList>

#include <utility>

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
