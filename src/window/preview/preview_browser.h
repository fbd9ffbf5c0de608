#pragma once

#include "core/preview/browser_host.h"

#include <QObject>
#include <QUrl>

#include <functional>

class ActionCatalog;
class OutlineOverlay;
class QAction;
class QWebEnginePage;
class QWidget;
class SheetStore;
struct ViewerPages;

// The embedded browser PreBrowser with its address box, progress bar and
// navigation actions, as the preview sees them.
class PreviewBrowser : public QObject, public BrowserHost
{
    Q_OBJECT
public:
    // Asks for an HTML file in a folder (the window's `OpenDialogHTML`).
    using ChooseFile = std::function<std::optional<QString>(const QString &folder)>;

    PreviewBrowser(const ViewerPages &pages, const ActionCatalog &actions, ChooseFile chooseHtml,
                   const SheetStore &store, QObject *parent);

    // The web page is made the first time it is needed: starting the
    // engine takes longer than building the whole window, so a start
    // shows the window first and makes the page right after.
    void preparePage();
    void prepareOnceShown(QWidget *window);

    // A page finished loading: the address it was loaded under.
    std::function<void(const QString &)> downloadComplete;
    // The page of the last completed load (the visual editor works on it).
    QUrl lastCompletedDocument() const { return m_lastCompleted; }
    // Makes the shown page editable in place; its edits live in the
    // browser only.
    void VisualEditHTMLExecute();
    // A line the program's own scripts wrote to the page's console.
    std::function<void(const QString &)> pageMessage;

    void navigate(const QString &address) override;
    void reload() override;
    QString locationText() const override;
    void setLocationText(const QString &text) override;
    void setLocationHistory(const QStringList &items) override;
    void showBrowserPage() override;
    bool browserPageShown() const override;
    std::optional<QString> chooseHtmlToOpen(const QString &folder) override;
    void runPageScript(const QString &script, std::function<void(const QVariant &)> done) override;
    void showOutlines(const QList<QRectF> &matches, const QList<QRectF> &picked) override;
    void showLayoutLines(const QList<QRectF> &tracks, const QList<QRectF> &gaps) override;
    void sheetWritten(const QString &path, const QByteArray &bytes) override;
    // Makes what the page will ask for of a written sheet ready.
    std::function<void(const QString &path, const QByteArray &bytes)> prepareSheet;
    // Where a page is shown from: a page file of a site folder through the
    // site's scheme.
    std::function<QUrl(const QUrl &)> shownAt;

private:
    const ViewerPages &m_pages;
    ChooseFile m_chooseHtml;
    const SheetStore &m_store;
    QUrl m_lastCompleted;
    QWebEnginePage *m_page = nullptr;
    OutlineOverlay *m_outlines = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
};
