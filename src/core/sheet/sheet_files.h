#pragma once

#include "core/sheet/recent_sheets.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class EditorHost;
class Questioner;
class SheetStore;

// The sheet's life as a file: new, open, save, save as, the question
// about unsaved changes, the last file, and the recovery copy (the sheet's
// path with ".ORIGINAL" appended) that guards the file while it is edited.
class SheetFiles
{
public:
    SheetFiles(SheetStore &store, EditorHost &host, Questioner &questioner);

    static QString recoveryPath(const QString &path) { return path + QStringLiteral(".ORIGINAL"); }
    // Everything before the last "/"; empty for an unnamed sheet.
    static QString folderOf(const QString &path);

    void NewSheet();
    bool LoadSheet(const QString &path);
    bool OpenSheet(const QString &path);
    bool SaveSheet();
    bool ConfirmDiscard();
    // `again` false (undo and redo): the settings are left alone when they
    // were last given the same file and rule; the caption is set either way.
    void RememberLastFile(bool again = true);
    void OpenLastFile(const QStringList &arguments);

    void NewExecute();
    void OpenFileExecute();
    // A sheet of the recent list, opened as OpenFileExecute opens one. One
    // that is gone, or is no file, leaves the list; the answer then says so.
    QString OpenRecentExecute(const QString &path);

    // The file as another program may have left it: a sheet without
    // unsaved changes takes it again by itself; one with them asks first.
    // Called when the file is seen to change and when the window gets the
    // focus back.
    void DiskChanged();
    // Before the file is written: true to write; false when another
    // program changed it and the user takes that change instead.
    bool MayWriteSheet();
    // The file taken again, as one step of the undo history, the rule
    // selected before selected again by its selector.
    bool TakeFileFromDisk();
    RecentSheets &recent() { return m_recent; }
    void SaveExecute();
    void SaveAsExecute();

    // Hooks for the parts that build on the files.
    std::function<void()> resetPanels;       // the panels go to their empty state
    std::function<void()> goToBasePage;      // the preview follows the sheet's base page
    std::function<void()> saveHtmlDocument;  // Save while the HTML editor has the focus
    std::function<void()> sheetReadFromDisk; // the disk view follows a load
    std::function<void()> sheetReplaced;     // a new or loaded sheet is in place
    std::function<void(const QString &)> tellStatus; // a word in the status bar
    std::function<void()> sheetTaken;        // the file was taken again after another program changed it
    // Around taking the file again: the window keeps where its views stood.
    std::function<void()> takingFile;
    std::function<void()> fileTaken;

private:
    void fail(const QString &message);
    // The file's bytes, once its recovery copy holds them; nothing (and
    // the reason said) when either fails.
    std::optional<QByteArray> readGuarded(const QString &path);
    // The bytes as the sheet's text, in the encoding they read in.
    void putFileBytes(const QByteArray &bytes);
    // The user keeps their version over another program's change.
    void keepOwnVersion();
    void setCaptionFor(const QString &name);

    SheetStore &m_store;
    EditorHost &m_host;
    Questioner &m_questioner;
    bool m_discardedChanges = false;
    bool m_toldRemoved = false;
    // The file and rule last remembered.
    std::optional<std::pair<QString, QString>> m_remembered;
    bool m_asking = false;
    RecentSheets m_recent;
};
