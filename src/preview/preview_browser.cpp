#include "preview_browser.h"

#include "action_catalog.h"
#include "page_address.h"
#include "sheet_store.h"
#include "viewer_pages.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// A page that asks for a new window gets the preview itself.
class PreviewPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    QWebEnginePage *createWindow(WebWindowType) override { return this; }
};

} // namespace

PreviewBrowser::PreviewBrowser(const ViewerPages &pages, const ActionCatalog &actions, QFileDialog *openHtml,
                               const SheetStore &store, QObject *parent)
    : QObject(parent)
    , m_pages(pages)
    , m_openHtml(openHtml)
    , m_store(store)
{
    QWebEngineView *view = pages.browser;
    view->setPage(new PreviewPage(view));
    QWebEnginePage *page = view->page();

    connect(actions["GotoBack"], &QAction::triggered, view, &QWebEngineView::back);
    connect(actions["GotoForward"], &QAction::triggered, view, &QWebEngineView::forward);
    connect(actions["StopNavigate"], &QAction::triggered, view, &QWebEngineView::stop);
    // Back and forward follow the page's own history once a page is shown
    // (both are enabled until then).
    for (const auto &[pageAction, action] : {std::pair{QWebEnginePage::Back, actions["GotoBack"]},
                                             std::pair{QWebEnginePage::Forward, actions["GotoForward"]}}) {
        QAction *source = page->action(pageAction);
        auto follow = [source, target = action] { target->setEnabled(source->isEnabled()); };
        connect(source, &QAction::changed, action, follow);
        connect(view, &QWebEngineView::urlChanged, action, follow);
    }

    connect(view, &QWebEngineView::loadStarted, pages.progress, [bar = pages.progress] { bar->setValue(0); });
    connect(view, &QWebEngineView::loadProgress, pages.progress, [bar = pages.progress](int progress) {
        bar->setMaximum(100);
        bar->setValue(progress);
    });
    connect(view, &QWebEngineView::loadFinished, this, [this, view] {
        m_lastCompleted = view->url();
        if (downloadComplete)
            downloadComplete(view->url().toString());
    });
}

void PreviewBrowser::navigate(const QString &address)
{
    m_pages.browser->setUrl(addressToUrl(address, m_store.currentFileName()));
}

void PreviewBrowser::VisualEditHTMLExecute()
{
    if (m_lastCompleted.isEmpty())
        return;
    m_pages.browser->page()->runJavaScript(QStringLiteral("document.designMode = 'on';"));
    m_pages.browser->setFocus();
}

void PreviewBrowser::reload()
{
    // The linked sheets are read again, never taken from the cache.
    m_pages.browser->triggerPageAction(QWebEnginePage::ReloadAndBypassCache);
}

QString PreviewBrowser::locationText() const
{
    return m_pages.location->currentText();
}

void PreviewBrowser::setLocationText(const QString &text)
{
    const QSignalBlocker block(m_pages.location);
    m_pages.location->setEditText(text);
}

void PreviewBrowser::setLocationHistory(const QStringList &items)
{
    const QSignalBlocker block(m_pages.location);
    const QString text = m_pages.location->currentText();
    m_pages.location->clear();
    m_pages.location->addItems(items);
    m_pages.location->setEditText(text);
}

void PreviewBrowser::showBrowserPage()
{
    m_pages.viewer->setCurrentWidget(m_pages.viewer->findChild<QWidget *>(QStringLiteral("PreView")));
}

bool PreviewBrowser::browserPageShown() const
{
    return m_pages.viewer->currentWidget()->objectName() == QLatin1String("PreView");
}

std::optional<QString> PreviewBrowser::chooseHtmlToOpen(const QString &folder)
{
    m_openHtml->setDirectory(folder);
    if (m_openHtml->exec() != QDialog::Accepted || m_openHtml->selectedFiles().isEmpty())
        return std::nullopt;
    return m_openHtml->selectedFiles().first();
}
