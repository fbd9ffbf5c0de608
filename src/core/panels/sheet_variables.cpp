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
    const size_t count = size_t(std::max(0, table.count));
    // Rules added, removed or moved: everything is gathered anew.
    bool whole = m_rules.size() != count;
    m_rules.resize(count);
    QSet<QByteArray> touched; // names whose giving rules changed
    QList<int> changedRules;
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
        const bool placeChanged = rule.name != table.name(i) || rule.context != context;
        if (definitions != rule.definitions || (placeChanged && !definitions.isEmpty())) {
            for (const auto &[name, value] : rule.definitions)
                touched.insert(name);
            for (const auto &[name, value] : definitions)
                touched.insert(name);
            changedRules.append(i);
        }
        rule = {body, table.name(i), context, std::move(definitions)};
    }
    // A panel click changes one rule: only its names are worked out again.
    if (whole || changedRules.size() > 16)
        gather();
    else if (!touched.isEmpty())
        regather(touched);
}

void SheetVariables::regather(const QSet<QByteArray> &names)
{
    for (const QByteArray &name : names) {
        m_global.remove(name);
        m_anywhere.remove(name);
        m_conditional.remove(name);
        QList<int> &giving = m_rulesGiving[name];
        giving.clear();
        for (size_t i = 0; i < m_rules.size(); ++i) {
            const Rule &rule = m_rules[i];
            bool gives = false;
            for (const auto &[given, value] : rule.definitions) {
                if (given == name) {
                    gives = true;
                    targetFor(rule).insert(name, {value, int(i), 0, {}});
                }
            }
            if (gives)
                giving.append(int(i));
        }
        if (giving.isEmpty())
            m_rulesGiving.remove(name);
    }
}

QHash<QByteArray, SheetVariables::Definition> &SheetVariables::targetFor(const Rule &rule)
{
    const bool conditional = rule.context.contains("@media") || rule.context.contains("@container");
    return conditional ? m_conditional : reachesEveryRule(rule.name) ? m_global : m_anywhere;
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
        QHash<QByteArray, Definition> &target = targetFor(rule);
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
