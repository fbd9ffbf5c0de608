#pragma once

#include <QString>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>

// Runs a script in the page's own world and waits for its answer.
inline QVariant runInPage(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool answered = false;
    page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        answered = true;
    });
    if (!QTest::qWaitFor([&] { return answered; }, 20000))
        return QStringLiteral("<no answer>");
    return result;
}
