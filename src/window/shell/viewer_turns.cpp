#include "window/shell/viewer_turns.h"

#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

ViewerTurns::ViewerTurns(QTabWidget *viewer, std::function<void(int)> turned, std::function<void(int)> entered)
    : QObject(viewer)
    , m_viewer(viewer)
    , m_bar(viewer->tabBar())
    , m_turned(std::move(turned))
    , m_entered(std::move(entered))
{
    connect(viewer->tabBar(), &QTabBar::tabBarClicked, this, &ViewerTurns::clicked);
    viewer->installEventFilter(this);
    viewer->tabBar()->installEventFilter(this);
}

void ViewerTurns::turnTo(int index)
{
    if (index < 0 || index >= m_viewer->count() || index == m_viewer->currentIndex())
        return;
    m_viewer->setCurrentIndex(index);
    m_turned(index);
}

void ViewerTurns::clicked(int index)
{
    turnTo(index);
    if (m_entered && index >= 0 && index == m_viewer->currentIndex())
        m_entered(index);
}

void ViewerTurns::step(int by, bool wrap)
{
    const int count = m_viewer->count();
    int index = m_viewer->currentIndex() + by;
    if (wrap)
        index = (index + count) % count;
    turnTo(index);
}

bool ViewerTurns::eventFilter(QObject *watched, QEvent *event)
{
    // Only the gestures below touch the pages: events also come while the
    // pages are being taken down.
    const bool onBar = watched == m_bar;
    if (event->type() == QEvent::Wheel && onBar) {
        const QPoint delta = static_cast<QWheelEvent *>(event)->angleDelta();
        const int turn = delta.y() != 0 ? delta.y() : delta.x();
        if (turn != 0)
            step(turn > 0 ? -1 : 1, false);
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & Qt::ControlModifier) {
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_PageDown:
            step(1, true);
            return true;
        case Qt::Key_Backtab:
        case Qt::Key_PageUp:
            step(-1, true);
            return true;
        default:
            return false;
        }
    }
    if (onBar && key->modifiers() == Qt::NoModifier) {
        if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Up) {
            step(-1, false);
            return true;
        }
        if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Down) {
            step(1, false);
            return true;
        }
    }
    return false;
}
