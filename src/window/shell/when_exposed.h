#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>

// Runs the work once the window is on screen and painted, on the next turn
// of the event loop after that; never if the window goes first.
inline void whenExposed(QWidget *window, std::function<void()> work)
{
    QTimer::singleShot(0, window, [window = QPointer<QWidget>(window), work = std::move(work)]() mutable {
        if (!window)
            return;
        if (!window->windowHandle() || !window->windowHandle()->isExposed()) {
            QTimer::singleShot(5, window, [window, work = std::move(work)]() mutable {
                if (window)
                    whenExposed(window, std::move(work));
            });
            return;
        }
        QTimer::singleShot(0, window, std::move(work));
    });
}
