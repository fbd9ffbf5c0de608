#pragma once

#include "core/css/css_color.h"

#include <QWidget>

#include <functional>
#include <optional>

class Editor;
class QTableWidget;
class QTableWidgetItem;
class QToolButton;
class PropDelegate;

// AllProps: every declaration of the selected rule in its order, as a
// browser's style inspector shows them. The check box switches one off and
// on; a double-click or F2 edits a name or a value; PropAdd and PropDelete
// add one after the selected row and take the selected one out.
class AllPropsPage : public QWidget
{
    Q_OBJECT
public:
    AllPropsPage(Editor &editor, QWidget *parent = nullptr);

    // The window provides the colour picker, the message box and the
    // status bar.
    std::function<std::optional<Rgb>(Rgb start)> chooseColor;
    std::function<void(const QString &text)> tellError;
    std::function<void(const QString &text)> showMessage;

    QTableWidget *table() const { return m_table; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showRows();
    void showJudgement();
    void fitColumns();
    void itemChanged(QTableWidgetItem *item);
    void editorClosed(int hint);
    void cellClicked(int row, int column, const QPoint &at);
    void addRow();
    void deleteRow();
    void updateButtons();
    void report(const QString &error);
    void editCell(int row, int column);
    // Whether an editor is open in the row.
    bool editing(int row) const;

    Editor &m_editor;
    QTableWidget *m_table;
    PropDelegate *m_delegate;
    QToolButton *m_add;
    QToolButton *m_delete;
    bool m_showing = false;
    int m_shownRule = -1;
    // A row being added: where it stands, and its name once given.
    int m_newRow = -1;
    QByteArray m_newName;
};
