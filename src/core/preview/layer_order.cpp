#include "core/preview/layer_order.h"

#include "core/css/css_tokenizer.h"
#include "core/sheet/sheet_store.h"

#include <limits>
#include <optional>
#include <map>

namespace {

constexpr int kOwnRules = std::numeric_limits<int>::max();

// The tokens that are neither blanks nor comments.
QList<CssToken> significant(QByteArrayView text)
{
    QList<CssToken> out;
    for (const CssToken &t : cssTokens(text)) {
        if (t.type != CssToken::Whitespace && t.type != CssToken::Comment)
            out.append(t);
    }
    return out;
}

QString nameText(QByteArrayView text, const QList<CssToken> &tokens, qsizetype from, qsizetype to)
{
    QString name;
    for (qsizetype k = from; k < to; ++k)
        name += QString::fromUtf8(tokens[k].type == CssToken::Ident ? cssTokenName(text, tokens[k])
                                                                     : tokens[k].text(text).toByteArray());
    return name;
}

// Whether the block opened at `open` holds another block.
bool holdsABlock(const QList<CssToken> &tokens, qsizetype open)
{
    int depth = 0;
    for (qsizetype k = open; k < tokens.size(); ++k) {
        if (tokens[k].type == CssToken::OpenCurly) {
            if (++depth > 1)
                return true;
        } else if (tokens[k].type == CssToken::CloseCurly && --depth == 0) {
            return false;
        }
    }
    return false;
}

// The @import whose keyword stands at `at`, its prelude ending at `end`.
std::optional<SheetImport> importAt(QByteArrayView text, const QList<CssToken> &tokens, qsizetype at, qsizetype end,
                                    const QString &tag)
{
    SheetImport out;
    qsizetype p = at + 1;
    if (p >= end)
        return std::nullopt;
    if (tokens[p].type == CssToken::String || tokens[p].type == CssToken::Url) {
        out.address = QString::fromUtf8(cssTokenName(text, tokens[p]));
        ++p;
    } else if (tokens[p].type == CssToken::Function && cssTokenName(text, tokens[p]).toLower() == "url") {
        if (p + 1 < end && tokens[p + 1].type == CssToken::String)
            out.address = QString::fromUtf8(cssTokenName(text, tokens[p + 1]));
        while (p < end && tokens[p].type != CssToken::CloseParen)
            ++p;
        ++p;
    } else {
        return std::nullopt;
    }
    if (p < end && tokens[p].type == CssToken::Ident && cssTokenName(text, tokens[p]).toLower() == "layer") {
        out.layered = true;
        out.layer = {anonymousLayerName(tag + QStringLiteral("@import"), int(at))};
        ++p;
    } else if (p < end && tokens[p].type == CssToken::Function && cssTokenName(text, tokens[p]).toLower() == "layer") {
        qsizetype close = p + 1;
        while (close < end && tokens[close].type != CssToken::CloseParen)
            ++close;
        out.layered = true;
        out.layer = nameText(text, tokens, p + 1, close).split(QLatin1Char('.'));
        p = close + 1;
    }
    // supports() is left to the page; the rest is the media.
    if (p < end && tokens[p].type == CssToken::Function && cssTokenName(text, tokens[p]).toLower() == "supports") {
        int depth = 0;
        for (; p < end; ++p) {
            if (tokens[p].type == CssToken::Function || tokens[p].type == CssToken::OpenParen)
                ++depth;
            else if (tokens[p].type == CssToken::CloseParen && --depth == 0) {
                ++p;
                break;
            }
        }
    }
    if (p < end)
        out.media = QString::fromUtf8(text.sliced(tokens[p].from, tokens[end - 1].to - tokens[p].from).toByteArray()).trimmed();
    return out;
}

} // namespace

QList<SheetImport> sheetImports(QByteArrayView text, const QString &tag)
{
    QList<SheetImport> out;
    const QList<CssToken> tokens = significant(text);
    int depth = 0;
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const CssToken &t = tokens[k];
        if (t.type == CssToken::OpenCurly)
            ++depth;
        else if (t.type == CssToken::CloseCurly)
            depth = std::max(0, depth - 1);
        if (depth > 0 || t.type != CssToken::AtKeyword || cssTokenName(text, t).toLower() != "import")
            continue;
        qsizetype end = k + 1;
        while (end < tokens.size() && tokens[end].type != CssToken::Semicolon && tokens[end].type != CssToken::OpenCurly)
            ++end;
        if (const std::optional<SheetImport> import = importAt(text, tokens, k, end, tag))
            out.append(*import);
        k = end;
    }
    return out;
}

QString anonymousLayerName(const QString &tag, int k)
{
    return QStringLiteral("\u2205%1:%2").arg(tag).arg(k);
}

void LayerOrder::declare(const QStringList &path)
{
    QString joined;
    QList<int> rank;
    for (const QString &name : path) {
        const QString parent = joined;
        joined = joined.isEmpty() ? name : joined + QLatin1Char('.') + name;
        const auto known = m_ranks.constFind(joined);
        if (known != m_ranks.cend()) {
            rank = *known;
            continue;
        }
        rank.append(m_children[parent]++);
        m_ranks.insert(joined, rank);
    }
}

QList<int> LayerOrder::rank(const QStringList &path) const
{
    if (path.isEmpty())
        return {kOwnRules};
    QList<int> out = m_ranks.value(path.join(QLatin1Char('.')));
    if (out.isEmpty())
        out = {kOwnRules - 1}; // a layer the walk did not meet: after the others
    out.append(kOwnRules);
    return out;
}

