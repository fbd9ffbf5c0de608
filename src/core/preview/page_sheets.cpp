#include "core/preview/page_sheets.h"

#include "core/preview/browser_host.h"
#include "core/preview/element_rules.h"
#include "core/preview/page_scripts.h"
#include "core/sheet/byte_lines.h"
#include "core/sheet/sheet_encoding.h"
#include "core/sheet/sheet_store.h"

#include <QFile>
#include <QFileInfo>

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

// The layers a sheet names, in the order it first names them, by a
// statement ("@layer base, theme;") or by a block.
QStringList layersOf(const SheetStore &store)
{
    QStringList layers;
    const QByteArray text = store.sheetText();
    const QByteArray upper = latinUpper(text);
    for (qsizetype at = upper.indexOf("@LAYER"); at >= 0; at = upper.indexOf("@LAYER", at + 6)) {
        qsizetype end = at + 6;
        while (end < text.size() && text[end] != '{' && text[end] != ';' && text[end] != '}')
            ++end;
        for (const QByteArray &name : text.mid(at + 6, end - at - 6).split(',')) {
            const QString layer = store.codec().decode(name.trimmed());
            if (!layer.isEmpty() && !layers.contains(layer))
                layers.append(layer);
        }
    }
    return layers;
}

// The layer a rule stands in, from its context in the list: the innermost
// "@layer name" block, dotted after those around it; nothing outside one.
QString layerName(const SheetStore &store, int row)
{
    const QString context = store.codec().decode(store.list().context(row));
    QString layer;
    for (const QString &part : context.split(QStringLiteral(" \u203A "), Qt::SkipEmptyParts)) {
        const QString prelude = part.trimmed();
        if (prelude.startsWith(QLatin1String("@layer"), Qt::CaseInsensitive))
            layer = layer.isEmpty() ? prelude.mid(6).trimmed() : layer + QLatin1Char('.') + prelude.mid(6).trimmed();
    }
    return layer;
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
    for (const QVariant &item : answer) {
        const QVariantList fields = item.toList();
        const QString kind = fields.value(0).toString();
        Sheet sheet;
        sheet.order = order;
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
                if (editedOrder < 0)
                    editedOrder = order++;
                continue;
            }
            if (std::any_of(sheets.begin(), sheets.end(), [&](const Sheet &s) { return s.path == path; }))
                continue;
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
            } else {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly))
                    continue;
                sheet.store = storeOf(file.readAll());
            }
        }
        ++order;
        sheets.push_back(std::move(sheet));
    }
    const bool same = editedOrder == m_editedOrder && sheets.size() == m_sheets.size()
                      && std::equal(sheets.begin(), sheets.end(), m_sheets.begin(), [](const Sheet &a, const Sheet &b) {
                             return a.store == b.store && a.order == b.order;
                         });
    m_sheets = std::move(sheets);
    m_editedOrder = editedOrder < 0 ? order : editedOrder;
    if (!same)
        emit changed();
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

QStringList PageSheets::layers() const
{
    // Sheets in the page's order, the edited one in its place.
    std::vector<std::pair<int, const SheetStore *>> inOrder{{m_editedOrder, &m_edited}};
    for (const Sheet &sheet : m_sheets)
        inOrder.emplace_back(sheet.order, sheet.store.get());
    std::stable_sort(inOrder.begin(), inOrder.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList all;
    for (const auto &[order, sheet] : inOrder) {
        for (const QString &layer : layersOf(*sheet)) {
            if (!all.contains(layer))
                all.append(layer);
        }
    }
    return all;
}

QString PageSheets::layerName(int sheet, int row) const
{
    const SheetStore *in = store(sheet);
    return in ? ::layerName(*in, row) : QString();
}
