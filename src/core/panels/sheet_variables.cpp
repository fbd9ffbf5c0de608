#include "core/panels/sheet_variables.h"

#include "core/panels/declaration_list.h"
#include "core/sheet/sheet_store.h"

#include <QSet>

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
    const std::optional<Definition> found = definition(name);
    return found ? std::optional<QByteArray>(found->value) : std::nullopt;
}

std::optional<SheetVariables::Definition> SheetVariables::definition(const QByteArray &name)
{
    refresh();
    for (const QHash<QByteArray, Definition> *map : {&m_global, &m_anywhere, &m_conditional}) {
        if (const auto it = map->constFind(name); it != map->constEnd()) {
            Definition found = *it;
            found.allRows = m_rulesGiving.value(name);
            found.rules = int(found.allRows.size());
            return found;
        }
    }
    return std::nullopt;
}

void SheetVariables::refresh()
{
    if (!m_dirty)
        return;
    m_dirty = false;
    const StyleTable &table = m_store.table();
    bool changed = m_rules.size() != size_t(std::max(0, table.count));
    m_rules.resize(size_t(std::max(0, table.count)));
    for (int i = 0; i < table.count; ++i) {
        Rule &rule = m_rules[size_t(i)];
        const ByteLines &body = table.body(i);
        const QByteArray context = m_store.list().context(i);
        if (rule.body.constData() == body.constData() && rule.body.size() == body.size()
            && rule.name == table.name(i) && rule.context == context)
            continue;
        QList<std::pair<QByteArray, QByteArray>> definitions;
        // Most rules define none: a cheap look first.
        bool any = false;
        for (const QByteArray &line : body)
            any = any || line.contains("--");
        if (any) {
            for (const Declaration &d : declarationsOf(joinLines(body))) {
                if (d.isCustom())
                    definitions.append({d.name, d.value});
            }
        }
        changed = changed || definitions != rule.definitions
                  || (!definitions.isEmpty() && (rule.name != table.name(i) || rule.context != context));
        rule = {body, table.name(i), context, std::move(definitions)};
    }
    if (changed)
        gather();
}

void SheetVariables::gather()
{
    m_global.clear();
    m_anywhere.clear();
    m_conditional.clear();
    m_rulesGiving.clear();
    for (size_t i = 0; i < m_rules.size(); ++i) {
        const Rule &rule = m_rules[i];
        if (rule.definitions.isEmpty())
            continue;
        const bool conditional = rule.context.contains("@media") || rule.context.contains("@container");
        QHash<QByteArray, Definition> &target =
            conditional ? m_conditional : reachesEveryRule(rule.name) ? m_global : m_anywhere;
        QSet<QByteArray> counted;
        for (const auto &[name, value] : rule.definitions) {
            target.insert(name, {value, int(i), 0, {}});
            if (!counted.contains(name)) {
                counted.insert(name);
                m_rulesGiving[name].append(int(i));
            }
        }
    }
}
