#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <functional>

// Start-up measurements run the program as a whole process: with
// QUILLBOX_EXIT_WHEN_SHOWN set, it leaves once its window is on screen and
// `ready` says the start-up work is done (the last sheet's rules in the
// list), and the events queued by then have run. It says on its standard
// output what it did, so that a measurement can check it measured a start
// that did the work. The bare comparison window in bench/ uses the same rule.
inline void exitWhenShownIfAsked(QWidget &window, std::function<bool()> ready = {},
                                 std::function<QByteArray()> report = {})
{
    if (!qEnvironmentVariableIsSet("QUILLBOX_EXIT_WHEN_SHOWN"))
        return;
    auto *poll = new QTimer(&window);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, ready, report] {
        if (!window.windowHandle() || !window.windowHandle()->isExposed() || (ready && !ready()))
            return;
        poll->stop();
        QTimer::singleShot(0, qApp, [report] {
            if (report) {
                std::fputs(report().constData(), stdout);
                std::fflush(stdout);
            }
            QCoreApplication::quit();
        });
    });
    poll->start();
}
