#include "core/preview/preview_refresh.h"

#include "core/preview/browser_host.h"
#include "core/preview/page_scripts.h"
#include "core/host/questioner.h"
#include "core/sheet/sheet_file_io.h"
#include "core/sheet/sheet_store.h"

#include <QFileInfo>

PreviewRefresh::PreviewRefresh(SheetStore &store, Questioner &questioner)
    : m_store(store)
    , m_questioner(questioner)
{
}

bool PreviewRefresh::writeSheetFile(QByteArray *written)
{
    const int current = m_store.currentStyleIndex();
    if (current >= 0 && current < m_store.styleCount())
        m_store.table().rules.bodies[current] = m_store.memo().lines();
    m_store.RegenerateSheet();
    const QString path = m_store.currentFileName();
    if (fileExists(path)) {
        if (mayWrite && !mayWrite())
            return false;
        QString error;
        const QByteArray bytes = m_store.fileText();
        if (!writeTextFile(path, bytes, &error)) {
            m_questioner.tell(error, QStringLiteral("Quillbox"), Questioner::Icon::Error);
            return false;
        }
        m_store.fileWatch().remember(path, bytes);
        if (written)
            *written = bytes;
    }
    return true;
}

void PreviewRefresh::RefreshViewExecute()
{
    if (!writeSheetFile())
        return;
    // The page is only reloaded while it is shown; turning to it refreshes.
    if (m_browser && m_browser->browserPageShown() && !m_browser->locationText().isEmpty())
        m_browser->reload();
}

void PreviewRefresh::reloadPage()
{
    if (m_browser && m_browser->browserPageShown() && !m_browser->locationText().isEmpty())
        m_browser->reload();
}

void PreviewRefresh::refreshAfterChange()
{
    QByteArray written;
    if (!writeSheetFile(&written))
        return;
    if (!m_browser || !m_browser->browserPageShown() || m_browser->locationText().isEmpty())
        return;
    const QString path = m_store.currentFileName();
    if (!fileExists(path)) {
        m_browser->reload();
        return;
    }
    m_browser->runPageScript(page_scripts::swapSheet(QFileInfo(path).absoluteFilePath()),
                             [this](const QVariant &swapped) {
                                 if (!swapped.toBool() && m_browser)
                                     m_browser->reload();
                             });
    m_browser->sheetWritten(QFileInfo(path).absoluteFilePath(), written);
}
