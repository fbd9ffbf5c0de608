#pragma once

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <QTimer>
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

// The engine's answer to a function of the page's script applied to some
// data, in a blank page of its own: for tests that let the engine judge
// what CSS means.
inline QVariantList judgeInBlankPage(const char *function, const QJsonArray &input)
{
    QWebEnginePage page;
    QEventLoop loop;
    QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
    page.setHtml(QStringLiteral("<!DOCTYPE html><body></body>"));
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    return runInPage(&page, QString::fromLatin1(function) + QLatin1Char('(')
                                + QString::fromUtf8(QJsonDocument(input).toJson(QJsonDocument::Compact)) + QLatin1Char(')'))
        .toList();
}
