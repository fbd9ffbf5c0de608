#include "core/preview/base_page.h"

#include "core/preview/browser_host.h"
#include "core/sheet/byte_lines.h"
#include "core/preview/page_address.h"
#include "core/host/questioner.h"
#include "core/sheet/opening_statements.h"
#include "core/sheet/sheet_store.h"

#include <QFileInfo>

namespace {

const QByteArray kMarker = QByteArrayLiteral("LINK_HTML=");

} // namespace

QStringList baseAddresses(const QList<QByteArray> &sheetLines, const SheetCodec &codec)
{
    QStringList addresses;
    for (const QByteArray &line : sheetLines) {
        const qsizetype at = line.indexOf(kMarker);
        if (at < 0)
            continue;
        // The address ends at the rule's "}" where the rule stands on one
        // line ("LINK_HTML{LINK_HTML=index.html;} Body {"), and before the
        // last ";" there: a path may hold one of its own.
        QByteArray address = line.mid(at + kMarker.size());
        const qsizetype close = address.indexOf('}');
        if (close >= 0)
            address.truncate(close);
        const qsizetype end = address.lastIndexOf(';');
        if (end >= 0)
            address.truncate(end);
        addresses.append(codec.decode(address.trimmed()));
    }
    return addresses;
}

PreviewNavigation::PreviewNavigation(SheetStore &store, Questioner &questioner)
    : m_store(store)
    , m_questioner(questioner)
{
}

void PreviewNavigation::SaveHomePageExecute()
{
    if (!m_browser)
        return;
    if (m_questioner.ask(QStringLiteral("Сохранить путь к HTML в CSS?"), QStringLiteral("LINK_HTML"),
                         Questioner::Yes | Questioner::No, Questioner::Icon::Exclamation)
        != Questioner::Yes)
        return;
    const QByteArray address =
        m_store.codec().encode(pageAddressForSheet(m_browser->locationText(), m_store.currentFileName()));
    int match = -1;
    for (int i = 0; i < m_store.list().count(); ++i) {
        if (latinUpper(m_store.list().item(i)) == "LINK_HTML")
            match = i;
    }
    if (match < 0) {
        m_store.RegenerateSheet();
        // The rule goes in front of the sheet, on the old first line; after
        // the statements that only count at the head of a sheet, on a line
        // of its own.
        ByteLines lines = m_store.sheetLines();
        const QByteArray rule = "LINK_HTML{LINK_HTML=" + address + ";}";
        const SheetPos at = afterOpeningStatements(lines);
        if (lines.isEmpty()) {
            lines.append(rule + ' ');
        } else if (at == SheetPos{}) {
            lines.first().prepend(rule + ' ');
        } else {
            QByteArray rest = lines[at.line].mid(at.column);
            lines[at.line].truncate(at.column);
            while (!rest.isEmpty() && (rest.front() == ' ' || rest.front() == '\t'))
                rest.remove(0, 1);
            lines.insert(at.line + 1, rest.isEmpty() ? rule : rule + ' ' + rest);
        }
        m_store.setSheetLines(lines);
        m_store.RebuildStyleTable();
        m_store.selectAfterRebuild(0);
    } else {
        m_store.list().setSelected(match);
        m_store.SelectStyle();
        m_store.memo().setLines({kMarker + address});
    }
    m_store.RegenerateSheet();
    m_store.setSheetModified(true);
}

void PreviewNavigation::GoNavigatorToLINK_HTMLExecute()
{
    if (m_browser)
        m_browser->showBrowserPage();
    m_store.RegenerateSheet();
    const QStringList addresses = baseAddresses(m_store.sheetLines(), m_store.codec());
    for (const QString &named : addresses) {
        // A page named relative to the sheet is shown and remembered by
        // where it lies.
        const QUrl url = addressToUrl(named, m_store.currentFileName());
        const QString address = url.isLocalFile() ? url.toLocalFile() : named;
        m_store.setHomePageAddress(address);
        if (m_browser) {
            m_browser->setLocationText(address);
            m_browser->navigate(address);
        }
    }
    if (addresses.isEmpty() && !m_silentFirstBaseJump)
        m_questioner.tell(QStringLiteral("В текущем стиле не объявлена его базовая страница (LINK_HTML)"));
    m_silentFirstBaseJump = false;
}

bool PreviewNavigation::OpenHomePageExecute()
{
    if (!m_browser)
        return false;
    const QString file = m_store.currentFileName();
    const std::optional<QString> page =
        m_browser->chooseHtmlToOpen(file.isEmpty() ? QString() : QFileInfo(file).absolutePath());
    if (!page)
        return false;
    m_browser->setLocationText(*page);
    m_browser->navigate(*page);
    m_browser->showBrowserPage();
    return true;
}

void PreviewNavigation::LocationViewKeyPress()
{
    if (m_browser)
        m_browser->navigate(m_browser->locationText());
}

void PreviewNavigation::PreBrowserDownloadComplete(const QString &address)
{
    rememberAddress(m_history, address);
    if (m_browser) {
        m_browser->setLocationHistory(m_history);
        m_browser->setLocationText(address);
    }
}
