#pragma once

#include "core/preview/browser_host.h"

#include <QList>

#include <functional>

// Records what the preview asks of the browser.
class FakeBrowser : public BrowserHost
{
public:
    QStringList navigated;
    int reloads = 0;
    QString location = QStringLiteral("about:blank");
    QStringList history;
    bool pageShown = true;
    int pageTurns = 0;
    QList<std::optional<QString>> htmlAnswers;
    QStringList htmlFolders;
    // The scripts run in the page, and the answers they get in turn
    // (nothing once the list is used up).
    QStringList scripts;
    QVariantList answers;
    // Called as each script is run.
    std::function<void(const QString &)> onScript;
    // When set, answers each script instead of the list.
    std::function<QVariant(const QString &)> answerFor;
    QList<QRectF> outlined;
    QList<QRectF> picked;

    void navigate(const QString &address) override { navigated.append(address); }
    void reload() override { ++reloads; }
    QString locationText() const override { return location; }
    void setLocationText(const QString &text) override { location = text; }
    void setLocationHistory(const QStringList &items) override { history = items; }
    void showBrowserPage() override
    {
        pageShown = true;
        ++pageTurns;
    }
    bool browserPageShown() const override { return pageShown; }
    void runPageScript(const QString &script, std::function<void(const QVariant &)> done) override
    {
        scripts.append(script);
        if (onScript)
            onScript(script);
        const QVariant answer = answerFor ? answerFor(script) : answers.isEmpty() ? QVariant() : answers.takeFirst();
        if (done)
            done(answer);
    }
    void showOutlines(const QList<QRectF> &matches, const QList<QRectF> &pickedBox) override
    {
        outlined = matches;
        picked = pickedBox;
    }
    std::optional<QString> chooseHtmlToOpen(const QString &folder) override
    {
        htmlFolders.append(folder);
        return htmlAnswers.isEmpty() ? std::nullopt : htmlAnswers.takeFirst();
    }
};
