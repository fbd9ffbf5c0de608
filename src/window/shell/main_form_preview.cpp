// The window's side of the preview and the sheet views: the browser, the
// address box, the base page actions, and the clicks that move between
// the rule's text, the property pages and the rule list.
#include "window/shell/main_form.h"
#include "window/stylelist/rule_filter_field.h"
#include "window/stylelist/style_list_widget.h"
#include "core/preview/media_widths.h"
#include "window/preview/sheet_scheme.h"

#include "window/shell/file_dialogs.h"

#include "window/preview/html_editor.h"
#include "window/shell/memo_binding.h"
#include "window/preview/preview_browser.h"
#include "window/preview/preview_frame.h"
#include "window/panels/panel_controls.h"

#include <QCheckBox>
#include "core/preview/sheet_navigation.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QWebEnginePage>
#include <QWebEngineView>
#include "window/panels/override_markers.h"
#include "window/preview/cascade_page.h"
#include "window/preview/engine_probe.h"
#include "window/shell/file_dialogs.h"
#include "core/host/site_folders.h"
#include "core/preview/page_sheets.h"
#include "core/preview/served_sheets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolButton>

void TMainForm::bindPreview()
{
    const ActionCatalog &a = *m_actions;
    PreviewNavigation &navigation = m_editor->navigation();
    m_browser = new PreviewBrowser(m_viewer, a, [this](const QString &folder) { return FileDialogs::choose(m_fileDialogs->openHtml(), folder); }, store(), this);
    PageInspector &inspector = m_editor->inspector();
    m_browser->downloadComplete = [this, &navigation, &inspector](const QString &address) {
        navigation.PreBrowserDownloadComplete(address);
        inspector.pageLoaded();
        offerSiteFolder();
    };
    m_browser->pageMessage = [&inspector](const QString &line) { inspector.pageMessage(line); };
    m_editor->setBrowser(m_browser);
    // The page is given the sheet lowered to what its engine understands.
    auto *server = new SheetRequestServer([this] { return store().currentFileName(); }, this);
    server->install(findChild<QWebEngineView *>(QStringLiteral("PreBrowser"))->page()->profile());
    // Lowered while the page runs the swap and asks for the sheet, not after.
    m_browser->prepareSheet = [server](const QString &path, const QByteArray &bytes) { server->prepare(path, bytes); };
    bindSites(server);
    connect(server, &SheetRequestServer::unshownChanged, m_unshown, [label = m_unshown](const QString &text) {
        label->setText(text);
        label->setVisible(!text.isEmpty());
    });
    // The lowering rewrites only what the engine lacks; a page that got the
    // sheet before the engine had answered gets it again.
    probePreviewEngine(server->profile(), server, [this, server](bool changed) {
        if (changed && server->forgetLowered())
            m_editor->preview().reloadPage();
    });

    connect(a["SaveHomePage"], &QAction::triggered, this, [&navigation] { navigation.SaveHomePageExecute(); });
    connect(a["GoNavigatorToLINK_HTML"], &QAction::triggered, this,
            [&navigation] { navigation.GoNavigatorToLINK_HTMLExecute(); });
    connect(a["OpenHomePage"], &QAction::triggered, this, [this, &navigation] {
        // The HTML editor below the page is opened far enough to be seen.
        if (navigation.OpenHomePageExecute() && m_viewer.html->height() < 30)
            m_viewer.browserSplitter->setSizes({m_viewer.browserSplitter->height() - 80, 80});
    });
    connect(m_viewer.location->lineEdit(), &QLineEdit::returnPressed, this,
            [&navigation] { navigation.LocationViewKeyPress(); });
    connect(m_viewer.location, &QComboBox::activated, this, [&navigation] { navigation.LocationViewSelect(); });

    bindHtmlEditor();
    bindPageInspector();

    m_viewer.cssMemo->viewport()->installEventFilter(this);
    m_viewer.cssMemo->installEventFilter(this);
    m_viewer.hcssMemo->viewport()->installEventFilter(this);
}

void TMainForm::bindSites(SheetRequestServer *server)
{
    // A served page's edited sheet found by its address; a site folder's
    // pages through the site's scheme.
    PageSheets &sheets = m_editor->pageSheets();
    sheets.siteFolder = [server](const QString &origin) {
        return origin.startsWith(QLatin1String("quillbox-site:")) ? server->siteFolder() : site_folders::folderFor(origin);
    };
    sheets.tell = [this](const QString &text) { statusBar()->showMessage(text, 15000); };
    m_browser->shownAt = [server](const QUrl &url) {
        if (!url.isLocalFile())
            return url;
        const QString folder = site_folders::folderOfFile(url.toLocalFile());
        if (folder.isEmpty())
            return url;
        server->setSiteFolder(folder);
        return siteUrlOf(folder, url.toLocalFile());
    };
    connect((*m_actions)["SiteFolder"], &QAction::triggered, this, [this, server] {
        const QUrl page = m_browser->lastCompletedDocument();
        const QString start = page.isLocalFile() ? QFileInfo(page.toLocalFile()).absolutePath() : server->siteFolder();
        const std::optional<QString> folder = FileDialogs::choose(m_fileDialogs->siteFolder(), start);
        if (!folder)
            return;
        if (isLocalServerUrl(page)) {
            site_folders::setFolderFor(originOf(page), *folder);
            m_editor->pageSheets().refresh();
            return;
        }
        site_folders::addFileSite(*folder);
        const QString file = page.isLocalFile() ? page.toLocalFile() : QString();
        if (page.scheme() == QLatin1String("quillbox-site")) {
            server->setSiteFolder(*folder);
            m_editor->preview().reloadPage();
        } else if (!file.isEmpty()) {
            m_browser->navigate(file);
        }
    });
}

