#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>

class Editor;
class QToolButton;
class QWidget;

// The small corner mark that says a declaration loses for the picked
// element, as an icon for the rows of tables.
QIcon overrideMarkIcon();

// The marks on the panels' controls whose property the selected rule sets
// for the picked element while another rule wins it. Each sits on its
// control's top right corner; its tooltip names the winner and a click on
// it goes there.
class OverrideMarkers : public QObject
{
    Q_OBJECT
public:
    // Controls are found by name under `panels`.
    OverrideMarkers(Editor &editor, QWidget *panels);

    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Mark {
        QPointer<QWidget> control;
        QToolButton *button = nullptr;
    };
    void place(const Mark &mark);

    Editor &m_editor;
    QWidget *m_panels;
    QList<Mark> m_marks;
    bool m_pending = false;
};
