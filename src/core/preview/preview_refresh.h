#pragma once

#include <QByteArray>

#include <QSet>

#include <functional>

class BrowserHost;
class Questioner;
class SheetStore;

// The preview shows the sheet through the page's own link to the sheet's
// file, so a refresh writes the current sheet over that file and then has
// the browser reload. The recovery copy keeps the last saved text.
class PreviewRefresh
{
public:
    PreviewRefresh(SheetStore &store, Questioner &questioner);

    void RefreshViewExecute();
    // A committed change with automatic refresh on: the file is written as
    // by RefreshViewExecute, and a page that links it takes the new sheet
    // in place, keeping its scroll position, form input and script state;
    // any other page is reloaded.
    void refreshAfterChange();
    // The page shown again as the file now is, nothing written: the file
    // was changed by another program and taken.
    void reloadPage();
    // Undo and redo have put back a text the program wrote: it is written
    // and sent to the page as it stands, before the rule table and the
    // panels are read from it again, so the page takes it meanwhile. The
    // refresh after them then finds the same bytes and sends nothing.
    void showRestoredSheet();
    // A served page whose sheet was just found to be the edited one gets
    // the editor's text in its place.
    void giveServedPage();
    // A served page's other sheets of its origin, given with their states
    // marked so that a state can be forced in them too, whenever the page's
    // sheets change.
    void markServedSheets();

    // Asked before the file is written: false when the user takes another
    // program's change to the file instead.
    std::function<bool()> mayWrite;

    // The browser joins once the window has built it.
    void setBrowser(BrowserHost *browser) { m_browser = browser; }
    // The page's sheets, which tell the served address of the edited one.
    void setPageSheets(const class PageSheets *sheets) { m_sheets = sheets; }

    // The text a served page gets for the edited sheet: lowered for the
    // page's engine, its addresses resolved against the served address,
    // and the states marked as in a local sheet.
    static QByteArray servedText(const QByteArray &bytes, const QString &href);

private:
    // Writes the sheet over its file; `written`, if given, gets the bytes
    // written. Failed has been said to the user.
    enum class Written { Failed, NoFile, Wrote, AlreadySent };
    Written writeSheetFile(QByteArray *written = nullptr);
    // Has the page take the sheet's file in place, or reload.
    void swapIn(const QString &path, const QByteArray &bytes);

    // What showRestoredSheet wrote and sent, until the next write.
    QByteArray m_sent;


    BrowserHost *m_browser = nullptr;
    const PageSheets *m_sheets = nullptr;
    SheetStore &m_store;
    Questioner &m_questioner;
};
