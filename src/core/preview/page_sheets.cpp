#include "core/preview/page_sheets.h"

#include "core/preview/browser_host.h"
#include "core/preview/element_rules.h"
#include "core/preview/page_scripts.h"
#include "core/preview/served_sheets.h"
#include "core/sheet/byte_lines.h"
#include "core/sheet/sheet_encoding.h"
#include "core/sheet/sheet_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <functional>

namespace {

std::shared_ptr<SheetStore> storeOf(const QByteArray &bytes)
{
    auto store = std::make_shared<SheetStore>();
    ByteLines lines = splitText(bytes);
    const SheetEncoding encoding = detectSheetEncoding(lines);
    const bool bom = encoding == SheetEncoding::Utf8 && !lines.isEmpty() && lines.first().startsWith(kUtf8Bom);
    store->setEncoding(encoding, bom);
    if (bom)
        lines.first().remove(0, 3);
    store->setSheetLines(lines);
    store->RebuildStyleTable();
    return store;
}

QString absolute(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

// The local file an @import names, from the importing sheet's folder.
QString importedPath(const QString &address, const QString &importer)
{
    const QUrl url(address);
    if (url.isLocalFile())
        return absolute(url.toLocalFile());
    if (!url.scheme().isEmpty() || address.startsWith(QLatin1String("//")) || importer.isEmpty())
        return QString(); // remote: its rules cannot be read
    return absolute(QFileInfo(importer).dir().filePath(address));
}

// The tag that tells a sheet's anonymous layers from another's: its file,
// or the block's name.
QString tagOf(const QString &path, const QString &name)
{
    return path.isEmpty() ? name : path;
}

} // namespace

PageSheets::PageSheets(const SheetStore &edited)
    : m_edited(edited)
{
}

PageSheets::~PageSheets() = default;

void PageSheets::refresh()
{
    const int asked = ++m_asked;
    if (!m_browser)
        return;
    m_browser->runPageScript(page_scripts::sheets(), [this, asked](const QVariant &answer) {
        if (asked == m_asked)
            take(answer.toList());
    });
}

void PageSheets::forget()
{
    ++m_asked;
    if (m_sheets.empty())
        return;
    m_sheets.clear();
    m_editedOrder = 0;
    emit changed();
}

void PageSheets::take(const QVariantList &answer)
{
    const QString edited = m_edited.currentFileName().isEmpty() ? QString() : absolute(m_edited.currentFileName());
    std::vector<Sheet> sheets;
    int editedOrder = -1;
    int order = 0;
    int blocks = 0;
    // A local sheet read from its file, the same file unchanged keeping
    // its rules.
    auto readSheet = [&](const QString &path, Sheet &sheet) {
        const QFileInfo info(path);
        sheet.path = path;
        sheet.name = info.fileName();
        sheet.modified = info.lastModified();
        sheet.size = info.size();
        const auto same = std::find_if(m_sheets.begin(), m_sheets.end(), [&](const Sheet &s) {
            return s.path == path && s.modified == sheet.modified && s.size == sheet.size;
        });
        if (same != m_sheets.end()) {
            sheet.store = same->store;
            return true;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        sheet.store = storeOf(file.readAll());
        return true;
    };
    // What a sheet imports comes before it, in its order, each import's
    // own imports before it in turn.
    std::function<void(const QByteArray &, const QString &, const QStringList &, const QStringList &, const QString &, int)>
        addImports = [&](const QByteArray &text, const QString &importer, const QStringList &layer,
                         const QStringList &media, const QString &tag, int depth) {
            if (depth > 8)
                return;
            for (const SheetImport &import : sheetImports(text, tag)) {
                const QString path = importedPath(import.address, importer);
                if (path.isEmpty() || path == edited
                    || std::any_of(sheets.begin(), sheets.end(), [&](const Sheet &s) { return s.path == path; }))
                    continue;
                Sheet sheet;
                if (!readSheet(path, sheet))
                    continue;
                sheet.layer = layer + (import.layered ? import.layer : QStringList());
                sheet.media = media;
                if (!import.media.isEmpty())
                    sheet.media.append(import.media);
                addImports(sheet.store->sheetText(), path, sheet.layer, sheet.media, ::tagOf(path, {}), depth + 1);
                sheet.order = order++;
                sheets.push_back(std::move(sheet));
            }
        };
    // A served page: which of its sheets is the edited one. A site folder
    // set for the origin maps exactly; else the address that shares the
    // most of its last path parts with the file, at least its name; the
    // program's own copy, once given, is it.
    QUrl page;
    for (const QVariant &item : answer) {
        if (item.toList().value(0).toString() == QLatin1String("page"))
            page = QUrl(item.toList().value(1).toString());
    }
    const bool servedPage = isServedUrl(page);
    int best = -1;
    int bestWeight = 0;
    int ties = 0;
    if (!edited.isEmpty()) {
        for (qsizetype k = 0; k < answer.size(); ++k) {
            const QVariantList fields = answer[k].toList();
            const QString kind = fields.value(0).toString();
            int weight = 0;
            if (kind == QLatin1String("link") && fields.value(1).toString().isEmpty()) {
                const QUrl url(fields.value(2).toString());
                if (fields.value(4).toBool())
                    weight = 3000;
                else if (isServedUrl(url)) {
                    const QString folder = siteFolder ? siteFolder(originOf(url)) : QString();
                    weight = !folder.isEmpty() && absolute(fileInSiteFolder(folder, url)) == edited ? 2000
                                                                                                    : sharedTrailingParts(url, edited);
                }
            } else if (kind == QLatin1String("style") && !fields.value(2).toString().isEmpty()) {
                const QString id = fields.value(2).toString();
                weight = absolute(id) == edited || edited.endsWith(id) ? 2500 : 0;
            }
            if (weight > bestWeight) {
                best = int(k);
                bestWeight = weight;
                ties = 0;
            } else if (weight > 0 && weight == bestWeight) {
                ++ties;
            }
        }
    }
    QString editedHref, editedDevId;
    int leftOut = 0;
    for (qsizetype k = 0; k < answer.size(); ++k) {
        const QVariant &item = answer[k];
        const QVariantList fields = item.toList();
        const QString kind = fields.value(0).toString();
        if (kind == QLatin1String("page"))
            continue;
        if (int(k) == best) {
            if (kind == QLatin1String("style"))
                editedDevId = fields.value(2).toString();
            else
                editedHref = fields.value(2).toString();
            if (editedOrder < 0)
                editedOrder = order++;
            continue;
        }
        Sheet sheet;
        // A served sheet of the page's origin, read-only, as the page read it.
        if (kind == QLatin1String("link") && fields.value(1).toString().isEmpty()) {
            const QUrl url(fields.value(2).toString());
            if (fields.value(3).isNull() || fields.value(3).toString().isNull()) {
                ++leftOut;
                continue;
            }
            const QByteArray text = fields.value(3).toString().toUtf8();
            sheet.name = QFileInfo(url.path()).fileName();
            sheet.href = url.toString();
            const auto same = std::find_if(m_sheets.begin(), m_sheets.end(), [&](const Sheet &s) {
                return s.href == sheet.href && s.store->sheetText() == text;
            });
            sheet.store = same != m_sheets.end() ? same->store : storeOf(text);
            sheet.order = order++;
            sheets.push_back(std::move(sheet));
            continue;
        }
        if (kind == QLatin1String("style")) {
            ++blocks;
            sheet.name = blocks == 1 ? QStringLiteral("<style>") : QStringLiteral("<style %1>").arg(blocks);
            const QByteArray text = fields.value(1).toString().toUtf8();
            // The same block unchanged keeps its rules.
            const auto same = std::find_if(m_sheets.begin(), m_sheets.end(), [&](const Sheet &s) {
                return s.path.isEmpty() && s.name == sheet.name && s.store->sheetText() == text;
            });
            sheet.store = same != m_sheets.end() ? same->store : storeOf(text);
        } else {
            const QString raw = fields.value(1).toString();
            if (raw.isEmpty())
                continue; // remote: its rules cannot be read
            const QString path = absolute(raw);
            if (path == edited) {
                if (editedOrder < 0) {
                    addImports(m_edited.sheetText(), edited, {}, {}, ::tagOf(edited, QStringLiteral("e")), 0);
                    editedOrder = order++;
                }
                continue;
            }
            if (std::any_of(sheets.begin(), sheets.end(), [&](const Sheet &s) { return s.path == path; }))
                continue;
            if (!readSheet(path, sheet))
                continue;
            addImports(sheet.store->sheetText(), path, {}, {}, ::tagOf(path, {}), 0);
        }
        sheet.order = order++;
        sheets.push_back(std::move(sheet));
    }
    const bool same = editedOrder == m_editedOrder && sheets.size() == m_sheets.size()
                      && std::equal(sheets.begin(), sheets.end(), m_sheets.begin(), [](const Sheet &a, const Sheet &b) {
                             return a.store == b.store && a.order == b.order;
                         });
    m_sheets = std::move(sheets);
    m_editedOrder = editedOrder < 0 ? order : editedOrder;
    m_served = servedPage;
    m_leftOut = leftOut;
    const bool mapped = editedHref != m_editedHref || editedDevId != m_editedDevId;
    m_editedHref = editedHref;
    m_editedDevId = editedDevId;
    // Said once, each time what is found changes.
    QString said;
    if (servedPage && !edited.isEmpty() && best < 0) {
        said = QStringLiteral("Страница не подключает редактируемый лист");
    } else if (servedPage && best >= 0 && bestWeight < 3000) {
        const QString name = editedDevId.isEmpty() ? QUrl(editedHref).path() : editedDevId;
        said = QStringLiteral("Лист страницы %1 — файл %2").arg(name, QDir::toNativeSeparators(edited));
        if (ties > 0)
            said += QStringLiteral(" (из %1 листов с тем же именем взят первый)").arg(ties + 1);
    }
    if (!said.isEmpty() && said != m_told && tell)
        tell(said);
    if (!said.isEmpty())
        m_told = said;
    if (!same || mapped)
        emit changed();
    // The page has the server's copy (a new page, a reload, the dev
    // server's own hot reload): it gets the editor's text.
    if (servedPage && best >= 0 && bestWeight < 3000)
        emit editedMapped();
}

const SheetStore *PageSheets::store(int sheet) const
{
    if (sheet < 0)
        return &m_edited;
    return sheet < int(m_sheets.size()) ? m_sheets[size_t(sheet)].store.get() : nullptr;
}

int PageSheets::order(int sheet) const
{
    if (sheet < 0 || sheet >= int(m_sheets.size()))
        return m_editedOrder;
    return m_sheets[size_t(sheet)].order;
}

QString PageSheets::path(int sheet) const
{
    if (sheet < 0)
        return m_edited.currentFileName();
    return sheet < int(m_sheets.size()) ? m_sheets[size_t(sheet)].path : QString();
}

QString PageSheets::ruleName(int sheet, int row, bool withContext) const
{
    const SheetStore *in = store(sheet);
    if (!in || row < 0 || row >= in->list().count())
        return QString();
    QString name = in->codec().decode(in->list().item(row));
    if (withContext)
        name = in->codec().decode(in->list().context(row)) + name;
    if (sheet >= 0)
        name = m_sheets[size_t(sheet)].name + QStringLiteral(" \u203A ") + name;
    return name;
}

QString PageSheets::ruleName(const CascadeEntry &entry, bool withContext) const
{
    if (entry.inline_)
        return QStringLiteral("атрибут style");
    return ruleName(entry.sheet, entry.rule, withContext) + QLatin1Char(' ')
           + ElementRules::specificityText(entry.specificity);
}

LayerOrder PageSheets::layerOrder() const
{
    // Sheets in the page's order, the edited one in its place.
    std::vector<std::pair<int, int>> inOrder{{m_editedOrder, -1}};
    for (size_t k = 0; k < m_sheets.size(); ++k)
        inOrder.emplace_back(m_sheets[k].order, int(k));
    std::stable_sort(inOrder.begin(), inOrder.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    LayerOrder order;
    for (const auto &[place, sheet] : inOrder) {
        const SheetStore *in = store(sheet);
        order.addSheet(in->sheetText(), sheet < 0 ? QStringList() : m_sheets[size_t(sheet)].layer, tagOf(sheet));
    }
    return order;
}

QString PageSheets::tagOf(int sheet) const
{
    if (sheet < 0)
        return ::tagOf(m_edited.currentFileName().isEmpty() ? QString() : absolute(m_edited.currentFileName()),
                       QStringLiteral("e"));
    return ::tagOf(m_sheets[size_t(sheet)].path, m_sheets[size_t(sheet)].name);
}

QList<int> PageSheets::layerRank(const LayerOrder &order, int sheet, int row) const
{
    const SheetStore *in = store(sheet);
    if (!in)
        return order.rank({});
    const QStringList within = sheet < 0 ? QStringList() : m_sheets[size_t(sheet)].layer;
    return order.rank(within + layerPathOf(*in, row, tagOf(sheet)));
}
