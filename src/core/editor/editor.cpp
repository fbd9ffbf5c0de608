#include "core/editor/editor.h"

#include "core/panels/rule_in_place.h"

#include <QTimer>

#include "core/panels/declaration_reader.h"
#include "core/host/editor_host.h"
#include "core/host/questioner.h"
#include "core/sheet/sheet_file_io.h"
#include "core/preview/sheet_navigation.h"

Editor::Editor(EditorHost &host, Questioner &questioner)
    : m_host(host)
    , m_questioner(questioner)
    , m_commit(m_store, host, m_sheetView)
    , m_files(m_store, host, questioner)
    , m_styles(m_store, questioner, [this] { m_commit.CommitStyleChange(true); })
    , m_panelController(m_panels, m_store, m_commit)
    , m_undoRedo(m_store, m_files, m_commit)
    , m_preview(m_store, questioner)
    , m_navigation(m_store, questioner)
    , m_inspector(m_store)
    , m_htmlSource(m_store, questioner)
{
    m_files.goToBasePage = [this] { m_navigation.GoNavigatorToLINK_HTMLExecute(); };
    m_commit.refreshView = [this] { m_preview.refreshAfterChange(); };
    m_commit.showRestored = [this] { m_preview.showRestoredSheet(); };
    m_inspector.selectRule = [this](int row) { ListTagClick(row); };
    // What the page says of the selected rule's elements decides how the
    // layout page writes start and end, and what it warns of.
    m_inspector.layoutSeen = [this](const QList<int> &n) { m_panels.layoutContext = {true, n[0], n[1], n[2], n[3], n[4]}; };
    QObject::connect(&m_store.list(), &StyleListModel::selectionChanged, &m_store,
                     [this] { m_panels.layoutContext = LayoutContext(); });
    m_store.setInPlaceWriter(&ruleEditedInPlace);
    // Another program's change to the file: looked at once the file system
    // has settled, and never written over unseen.
    m_preview.mayWrite = [this] { return m_files.MayWriteSheet(); };
    m_files.sheetTaken = [this] { m_preview.reloadPage(); };
    QObject::connect(&m_store.fileWatch(), &SheetFileWatch::touched, &m_store,
                     [this] { QTimer::singleShot(50, &m_store, [this] { m_files.DiskChanged(); }); });
    // What the page uses is asked again whenever the page may use other rules.
    m_inspector.setPageSheets(&m_pageSheets);
    m_preview.setPageSheets(&m_pageSheets);
    QObject::connect(&m_pageSheets, &PageSheets::editedMapped, &m_store, [this] { m_preview.giveServedPage(); });
    QObject::connect(&m_pageSheets, &PageSheets::changed, &m_store, [this] { m_preview.markServedSheets(); });
    // A pick under way takes in the sheets the page has now.
    QObject::connect(&m_pageSheets, &PageSheets::changed, &m_store, [this] {
        if (m_inspector.picking()) {
            m_inspector.setPicking(false);
            m_inspector.setPicking(true);
        }
    });
    m_inspector.pageChanged = [this] {
        m_pageSheets.refresh();
        m_unusedRules.refreshSoon();
        m_cascade.refresh();
    };
    m_inspector.pickForgotten = [this] {
        m_elementRules.forget();
        m_cascade.forget();
    };
    m_inspector.statesForced = [this](const QByteArrayList &states) {
        m_elementRules.setForced(states);
        m_cascade.setForced(states);
    };
    m_inspector.elementPicked = [this](const std::vector<RuleMatch> &matches) {
        m_elementRules.setPicked(matches);
        m_pickWeighed = false;
        m_cascade.setPicked(matches);
    };
    // Once the page has said what each rule of a pick sets, the pick goes
    // to the rule that wins the most of the element's properties.
    QObject::connect(&m_cascade, &ElementCascade::changed, &m_store, [this] {
        if (m_pickWeighed || m_cascade.properties().isEmpty())
            return;
        m_pickWeighed = true;
        if (const std::optional<int> rule = m_cascade.mainRule(); rule && *rule != m_store.list().selected())
            ListTagClick(*rule);
    });
    // The element's rules name rows: rows that change make them stale.
    QObject::connect(&m_store.list(), &StyleListModel::itemsChanged, &m_elementRules, [this] {
        m_elementRules.forget();
        m_cascade.forget();
    });
    // A rule's var() reads through the custom properties the whole sheet
    // gives, worked out again once the sheet's text has changed.
    m_panels.sheetVariable = [this](const QByteArray &name) { return m_variables.value(name); };
    QObject::connect(&m_store, &SheetStore::sheetLinesChanged, &m_store, [this] {
        m_variables.invalidate();
        m_propTable.invalidate();
    });
    // A rule loaded into the memo is read into the panels, which put the
    // memo into the program's layout, and the sheet view follows.
    m_store.setRuleLoadedHandler([this] {
        if (m_store.currentStyleIndex() != m_readRow) {
            m_readRow = m_store.currentStyleIndex();
            m_panels.shadows.layer = 0;
            m_panels.transitions.layer = 0;
        }
        DeclarationsToPanels(m_panels, m_store.memo());
        m_variableController.reload();
        m_propTable.invalidate();
        m_commit.RefreshSheetView();
    });
    m_variableController.selectRule = [this](int row) { ListTagClick(row); };
    m_files.resetPanels = [this] {
        ResetPanels(m_panels);
        m_panels.notify();
    };
    // The whole-sheet view follows a new or loaded sheet at once.
    m_files.sheetReplaced = [this] {
        m_commit.RefreshSheetView();
        // The page may be the same, its sheets seen anew: the edited one is another.
        m_pageSheets.refresh();
    };
}

