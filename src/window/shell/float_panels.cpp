#include "window/shell/float_panels.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QSplitter>
#include <QTimer>
#include <QWidget>

using namespace panels;

FloatPanels::FloatPanels(QWidget *panelAll, QWidget *toolStyle, QWidget *viewer, QWidget *list,
                         QSplitter *splitterList, QTimer *timer, QAction *action)
    : QObject(panelAll)
    , cursorPos([] { return QCursor::pos(); })
    , m_panelAll(panelAll)
    , m_toolStyle(toolStyle)
    , m_viewer(viewer)
    , m_list(list)
    , m_splitterList(splitterList)
    , m_timer(timer)
    , m_action(action)
{
    // The work area places its two children itself: the layout of the
    // fixed mode and the margins of the sliding one.
    // Slid in, the panels lie over the sheet views and must hide them.
    m_toolStyle->setAutoFillBackground(true);
    m_list->setAutoFillBackground(true);
    m_panelAll->setMouseTracking(true);
    m_panelAll->installEventFilter(this);
    connect(m_action, &QAction::triggered, this, &FloatPanels::FloatPanelExecute);
    connect(m_timer, &QTimer::timeout, this, &FloatPanels::TimerFloatTimer);
    placeWorkArea();
}

bool FloatPanels::sliding() const
{
    return m_action->isChecked();
}

QRect FloatPanels::onScreen(const QWidget *widget) const
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

void FloatPanels::placeWorkArea()
{
    const Places places = workAreaPlaces(m_panelAll->size(), sliding(), m_shown);
    m_toolStyle->setGeometry(places.toolStyle);
    m_viewer->setGeometry(places.viewer);
    if (sliding())
        m_list->resize(m_list->width(), std::max(m_panelAll->height() - kMargin, 0));
}

void FloatPanels::placeList(ListPlace place)
{
    m_list->move(listLeft(place, m_panelAll->width(), m_list->width()), m_panelAll->y() + kMargin);
}

void FloatPanels::FloatPanelExecute()
{
    m_shown = false;
    if (sliding()) {
        // The list leaves the splitter, so the work area takes the width.
        const int width = m_list->width();
        QWidget *holder = m_splitterList->parentWidget();
        m_list->setParent(holder);
        m_list->resize(width, holder->height() - kMargin);
        m_list->show();
        m_list->raise();
        m_splitterList->refresh();
        placeList(ListPlace::BeyondRight);
    } else {
        const int width = m_list->width();
        m_splitterList->insertWidget(1, m_list);
        m_splitterList->setSizes({m_splitterList->width() - width - m_splitterList->handleWidth(), width});
    }
    placeWorkArea();
}

void FloatPanels::PanelALLMouseMove()
{
    if (!sliding())
        return;
    if (!touchesHotStrip(cursorPos(), onScreen(m_toolStyle), onScreen(m_panelAll), onScreen(m_list)))
        return;
    m_timer->start();
    m_shown = true;
    placeList(ListPlace::Shown);
    m_list->raise();
    m_toolStyle->raise();
    placeWorkArea();
}

void FloatPanels::TimerFloatTimer()
{
    if (restsOnPanel(cursorPos(), onScreen(m_toolStyle), onScreen(m_list)) || !sliding())
        return;
    m_timer->stop();
    m_shown = false;
    placeList(ListPlace::BeyondLeft);
    placeWorkArea();
}

bool FloatPanels::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panelAll) {
        if (event->type() == QEvent::Resize)
            placeWorkArea();
        else if (event->type() == QEvent::MouseMove)
            PanelALLMouseMove();
    }
    return QObject::eventFilter(watched, event);
}
