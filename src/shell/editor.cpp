#include "editor.h"

#include "editor_host.h"

Editor::Editor(EditorHost &host, Questioner &questioner)
    : m_host(host)
    , m_commit(m_store, host, m_sheetView)
    , m_files(m_store, host, questioner)
    , m_styles(m_store, questioner, [this] { m_commit.CommitStyleChange(true); })
{
    m_store.setRuleLoadedHandler([this] { m_commit.RefreshSheetView(); });
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
