#include "editor.h"

#include "declaration_reader.h"
#include "editor_host.h"

Editor::Editor(EditorHost &host, Questioner &questioner)
    : m_host(host)
    , m_commit(m_store, host, m_sheetView)
    , m_files(m_store, host, questioner)
    , m_styles(m_store, questioner, [this] { m_commit.CommitStyleChange(true); })
    , m_panelController(m_panels, m_store, m_commit)
    , m_undoRedo(m_store, m_files, m_commit)
    , m_preview(m_store, questioner)
{
    m_commit.refreshView = [this] { m_preview.RefreshViewExecute(); };
    // A rule loaded into the memo is read into the panels, which put the
    // memo into the program's layout, and the sheet view follows.
    m_store.setRuleLoadedHandler([this] {
        DeclarationsToPanels(m_panels, m_store.memo());
        m_commit.RefreshSheetView();
    });
    m_files.resetPanels = [this] {
        ResetPanels(m_panels);
        m_panels.notify();
    };
}

void Editor::ListTagClick(int row)
{
    m_store.list().setSelected(row);
    m_store.SelectStyle();
}

void Editor::NewStyleExecute()
{
    m_styles.NewStyle(m_host.createSelector(m_styles.ExistingSelectorList()));
}
