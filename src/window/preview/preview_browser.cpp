#include "window/preview/preview_browser.h"

#include "window/shell/action_catalog.h"
#include "core/preview/page_address.h"
#include "core/preview/page_scripts.h"
#include "core/sheet/sheet_store.h"
#include "window/preview/outline_overlay.h"
#include "window/shell/when_exposed.h"
#include "window/preview/viewer_pages.h"

#include <QAction>
#include <QComboBox>
#include <QPointer>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <QWindow>

namespace {

// A page that asks for a new window gets the preview itself. The console
// lines of the program's own scripts go to the preview; the page's own
// keep their usual way.
class PreviewPage : public QWebEnginePage
{
public:
    PreviewPage(std::function<void(const QString &)> ownLine, QObject *parent)
        : QWebEnginePage(parent)
        , m_ownLine(std::move(ownLine))
    {
    }

protected:
    QWebEnginePage *createWindow(WebWindowType) override { return this; }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int line,
                                  const QString &source) override
    {
        if (message.startsWith(page_scripts::pageMessagePrefix())) {
            m_ownLine(message);
            return;
        }
        QWebEnginePage::javaScriptConsoleMessage(level, message, line, source);
    }

private:
    std::function<void(const QString &)> m_ownLine;
};

// The window system reports the window's new surface as not maximized,
// a moment after it is made: the first such report is undone.
class KeepMaximized : public QObject
{
public:
    explicit KeepMaximized(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
        QTimer::singleShot(3000, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || event->type() != QEvent::WindowStateChange)
            return false;
        if (!m_window->isMaximized() && !m_window->isMinimized()) {
            QTimer::singleShot(0, m_window, [window = m_window] {
                window->setWindowState(window->windowState() | Qt::WindowMaximized);
            });
        }
        m_window->removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    QWidget *m_window;
};

} // namespace

PreviewBrowser::PreviewBrowser(const ViewerPages &pages, const ActionCatalog &actions, ChooseFile chooseHtml,
                               const SheetStore &store, QObject *parent)
    : QObject(parent)
    , m_pages(pages)
    , m_chooseHtml(std::move(chooseHtml))
    , m_store(store)
{
    QWebEngineView *view = pages.browser;
    // A web view that is shown makes a page of its own at once, so it stays
    // hidden until preparePage has given it this one.
    view->hide();
    // Back, forward and stop act on the page, which is made first if need be.
    connect(actions["GotoBack"], &QAction::triggered, this, [this, view] {
        preparePage();
        view->back();
    });
    connect(actions["GotoForward"], &QAction::triggered, this, [this, view] {
        preparePage();
        view->forward();
    });
    connect(actions["StopNavigate"], &QAction::triggered, this, [this, view] {
        if (m_page)
            view->stop();
    });
    m_back = actions["GotoBack"];
    m_forward = actions["GotoForward"];

    m_outlines = new OutlineOverlay(view);
    // A new page has nothing outlined until the program asks again.
    connect(view, &QWebEngineView::loadStarted, m_outlines, [overlay = m_outlines] {
        overlay->showLayout({}, {});
        overlay->showOutlines({}, {});
    });
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

void PreviewBrowser::preparePage()
{
    if (m_page)
        return;
    QWebEngineView *view = m_pages.browser;
    m_page = new PreviewPage(
        [this](const QString &line) {
            if (pageMessage)
                pageMessage(line);
        },
        view);
    // The program's scripts go into every page as its document is made, in
    // a world of their own.
    QWebEngineScript library;
    library.setName(QStringLiteral("quillbox"));
    library.setSourceCode(page_scripts::library());
    library.setInjectionPoint(QWebEngineScript::DocumentCreation);
    library.setWorldId(QWebEngineScript::ApplicationWorld);
    library.setRunsOnSubFrames(false);
    m_page->scripts().insert(library);
    view->setPage(m_page);
    // The first web view shown makes the window take a native surface
    // anew, which comes up unmaximized: the window is maximized again.
    QWidget *window = view->window();
    const bool maximized = window->isMaximized();
    view->show();
    if (maximized)
        new KeepMaximized(window);
    // Back and forward follow the page's own history once a page is shown
    // (both are enabled until then).
    for (const auto &[pageAction, action] :
         {std::pair{QWebEnginePage::Back, m_back}, std::pair{QWebEnginePage::Forward, m_forward}}) {
        QAction *source = m_page->action(pageAction);
        auto follow = [source, target = action] { target->setEnabled(source->isEnabled()); };
        connect(source, &QAction::changed, action, follow);
        connect(view, &QWebEngineView::urlChanged, action, follow);
    }
}

void PreviewBrowser::prepareOnceShown(QWidget *window)
{
    // The engine starts once the window is on screen and painted.
    whenExposed(window, [alive = QPointer<PreviewBrowser>(this)] {
        if (alive)
            alive->preparePage();
    });
}

void PreviewBrowser::navigate(const QString &address)
{
    preparePage();
    const QUrl url = addressToUrl(address, m_store.currentFileName());
    m_pages.browser->setUrl(shownAt ? shownAt(url) : url);
}

void PreviewBrowser::VisualEditHTMLExecute()
{
    if (m_lastCompleted.isEmpty() || !m_page)
        return;
    m_page->runJavaScript(QStringLiteral("document.designMode = 'on';"));
    m_pages.browser->setFocus();
}

void PreviewBrowser::sheetWritten(const QString &path, const QByteArray &bytes)
{
    if (prepareSheet)
        prepareSheet(path, bytes);
}

void PreviewBrowser::runPageScript(const QString &script, std::function<void(const QVariant &)> done)
{
    if (!m_page) {
        if (done)
            done(QVariant());
        return;
    }
    // An answer that comes after the preview has gone is dropped.
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [alive = QPointer<PreviewBrowser>(this), done = std::move(done)](const QVariant &value) {
                              if (alive && done)
                                  done(value);
                          });
}

void PreviewBrowser::showOutlines(const QList<QRectF> &matches, const QList<QRectF> &picked)
{
    m_outlines->showOutlines(matches, picked);
}

void PreviewBrowser::showLayoutLines(const QList<QRectF> &tracks, const QList<QRectF> &gaps)
{
    m_outlines->showLayout(tracks, gaps);
}

void PreviewBrowser::reload()
{
    // The linked sheets are read again, never taken from the cache.
    preparePage();
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
    return m_chooseHtml(folder);
}