void TMainForm::offerSiteFolder()
{
    // A page file whose root-relative links find nothing: the status bar
    // offers the folder above it where they do, one click to take it.
    if (!m_siteOffer) {
        m_siteOffer = new QToolButton(statusBar());
        m_siteOffer->setObjectName(QStringLiteral("SiteFolderOffer"));
        m_siteOffer->setAutoRaise(true);
        statusBar()->addWidget(m_siteOffer);
        connect(m_siteOffer, &QToolButton::clicked, this, [this] {
            const QString folder = m_siteOffer->property("folder").toString();
            const QString page = m_siteOffer->property("page").toString();
            m_siteOffer->hide();
            site_folders::addFileSite(folder);
            m_browser->navigate(page);
        });
    }
    m_siteOffer->hide();
    const QUrl page = m_browser->lastCompletedDocument();
    if (!page.isLocalFile() || !site_folders::folderOfFile(page.toLocalFile()).isEmpty())
        return;
    QFile file(page.toLocalFile());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString folder = siteFolderOffer(page.toLocalFile(), file.read(4 * 1024 * 1024));
    if (folder.isEmpty())
        return;
    m_siteOffer->setProperty("folder", folder);
    m_siteOffer->setProperty("page", page.toLocalFile());
    m_siteOffer->setText(QStringLiteral("Ссылки от корня не найдены: открыть как сайт из папки %1")
                             .arg(QDir::toNativeSeparators(folder)));
    m_siteOffer->show();
}

void TMainForm::bindHtmlEditor()
{
    const ActionCatalog &a = *m_actions;
    auto *editor = new HtmlEditor(m_viewer.html, m_editor->htmlSource(), this);
    m_htmlEditor = editor;
    connect(a["ActionToEditor"], &QAction::triggered, editor, &HtmlEditor::LoadHtmlIntoEditor);
    connect(a["ActionFormEditor"], &QAction::triggered, editor, &HtmlEditor::SaveHTMLClick);
    m_editor->files().saveHtmlDocument = [editor] { editor->SaveHTMLClick(); };
    QWidget *bar = m_viewer.phtml->findChild<QWidget *>(QStringLiteral("ToolBar1"));
    for (QToolButton *button : bar->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly)) {
        const QString name = button->objectName();
        if (name == QLatin1String("SpeedButton9"))
            connect(button, &QToolButton::clicked, editor, &HtmlEditor::SpeedButton9Click);
        else if (name == QLatin1String("InsertHyperLinkToHTML"))
            connect(button, &QToolButton::clicked, editor, &HtmlEditor::InsertHyperLinkToHTMLClick);
        else if (name.startsWith(QLatin1String("SpeedButton")))
            connect(button, &QToolButton::clicked, editor, [editor, button] { editor->InsertTagToHTML(button); });
    }
    connect(a["VisualEditHTML"], &QAction::triggered, m_browser, &PreviewBrowser::VisualEditHTMLExecute);
}

