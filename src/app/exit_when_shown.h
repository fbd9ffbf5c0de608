#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

// Start-up measurements run the program as a whole process: with
// QUILLBOX_EXIT_WHEN_SHOWN set, it leaves as soon as its window is on
// screen and the events queued by then have run. The bare comparison
// window in bench/ uses the same rule.
inline void exitWhenShownIfAsked(QWidget &window)
{
    if (!qEnvironmentVariableIsSet("QUILLBOX_EXIT_WHEN_SHOWN"))
        return;
    auto *poll = new QTimer(&window);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll] {
        if (!window.windowHandle() || !window.windowHandle()->isExposed())
            return;
        poll->stop();
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    });
    poll->start();
}
