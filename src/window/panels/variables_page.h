#pragma once

#include "core/panels/override_marks.h"
#include "core/panels/panel_state.h"

#include <QHash>

#include <QWidget>

#include <functional>
#include <optional>

class Editor;
class QTableWidget;
class QTableWidgetItem;
class QToolButton;

// VarsPage: the custom properties of the selected rule, its own first and
// then, greyed, those it uses, with where each is given. A value of the
// rule's own is edited in place (double-click or F2) or, where it is a
// colour, through the swatch in front of it.
class VariablesPage : public QWidget
{
    Q_OBJECT
public:
    VariablesPage(Editor &editor, QWidget *parent = nullptr);

    // The window provides the colour picker and the message box.
    std::function<std::optional<Rgb>(Rgb start)> chooseColor;
    std::function<void(const QString &text)> tellError;

    QTableWidget *table() const { return m_table; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRows();
    // Puts a cell's item, unless the one shown says the same already.
    void putItem(int row, int column, QTableWidgetItem *item, bool inPlace);
    // Marks the rule's own variables that another rule sets again for the
    // picked element, and wins.
    void showMarks();
    void fitColumns();
    void valueChanged(QTableWidgetItem *item);
    void cellClicked(int row, int column, const QPoint &at);
    void addVariable();
    void deleteVariable();
    void updateButtons();
    void report(const QString &error);

    Editor &m_editor;
    QTableWidget *m_table;
    QToolButton *m_add;
    QToolButton *m_delete;
    bool m_showing = false;
    int m_shownRule = -1;
    QHash<int, OverrideMark> m_marks; // by row
};