void TMainForm::bindPageInspector()
{
    const ActionCatalog &a = *m_actions;
    PageInspector &inspector = m_editor->inspector();
    inspector.showMatchCount = [label = m_matchCount](const QString &text) {
        label->setText(text);
        label->setAccessibleName(QStringLiteral("Совпадения на странице: ") + text);
    };
    inspector.showMessage = [this](const QString &text) { statusBar()->showMessage(text); };
    m_editor->panelController().showMessage = [this](const QString &text) { statusBar()->showMessage(text, 10000); };
    inspector.pickingEnded = [action = a["PickElement"]] { action->setChecked(false); };
    connect(a["HighlightMatches"], &QAction::toggled, this, [&inspector](bool on) { inspector.setOutlining(on); });
    connect(controls().layoutOverlay, &QCheckBox::toggled, this, [&inspector](bool on) { inspector.setLayoutLines(on); });
    connect(a["PickElement"], &QAction::toggled, this, [&inspector](bool on) { inspector.setPicking(on); });
    // The element's rules: on after a pick, and shown while checked.
    ElementRules &elementRules = m_editor->elementRules();
    QAction *showRules = a["ElementRules"];
    connect(showRules, &QAction::toggled, this, [&elementRules](bool on) { elementRules.setShown(on); });
    auto rulesState = [showRules, &elementRules] {
        showRules->setEnabled(elementRules.hasPick());
        showRules->setChecked(elementRules.shown());
    };
    connect(&elementRules, &ElementRules::changed, this, rulesState);
    rulesState();
    m_listPanel.list->bindElementRules(&elementRules, &m_editor->pageSheets());
    connect(m_listPanel.list, &StyleListWidget::otherRuleOpened, this,
            [this](int sheet, int row) { m_editor->openPageRule(sheet, row); });
    // The rules the page does not use, greyed while the action is on.
    UnusedRules &unused = m_editor->unusedRules();
    unused.showMessage = [this](const QString &text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    };
    connect(a["UnusedRules"], &QAction::toggled, this, [&unused](bool on) { unused.setOn(on); });
    m_listPanel.list->bindUnusedRules(&unused);
    // States forced on the picked element: only after a pick, and undone by
    // the next pick or a new page.
    const QList<std::pair<QAction *, QString>> states = {
        {a["ForceHover"], QStringLiteral(":hover")}, {a["ForceFocus"], QStringLiteral(":focus")},
        {a["ForceFocusVisible"], QStringLiteral(":focus-visible")},
        {a["ForceFocusWithin"], QStringLiteral(":focus-within")}, {a["ForceActive"], QStringLiteral(":active")}};
    for (const auto &[action, pseudoClass] : states) {
        action->setEnabled(false);
        connect(action, &QAction::triggered, this,
                [&inspector, pseudoClass](bool on) { inspector.forceState(pseudoClass, on); });
    }
    inspector.pickChanged = [states, &inspector] {
        for (const auto &[action, pseudoClass] : states) {
            action->setChecked(false);
            action->setEnabled(inspector.hasPick());
        }
    };
    // Controls whose declaration loses for the picked element are marked.
    new OverrideMarkers(*m_editor, this);
    // The cascade for the picked element, a page of the viewer.
    {
        const int shown = m_viewer.viewer->currentIndex();
        m_viewer.viewer->addTab(new CascadePage(*m_editor, m_viewer.viewer), QStringLiteral("Каскад"));
        m_viewer.viewer->setCurrentIndex(shown);
    }
    // The contrast of the picked element's text, on the colour page.
    QLabel *contrast = controls().contrastLabel;
    inspector.showContrast = [contrast](const QString &text) {
        contrast->setText(text.isEmpty() ? QStringLiteral("Контраст: выберите элемент на странице") : text);
        contrast->setEnabled(!text.isEmpty());
    };
    connect(m_viewer.previewWidth, &QComboBox::currentIndexChanged, this,
            [this] { m_viewer.browserFrame->setPageWidth(previewWidthOf(m_viewer.previewWidth)); });
    QComboBox *width = m_viewer.previewWidth;
    connect(width->lineEdit(), &QLineEdit::returnPressed, this, [this, width] {
        if (const std::optional<int> typed = typedPreviewWidth(width->currentText())) {
            selectPreviewWidth(width, *typed);
        } else {
            statusBar()->showMessage(QStringLiteral("Ширина страницы - число пикселей от 100 до 10000"), 10000);
            width->setEditText(width->itemText(width->currentIndex()));
        }
    });
    // The widths the sheet's own @media conditions name.
    connect(&store().list(), &StyleListModel::itemsChanged, this,
            [this, width] { setSheetWidths(width, mediaWidths(store().sheetText())); });
    connect(m_viewer.viewer, &QTabWidget::currentChanged, this, [&inspector] { inspector.showMatchesSoon(); });
}

void TMainForm::CSSMemoClick()
{
    const QString line = m_viewer.cssMemo->textCursor().block().text();
    if (const std::optional<int> page = propertyPageForLine(store().codec().encode(line)))
        m_listPanel.panel->findChild<QTabWidget *>(QStringLiteral("TABPANEL"))->setCurrentIndex(*page);
}

void TMainForm::HCSSMemoClick()
{
    // The view's lines joined by CR LF: every line break before the caret
    // counts two characters.
    m_editor->HCSSMemoClick(joinLines(memoLines(m_viewer.hcssMemo, store().codec())),
                            int(byteOffsetOfCaret(m_viewer.hcssMemo, store().codec())));
    // The rule the click selected is shown: a filter that hid it goes.
    if (!m_editor->ruleFilter().shows(store().list().selected()))
        m_listPanel.filter->clear();
}

void TMainForm::viewerEvent(QObject *watched, QEvent *event)
{
    const bool release = event->type() == QEvent::MouseButtonRelease
                         && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (watched == m_viewer.cssMemo->viewport() && release)
        CSSMemoClick();
    else if (watched == m_viewer.cssMemo && event->type() == QEvent::KeyRelease)
        CSSMemoClick();
    else if (watched == m_viewer.hcssMemo->viewport() && release)
        HCSSMemoClick();
}
