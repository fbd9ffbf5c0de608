#include "core/panels/sheet_variables.h"

#include "core/panels/declaration_list.h"
#include "core/sheet/sheet_store.h"

namespace {

// Whether one of the selectors of a list is the document's root or every
// element: what they define reaches every rule.
bool reachesEveryRule(const QByteArray &selectorList)
{
    for (const QByteArray &selector : selectorList.split(',')) {
        const QByteArray s = latinUpper(selector.trimmed());
        if (s == ":ROOT" || s == "HTML" || s == ":HOST" || s == "*")
            return true;
    }
    return false;
}

} // namespace

SheetVariables::SheetVariables(const SheetStore &store)
    : m_store(store)
{
}

std::optional<QByteArray> SheetVariables::value(const QByteArray &name)
{
    if (!m_built)
        build();
    for (const QHash<QByteArray, QByteArray> *map : {&m_global, &m_anywhere, &m_conditional}) {
        if (const auto it = map->constFind(name); it != map->constEnd())
            return *it;
    }
    return std::nullopt;
}

void SheetVariables::build()
{
    m_global.clear();
    m_anywhere.clear();
    m_conditional.clear();
    const StyleTable &table = m_store.table();
    for (int i = 0; i < table.count; ++i) {
        const ByteLines &body = table.body(i);
        // Most rules define none: a cheap look first.
        bool any = false;
        for (const QByteArray &line : body)
            any = any || line.contains("--");
        if (!any)
            continue;
        const QByteArray context = m_store.list().context(i);
        const bool conditional = context.contains("@media") || context.contains("@container");
        QHash<QByteArray, QByteArray> &target =
            conditional ? m_conditional : reachesEveryRule(table.name(i)) ? m_global : m_anywhere;
        for (const Declaration &d : declarationsOf(joinLines(body))) {
            if (d.isCustom())
                target.insert(d.name, d.value);
        }
    }
    m_built = true;
}
