#pragma once

class SheetFiles;
class SheetStore;
class StyleCommit;

// Steps back and forth through the sheet's snapshots, rebuilding the rule
// table from each and reselecting the rule that was selected then.
class UndoRedo
{
public:
    UndoRedo(SheetStore &store, SheetFiles &files, StyleCommit &commit);

    void BackEditExecute();
    void ForeEditExecute();

private:
    void restoreCurrentSnapshot();

    SheetStore &m_store;
    SheetFiles &m_files;
    StyleCommit &m_commit;
};
