#pragma once

#include "core/editor/panel_geometry.h"

#include <QObject>
#include <QPoint>

#include <functional>

class QAction;
class QSplitter;
class QTimer;
class QWidget;

// The sliding-panels mode: the sheet views take the whole window and the
// tool panel and the rule list slide in when the pointer touches a strip
// at the top or the right edge, and out again once it has left them.
class FloatPanels : public QObject
{
    Q_OBJECT
public:
    FloatPanels(QWidget *panelAll, QWidget *toolStyle, QWidget *viewer, QWidget *list, QSplitter *splitterList,
                QTimer *timer, QAction *action);

    // The action was toggled: its new state is the mode.
    void FloatPanelExecute();
    void PanelALLMouseMove();
    void TimerFloatTimer();

    // Where the pointer is, in screen coordinates; tests put their own.
    std::function<QPoint()> cursorPos;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool sliding() const;
    void placeWorkArea();
    void placeList(panels::ListPlace place);
    QRect onScreen(const QWidget *widget) const;

    QWidget *m_panelAll;
    QWidget *m_toolStyle;
    QWidget *m_viewer;
    QWidget *m_list;
    QSplitter *m_splitterList;
    QTimer *m_timer;
    QAction *m_action;
    bool m_shown = false;
};
