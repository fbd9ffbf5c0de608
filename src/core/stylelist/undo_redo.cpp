#include "core/stylelist/undo_redo.h"

#include "core/sheet/sheet_files.h"
#include "core/sheet/sheet_store.h"
#include "core/panels/style_commit.h"

UndoRedo::UndoRedo(SheetStore &store, SheetFiles &files, StyleCommit &commit)
    : m_store(store)
    , m_files(files)
    , m_commit(commit)
{
}

void UndoRedo::restoreCurrentSnapshot()
{
    EditHistory &history = m_store.history();
    m_store.setEncodingCode(history.encodings[history.pos]);
    m_store.setSheetText(history.text(history.pos));
    // The page takes the text while the table and the panels are read again.
    m_commit.ShowRestoredSheet();
    m_store.RebuildStyleTable();
    // The memo belongs to the sheet being left; it must not reach the
    // restored table.
    m_store.selectAfterRebuild(history.selections[history.pos]);
    m_files.RememberLastFile(false);
    m_store.setHistoryActions(history.canUndo(), history.canRedo());
    m_commit.CommitStyleChange(false);
    // A step back past a save or a reload gives a text the file does not
    // hold: closing must ask about it.
    if (m_store.differsFromUnmodified())
        m_store.setSheetModified(true);
}

void UndoRedo::BackEditExecute()
{
    EditHistory &history = m_store.history();
    if (!history.canUndo())
        return;
    ++history.redoCount;
    --history.pos;
    restoreCurrentSnapshot();
}

void UndoRedo::ForeEditExecute()
{
    EditHistory &history = m_store.history();
    if (history.redoCount <= 0)
        return;
    --history.redoCount;
    ++history.pos;
    restoreCurrentSnapshot();
}
