#pragma once

#include "core/sheet/sheet_encoding.h"

#include <QString>
#include <QStringList>

class BrowserHost;
class Questioner;
class SheetStore;

// The preview's page: the sheet's base page rule LINK_HTML, opening a page,
// the address box and what the browser reports back.
class PreviewNavigation
{
public:
    PreviewNavigation(SheetStore &store, Questioner &questioner);

    // The browser joins once the window has built it.
    void setBrowser(BrowserHost *browser) { m_browser = browser; }

    // Stores the page shown as the sheet's base page.
    void SaveHomePageExecute();
    // Shows the sheet's base page; silent the first time in a run.
    void GoNavigatorToLINK_HTMLExecute();
    // The next jump to a sheet's base page that finds none leaves the page
    // shown as it is, without a word: a sheet opened from that page.
    void keepPageIfNoBase() { m_silentFirstBaseJump = true; }
    // Opens an HTML page in the preview; returns false when cancelled.
    bool OpenHomePageExecute();
    // Enter in the address box, or an address picked from its list.
    void LocationViewKeyPress();
    void LocationViewSelect() { LocationViewKeyPress(); }
    // A page finished loading under this address.
    void PreBrowserDownloadComplete(const QString &address);

    const QStringList &history() const { return m_history; }

private:
    SheetStore &m_store;
    Questioner &m_questioner;
    BrowserHost *m_browser = nullptr;
    QStringList m_history;
    bool m_silentFirstBaseJump = true;
};

// The addresses the sheet names as its base page, one for each line that
// holds "LINK_HTML=", in order.
QStringList baseAddresses(const QList<QByteArray> &sheetLines, const SheetCodec &codec = SheetCodec());
