// The yardstick for the program's start-up: a bare main window holding a
// web view that loads about:blank, started and left the same way.
#include "app/exit_when_shown.h"

#include <QApplication>
#include <QMainWindow>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QMainWindow window;
    auto *view = new QWebEngineView(&window);
    window.setCentralWidget(view);
    view->load(QUrl(QStringLiteral("about:blank")));
    window.resize(792, 600);
    window.show();
    exitWhenShownIfAsked(window);
    return app.exec();
}
