#include "core/preview/preview_refresh.h"

#include "core/preview/browser_host.h"
#include "core/preview/forced_states.h"
#include "core/preview/page_scripts.h"
#include "core/preview/page_sheets.h"
#include "core/preview/sheet_lowering.h"
#include "core/host/questioner.h"
#include "core/sheet/sheet_file_io.h"
#include "core/sheet/sheet_store.h"

#include "core/sheet/sheet_file_watch.h"

#include <QFileInfo>
#include <QUrl>

#include <utility>

PreviewRefresh::PreviewRefresh(SheetStore &store, Questioner &questioner)
    : m_store(store)
    , m_questioner(questioner)
{
}

PreviewRefresh::Written PreviewRefresh::writeSheetFile(QByteArray *written)
{
    const QByteArray sent = std::exchange(m_sent, QByteArray());
    const int current = m_store.currentStyleIndex();
    if (current >= 0 && current < m_store.styleCount())
        m_store.table().rules.bodies[current] = m_store.memo().lines();
    m_store.RegenerateSheet();
    const QString path = m_store.currentFileName();
    if (!fileExists(path))
        return Written::NoFile;
    if (mayWrite && !mayWrite())
        return Written::Failed;
    const QByteArray bytes = m_store.fileText();
    if (!sent.isNull() && bytes == sent)
        return Written::AlreadySent;
    QString error;
    if (!writeTextFile(path, bytes, &error)) {
        m_questioner.tell(error, QStringLiteral("Quillbox"), Questioner::Icon::Error);
        return Written::Failed;
    }
    m_store.fileWatch().remember(path, bytes);
    if (written)
        *written = bytes;
    return Written::Wrote;
}

void PreviewRefresh::RefreshViewExecute()
{
    if (writeSheetFile() == Written::Failed)
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
    const Written result = writeSheetFile(&written);
    if (result == Written::Failed || result == Written::AlreadySent)
        return;
    if (!m_browser || !m_browser->browserPageShown() || m_browser->locationText().isEmpty())
        return;
    if (result == Written::NoFile) {
        m_browser->reload();
        return;
    }
    swapIn(m_store.currentFileName(), written);
}

void PreviewRefresh::showRestoredSheet()
{
    m_sent.clear();
    if (!m_browser || !m_browser->browserPageShown() || m_browser->locationText().isEmpty())
        return;
    const QString path = m_store.currentFileName();
    // A file another program changed is asked about by the refresh after.
    if (!fileExists(path) || m_store.fileWatch().check() == SheetFileWatch::State::Changed)
        return;
    const QByteArray bytes = m_store.fileText();
    QString error;
    if (!writeTextFile(path, bytes, &error))
        return; // the refresh after writes again, and says why it cannot
    m_store.fileWatch().remember(path, bytes);
    swapIn(path, bytes);
    m_sent = bytes;
}

void PreviewRefresh::giveServedPage()
{
    if (!m_browser || !m_sheets || !m_sheets->served() || m_store.currentFileName().isEmpty())
        return;
    swapIn(m_store.currentFileName(), m_store.fileText());
}

void PreviewRefresh::markServedSheets()
{
    if (!m_browser || !m_sheets || !m_sheets->served())
        return;
    for (const PageSheets::Sheet &sheet : m_sheets->sheets()) {
        if (sheet.href.isEmpty() || !sheet.store)
            continue;
        const QByteArray text = sheet.store->sheetText();
        const QByteArray marked = withStateMarkers(text);
        if (marked == text)
            continue;
        m_browser->runPageScript(page_scripts::replaceMarked(sheet.href, QString::fromUtf8(text), QString::fromUtf8(marked)), {});
    }
}

QByteArray PreviewRefresh::servedText(const QByteArray &bytes, const QString &href)
{
    return withStateMarkers(lowerForPreview(bytes, href.toUtf8()).text);
}

void PreviewRefresh::swapIn(const QString &path, const QByteArray &bytes)
{
    // A served page takes the text itself: its server serves the file as
    // it likes, and an address on the server is no file.
    if (m_sheets && m_sheets->served() && (!m_sheets->editedHref().isEmpty() || !m_sheets->editedDevId().isEmpty())) {
        const QString href = m_sheets->editedHref();
        const QByteArray text = servedText(bytes, href.isEmpty() ? QUrl::fromLocalFile(path).toString() : href);
        m_browser->runPageScript(page_scripts::replaceServed(href, m_sheets->editedDevId(), QString::fromUtf8(text)),
                                 [this](const QVariant &replaced) {
                                     if (!replaced.toBool() && m_browser)
                                         m_browser->reload();
                                 });
        m_browser->sheetWritten(QFileInfo(path).absoluteFilePath(), bytes);
        return;
    }
    m_browser->runPageScript(page_scripts::swapSheet(QFileInfo(path).absoluteFilePath()),
                             [this](const QVariant &swapped) {
                                 if (!swapped.toBool() && m_browser)
                                     m_browser->reload();
                             });
    m_browser->sheetWritten(QFileInfo(path).absoluteFilePath(), bytes);
}
