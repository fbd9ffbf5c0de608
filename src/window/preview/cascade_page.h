#pragma once

#include <QWidget>

class Editor;
class QTreeWidget;

// CascadePage: the cascade for the element picked in the page. Each
// property its rules set is a row with the value that wins and the rule
// it comes from; under it, struck through, the declarations it overrides.
// A click on a row selects its rule.
class CascadePage : public QWidget
{
    Q_OBJECT
public:
    CascadePage(Editor &editor, QWidget *parent = nullptr);
    QTreeWidget *tree() const { return m_tree; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showCascade();
    // Each column as wide as its texts, but all four within the page: a
    // long value is elided, its whole text in the tip.
    void fitColumns();

    Editor &m_editor;
    QTreeWidget *m_tree;
};
