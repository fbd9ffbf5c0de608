#pragma once

#include <functional>

class EditorHost;
class SheetStore;
class SheetViewModel;

// Carries a change from the rule memo into the table, the sheet text, the
// undo history and the whole-sheet view, and with automatic refresh on,
// into the preview.
class StyleCommit
{
public:
    StyleCommit(SheetStore &store, EditorHost &host, SheetViewModel &view);

    // rewrite is false for undo and redo, which have restored the sheet
    // themselves: then only the views follow. takeFocus false leaves the
    // keyboard focus where the user is sending it. A commit asked for while
    // one runs (a field left as the focus moves away) is part of that one.
    void CommitStyleChange(bool rewrite, bool takeFocus = true);
    void RefreshSheetView();

    void setAutoRefresh(bool on) { m_autoRefresh = on; }
    bool autoRefresh() const { return m_autoRefresh; }
    // The action that writes the sheet file and reloads the preview.
    std::function<void()> refreshView;
    // Undo and redo, with automatic refresh on: the text just restored goes
    // to the preview before the views are brought to it.
    void ShowRestoredSheet()
    {
        if (m_autoRefresh && showRestored)
            showRestored();
    }
    std::function<void()> showRestored;

private:
    SheetStore &m_store;
    EditorHost &m_host;
    SheetViewModel &m_view;
    bool m_autoRefresh = false;
    bool m_committing = false;
};
