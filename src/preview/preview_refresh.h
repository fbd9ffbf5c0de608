#pragma once

#include <functional>

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

    // Reloads the page when the browser page is the one shown.
    std::function<void()> reloadBrowser;

private:
    SheetStore &m_store;
    Questioner &m_questioner;
};
