#include "core/panels/style_commit.h"

#include "core/host/editor_host.h"
#include "core/sheet/sheet_store.h"
#include "core/preview/sheet_view_model.h"

namespace {

QByteArray viewText(const ByteLines &lines)
{
    return joinLines(lines, "\n");
}

} // namespace

StyleCommit::StyleCommit(SheetStore &store, EditorHost &host, SheetViewModel &view)
    : m_store(store)
    , m_host(host)
    , m_view(view)
{
}

void StyleCommit::CommitStyleChange(bool rewrite, bool takeFocus)
{
    if (m_committing)
        return;
    m_committing = true;
    if (rewrite) {
        if (takeFocus)
            m_host.moveFocusToSink();
        m_store.RegenerateSheet();
    }
    m_committing = false;
    RefreshSheetView();
    if (m_autoRefresh && refreshView)
        refreshView();
}

void StyleCommit::RefreshSheetView()
{
    m_view.refresh(viewText(m_store.sheetLines()), m_store.list().selected());
}
