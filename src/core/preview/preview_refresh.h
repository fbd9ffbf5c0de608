#pragma once

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

    // The browser joins once the window has built it.
    void setBrowser(BrowserHost *browser) { m_browser = browser; }

private:
    BrowserHost *m_browser = nullptr;
    SheetStore &m_store;
    Questioner &m_questioner;
};