void Editor::setBrowser(BrowserHost *browser)
{
    m_preview.setBrowser(browser);
    m_navigation.setBrowser(browser);
    m_htmlSource.setBrowser(browser);
    m_inspector.setBrowser(browser);
    m_propTable.setBrowser(browser);
    m_unusedRules.setBrowser(browser);
    m_cascade.setBrowser(browser);
    m_pageSheets.setBrowser(browser);
}

void Editor::openPageRule(int sheet, int row)
{
    if (sheet < 0) {
        if (row >= 0 && row < m_store.list().count())
            ListTagClick(row);
        return;
    }
    const QString path = m_pageSheets.path(sheet);
    if (path.isEmpty()) {
        if (m_inspector.showMessage)
            m_inspector.showMessage(QStringLiteral("Это правило блока <style> страницы: оно правится в HTML-редакторе"));
        return;
    }
    if (!m_files.ConfirmDiscard())
        return;
    // The page that links the sheet stays in the preview.
    m_navigation.keepPageIfNoBase();
    if (!m_files.OpenSheet(path))
        return;
    if (row < m_store.list().count())
        ListTagClick(row);
}

void Editor::ListTagClick(int row)
{
    m_store.list().setSelected(row);
    m_store.SelectStyle();
}

void Editor::HCSSMemoClick(const QByteArray &viewText, int caret)
{
    const int rule = ruleAtCaret(viewText, caret, m_store.list().items());
    if (m_store.list().count() == 0 || rule == m_store.list().selected())
        return;
    // Before the first header nothing is selected, and SelectStyle then
    // takes the first rule.
    m_store.list().setSelected(rule);
    m_store.SelectStyle();
}

void Editor::NewStyleExecute()
{
    m_styles.NewStyle(m_host.createSelector(m_styles.ExistingSelectorList()));
}

void Editor::ViewerChange(ViewerPage page)
{
    switch (page) {
    case ViewerPage::CurrentSheet:
        m_store.RegenerateSheet();
        m_commit.RefreshSheetView();
        break;
    case ViewerPage::DiskSheet: {
        const QString copy = SheetFiles::recoveryPath(m_store.currentFileName());
        QString error;
        const std::optional<ByteLines> lines =
            m_store.currentFileName().isEmpty() ? std::nullopt : readSheetFile(copy, &error);
        if (!lines) {
            m_questioner.ask(QStringLiteral("Для возможности просмотра файл должен быть \rпредварительно сохранен "
                                            "на диске.\rИспользуйте команду меню \"Файл-Сохранить\""),
                             QStringLiteral("Quillbox"), Questioner::Ok, Questioner::Icon::Error);
            return;
        }
        m_store.setDiskLines(*lines);
        if (showDiskSheet)
            showDiskSheet();
        break;
    }
    case ViewerPage::Browser:
        m_preview.RefreshViewExecute();
        break;
    case ViewerPage::Editor:
    case ViewerPage::Cascade:
        break;
    }
}

void Editor::EncodingChosen(SheetEncoding encoding)
{
    if (encoding == m_store.encoding())
        return;
    m_store.recode(encoding);
    m_store.setSheetModified(true);
    m_commit.CommitStyleChange(false);
}
