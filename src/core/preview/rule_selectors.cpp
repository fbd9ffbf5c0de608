#include "core/preview/rule_selectors.h"

#include "core/css/css_tokenizer.h"
#include "core/preview/sheet_lowering.h"
#include "core/sheet/sheet_store.h"
#include "core/sheet/style_table.h"

namespace {

QByteArray selectorIn(const QByteArray &name, const QByteArray &outer)
{
    if (name.startsWith('@'))
        return outer.isEmpty() ? name : outer;
    return resolveNestedSelector(name, outer);
}

// "(.card) to (.limit)": the root's selector and the limit's.
QStringList scopeOf(const QString &prelude)
{
    const QByteArray text = prelude.toUtf8();
    QStringList out{QString(), QString()};
    int part = -1;
    int depth = 0;
    qsizetype from = 0;
    for (const CssToken &t : cssTokens(text)) {
        if (t.type == CssToken::OpenParen || t.type == CssToken::Function) {
            if (depth++ == 0) {
                ++part;
                from = t.to;
            }
        } else if (t.type == CssToken::CloseParen && depth > 0 && --depth == 0 && part >= 0 && part < 2) {
            out[part] = QString::fromUtf8(text.mid(from, t.from - from)).trimmed();
        }
    }
    return out;
}

} // namespace

QByteArray ruleSelector(const StyleTable &table, int row)
{
    if (row < 0 || row >= table.count)
        return {};
    // The groups around the rule, innermost first, and the rules that own
    // them: they stand before it.
    std::vector<int> chain;
    for (int g = table.group(row); g >= 0 && size_t(g) < table.groupBlocks.size(); g = table.groupBlocks[size_t(g)].parent)
        chain.push_back(g);
    std::vector<int> owner(chain.size(), -1);
    for (int p = row - 1; p >= 0; --p) {
        if (table.opens[p] < 0)
            continue;
        for (size_t k = 0; k < chain.size(); ++k) {
            if (chain[k] == table.opens[p])
                owner[k] = p;
        }
    }
    QByteArray outer;
    for (size_t k = chain.size(); k-- > 0;) {
        if (table.groupBlocks[size_t(chain[k])].style && owner[k] >= 0)
            outer = resolveNestedSelector(table.name(owner[k]), outer);
    }
    return selectorIn(table.name(row), outer);
}

std::vector<QByteArray> ruleSelectors(const StyleTable &table)
{
    const size_t groups = table.groupBlocks.size();
    std::vector<int> owner(groups, -1);
    for (int i = 0; i < table.count; ++i) {
        if (table.opens[i] >= 0 && size_t(table.opens[i]) < groups)
            owner[size_t(table.opens[i])] = i;
    }
    // What each group's rules are nested in. A group opens after its
    // parent, so the parent's is known first.
    std::vector<QByteArray> within(groups);
    for (size_t g = 0; g < groups; ++g) {
        const GroupBlock &block = table.groupBlocks[g];
        const QByteArray outer = block.parent >= 0 ? within[size_t(block.parent)] : QByteArray();
        within[g] = block.style && owner[g] >= 0 ? resolveNestedSelector(table.name(owner[g]), outer) : outer;
    }
    std::vector<QByteArray> out(size_t(table.count));
    for (int i = 0; i < table.count; ++i) {
        const int group = table.group(i);
        out[size_t(i)] = selectorIn(table.name(i), group >= 0 && size_t(group) < groups ? within[size_t(group)] : QByteArray());
    }
    return out;
}

RuleConditions ruleConditions(const SheetStore &store, int row)
{
    RuleConditions out;
    // A conditional rule nested in a style rule is a row of its own.
    const QByteArray &name = store.list().item(row);
    const QString context = store.codec().decode(store.list().context(row) + (name.startsWith('@') ? name : QByteArray()));
    const auto isAt = [](const QString &prelude, const QString &keyword) {
        return prelude.startsWith(keyword, Qt::CaseInsensitive)
               && (prelude.size() == keyword.size()
                   || (!prelude[keyword.size()].isLetterOrNumber() && prelude[keyword.size()] != QLatin1Char('-')));
    };
    for (const QString &part : context.split(QStringLiteral(" \u203A "), Qt::SkipEmptyParts)) {
        const QString prelude = part.trimmed();
        for (const auto &[keyword, into] : {std::pair{QStringLiteral("@media"), &out.media},
                                            std::pair{QStringLiteral("@supports"), &out.supports},
                                            std::pair{QStringLiteral("@container"), &out.containers}}) {
            if (isAt(prelude, keyword) && prelude.size() > keyword.size())
                into->append(prelude.mid(keyword.size()).trimmed());
        }
        if (isAt(prelude, QStringLiteral("@starting-style")))
            out.startingStyle = true;
        if (isAt(prelude, QStringLiteral("@scope")))
            out.scopes.append(scopeOf(prelude.mid(6)));
    }
    return out;
}

bool isBasePageRule(const QByteArray &name)
{
    return name.trimmed().toUpper() == "LINK_HTML";
}
