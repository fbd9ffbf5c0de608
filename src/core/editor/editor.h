#pragma once

#include "core/editor/shown_rows.h"
#include "core/panels/prop_table.h"
#include "core/panels/sheet_variables.h"
#include "core/panels/variable_controller.h"
#include "core/preview/base_page.h"
#include "core/preview/element_cascade.h"
#include "core/preview/element_rules.h"
#include "core/preview/html_source.h"
#include "core/panels/panel_controller.h"
#include "core/panels/panel_state.h"
#include "core/preview/page_inspector.h"
#include "core/preview/page_sheets.h"
#include "core/preview/preview_refresh.h"
#include "core/sheet/sheet_files.h"
#include "core/sheet/sheet_store.h"
#include "core/preview/sheet_view_model.h"
#include "core/preview/unused_rules.h"
#include "core/panels/style_commit.h"
#include "core/stylelist/rule_filter.h"
#include "core/stylelist/style_list_operations.h"
#include "core/stylelist/undo_redo.h"

class BrowserHost;
class EditorHost;
class Questioner;

// The editor without its window: the sheet store and everything that works
// on it, wired together once.
class Editor
{
public:
    Editor(EditorHost &host, Questioner &questioner);

    SheetStore &store() { return m_store; }
    SheetFiles &files() { return m_files; }
    StyleListOperations &styles() { return m_styles; }
    StyleCommit &commit() { return m_commit; }
    SheetViewModel &sheetView() { return m_sheetView; }
    PanelState &panels() { return m_panels; }
    PanelController &panelController() { return m_panelController; }
    VariableController &variables() { return m_variableController; }
    SheetVariables &sheetVariables() { return m_variables; }
    PropTable &propTable() { return m_propTable; }
    UndoRedo &undoRedo() { return m_undoRedo; }
    PreviewRefresh &preview() { return m_preview; }
    PreviewNavigation &navigation() { return m_navigation; }
    PageInspector &inspector() { return m_inspector; }
    HtmlSource &htmlSource() { return m_htmlSource; }
    RuleFilter &ruleFilter() { return m_ruleFilter; }
    ElementRules &elementRules() { return m_elementRules; }
    UnusedRules &unusedRules() { return m_unusedRules; }
    ElementCascade &cascade() { return m_cascade; }
    PageSheets &pageSheets() { return m_pageSheets; }
    const ShownRows &shownRows() const { return m_shownRows; }

    // The embedded browser joins once the window has built it.
    void setBrowser(BrowserHost *browser);

    // A click on a rule of the list.
    void ListTagClick(int row);
    // Opens a sheet of the page's others at a rule of it, after the
    // question about the edited sheet's unsaved changes; a rule of the
    // edited sheet (-1) is selected.
    void openPageRule(int sheet, int row);
    // A click in the whole-sheet view selects the rule under the caret:
    // the text as the view holds it (lines joined by CR LF) and the
    // caret's offset in it.
    void HCSSMemoClick(const QByteArray &viewText, int caret);

    // The user turned the sheet views to another page.
    enum class ViewerPage { Editor, CurrentSheet, DiskSheet, Browser, Cascade };
    void ViewerChange(ViewerPage page);
    // Shows the recovery copy's text; the window puts it on its page.
    std::function<void()> showDiskSheet;
    // The user chose the encoding the sheet is to be written in.
    void EncodingChosen(SheetEncoding encoding);

    // Asks the selector constructor for a name and adds the rule.
    void NewStyleExecute();

private:
    EditorHost &m_host;
    Questioner &m_questioner;
    SheetStore m_store;
    SheetVariables m_variables{m_store};
    SheetViewModel m_sheetView;
    PanelState m_panels;
    StyleCommit m_commit;
    SheetFiles m_files;
    StyleListOperations m_styles;
    PanelController m_panelController;
    VariableController m_variableController{m_store, m_variables, m_commit};
    PropTable m_propTable{m_store, m_commit};
    UndoRedo m_undoRedo;
    PreviewRefresh m_preview;
    PreviewNavigation m_navigation;
    PageInspector m_inspector;
    HtmlSource m_htmlSource;
    RuleFilter m_ruleFilter{m_store.list(), m_store.codec()};
    ElementRules m_elementRules;
    UnusedRules m_unusedRules{m_store};
    PageSheets m_pageSheets{m_store};
    ElementCascade m_cascade{m_store, m_pageSheets};
    ShownRows m_shownRows{m_ruleFilter, m_elementRules};
    // The rule last read into the panels: another one starts at its first
    // shadow and transition.
    int m_readRow = -1;
    // Whether the last pick has gone to the rule that wins the most.
    bool m_pickWeighed = true;
};
