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

private:
    void showCascade();

    Editor &m_editor;
    QTreeWidget *m_tree;
};
