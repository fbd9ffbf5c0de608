#pragma once

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <QVariant>

#include <functional>
#include <optional>

// What the preview asks of the embedded browser and its page: core tests
// answer with a fake.
class BrowserHost
{
public:
    virtual ~BrowserHost() = default;

    // Loads a local path, a file address or a web address.
    virtual void navigate(const QString &address) = 0;
    // Reloads the page, reading the sheets it links again.
    virtual void reload() = 0;

    // The address box: its text and its drop-down history.
    virtual QString locationText() const = 0;
    virtual void setLocationText(const QString &text) = 0;
    virtual void setLocationHistory(const QStringList &items) = 0;

    // The browser page of the sheet views, turned to by the program (no
    // refresh follows) or asked whether it is the one shown.
    virtual void showBrowserPage() = 0;
    virtual bool browserPageShown() const = 0;

    // Runs one of the program's scripts in the shown page, apart from the
    // page's own scripts; `done`, if given, gets the script's value, or
    // nothing when there is no page.
    virtual void runPageScript(const QString &script, std::function<void(const QVariant &)> done) = 0;

    // Outlines drawn over the shown page, never in it: the boxes of the
    // matched elements and of the one under the pointer while picking, in
    // the page's CSS pixels from the top left of its viewport.
    virtual void showOutlines(const QList<QRectF> &matches, const QList<QRectF> &picked) = 0;
    // The lines of the matched flex and grid containers, drawn the same
    // way: grid tracks or flex items, and the gaps between them.
    virtual void showLayoutLines(const QList<QRectF> &tracks, const QList<QRectF> &gaps)
    {
        (void)tracks;
        (void)gaps;
    }

    // The sheet's file was just written and the page asked to take it in
    // place: what the page is about to ask for can be made ready while the
    // page gets round to asking.
    virtual void sheetWritten(const QString &path, const QByteArray &bytes)
    {
        (void)path;
        (void)bytes;
    }

    // The page to open, chosen in OpenDialogHTML; nothing when cancelled.
    virtual std::optional<QString> chooseHtmlToOpen(const QString &folder) = 0;
};