void LayerOrder::addSheet(QByteArrayView text, const QStringList &within, const QString &tag)
{
    if (!within.isEmpty())
        declare(within);
    const QList<CssToken> tokens = significant(text);
    // The layer each open block stands in.
    QList<QStringList> blocks{within};
    int anonymous = 0;
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const CssToken &t = tokens[k];
        if (t.type == CssToken::OpenCurly) {
            blocks.append(blocks.last());
            continue;
        }
        if (t.type == CssToken::CloseCurly) {
            if (blocks.size() > 1)
                blocks.removeLast();
            continue;
        }
        if (t.type != CssToken::AtKeyword)
            continue;
        const QByteArray keyword = cssTokenName(text, t).toLower();
        if (keyword != "layer" && keyword != "import")
            continue;
        // The prelude: up to ";" or "{" outside brackets.
        qsizetype end = k + 1;
        int depth = 0;
        while (end < tokens.size()) {
            const CssToken::Type type = tokens[end].type;
            if (depth == 0 && (type == CssToken::Semicolon || type == CssToken::OpenCurly || type == CssToken::CloseCurly))
                break;
            if (type == CssToken::Function || type == CssToken::OpenParen)
                ++depth;
            else if (type == CssToken::CloseParen)
                --depth;
            ++end;
        }
        const bool block = end < tokens.size() && tokens[end].type == CssToken::OpenCurly;
        const QStringList here = blocks.last();
        if (keyword == "import") {
            if (const std::optional<SheetImport> import = importAt(text, tokens, k, end, tag); import && import->layered)
                declare(here + import->layer);
            k = end - 1;
            continue;
        }
        if (block) {
            const QString name = nameText(text, tokens, k + 1, end);
            QStringList path = here;
            if (name.isEmpty()) {
                // Numbered as the rule list finds them: blocks that hold one.
                path.append(holdsABlock(tokens, end) ? anonymousLayerName(tag, anonymous++)
                                                     : anonymousLayerName(tag + QStringLiteral("-"), int(end)));
            } else {
                path += name.split(QLatin1Char('.'));
            }
            declare(path);
            blocks.append(path);
            k = end;
            continue;
        }
        // A statement: the names in order.
        qsizetype from = k + 1;
        for (qsizetype p = k + 1; p <= end; ++p) {
            if (p == end || tokens[p].type == CssToken::Comma) {
                const QString name = nameText(text, tokens, from, p);
                if (!name.isEmpty())
                    declare(here + name.split(QLatin1Char('.')));
                from = p + 1;
            }
        }
        k = end;
    }
}

QStringList layerPathOf(const SheetStore &store, int row, const QString &tag)
{
    const StyleTable &table = store.table();
    if (row < 0 || row >= store.list().count() || size_t(row) >= table.groups.size())
        return {};
    const QString context = store.codec().decode(store.list().context(row));
    if (!context.contains(QLatin1String("@layer"), Qt::CaseInsensitive))
        return {};
    const QStringList segments = context.split(QStringLiteral(" \u203A "), Qt::SkipEmptyParts);
    // The groups around the rule, outermost first, to tell anonymous
    // layers apart.
    QList<int> chain;
    for (int g = table.groups[size_t(row)]; g >= 0 && size_t(g) < table.groupBlocks.size();
         g = table.groupBlocks[size_t(g)].parent)
        chain.prepend(g);
    // The anonymous layer blocks that hold a rule, in the order they open.
    std::map<int, int> anonymousOrder;
    const auto isAnonymous = [](const QString &segment) {
        return segment.trimmed().compare(QLatin1String("@layer"), Qt::CaseInsensitive) == 0;
    };
    if (std::any_of(segments.begin(), segments.end(), isAnonymous)) {
        for (int r = 0; r < store.list().count() && size_t(r) < table.groups.size(); ++r) {
            const QStringList theirs = store.codec().decode(store.list().context(r)).split(QStringLiteral(" \u203A "), Qt::SkipEmptyParts);
            QList<int> groups;
            for (int g = table.groups[size_t(r)]; g >= 0 && size_t(g) < table.groupBlocks.size();
                 g = table.groupBlocks[size_t(g)].parent)
                groups.prepend(g);
            if (groups.size() != theirs.size())
                continue;
            for (qsizetype i = 0; i < theirs.size(); ++i) {
                if (isAnonymous(theirs[i]))
                    anonymousOrder.emplace(groups[i], 0);
            }
        }
        int k = 0;
        for (auto &[group, order] : anonymousOrder)
            order = k++;
    }
    QStringList path;
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const QString prelude = segments[i].trimmed();
        if (!prelude.startsWith(QLatin1String("@layer"), Qt::CaseInsensitive))
            continue;
        const QString name = prelude.mid(6).trimmed();
        if (!name.isEmpty() && !prelude[6].isSpace())
            continue; // "@layered" is no layer
        if (name.isEmpty()) {
            const auto at = chain.size() == segments.size() ? anonymousOrder.find(chain[i]) : anonymousOrder.end();
            path.append(anonymousLayerName(tag, at != anonymousOrder.end() ? at->second : int(i)));
        } else {
            for (const QString &part : name.split(QLatin1Char('.')))
                path.append(part.trimmed());
        }
    }
    return path;
}
