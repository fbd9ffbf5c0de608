#include "core/preview/element_cascade.h"

#include "core/preview/browser_host.h"
#include "core/preview/page_scripts.h"
#include "core/preview/sheet_lowering.h"
#include "core/sheet/byte_lines.h"
#include "core/sheet/sheet_store.h"

#include <QJsonArray>

#include <algorithm>
#include <map>

namespace {

// The layer a rule stands in, from its context in the list: the innermost
// "@layer name" block; nothing outside one.
QString layerOf(const SheetStore &store, int row)
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

// A rule's own declarations as the page gets them.
QString loweredBody(const SheetStore &store, int row)
{
    return store.codec().decode(lowerDeclarations(store.table().body(row).join('\n')));
}

} // namespace

ElementCascade::ElementCascade(SheetStore &store)
    : m_store(store)
{
}

QStringList ElementCascade::layersOf(const SheetStore &store)
{
    // In the order the sheet first names them, by a statement
    // ("@layer base, theme;") or by a block.
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

void ElementCascade::setPicked(const std::vector<RuleMatch> &matches)
{
    m_matches = matches;
    m_forced.clear();
    ask();
}

void ElementCascade::setForced(const QByteArrayList &states)
{
    m_forced = states;
    ask();
}

std::optional<int> ElementCascade::mainRule() const
{
    std::map<int, std::pair<int, Specificity>> won;
    for (const Property &p : m_properties) {
        const CascadeEntry &winner = p.entries.first();
        if (p.name.startsWith(QLatin1String("--")) || winner.inline_ || winner.rule < 0)
            continue;
        auto &[count, specificity] = won[winner.rule];
        ++count;
        specificity = winner.specificity;
    }
    std::optional<int> best;
    std::pair<int, Specificity> bestWeight;
    for (const auto &[rule, weight] : won) {
        // Rows come in order: of equals, the later one.
        if (!best || weight >= bestWeight) {
            best = rule;
            bestWeight = weight;
        }
    }
    return best;
}

void ElementCascade::refresh()
{
    if (!m_matches.empty())
        ask();
}

void ElementCascade::forget()
{
    ++m_asked;
    m_matches.clear();
    m_properties.clear();
    emit changed();
}

const CascadeEntry *ElementCascade::winner(const QString &property) const
{
    for (const Property &p : m_properties) {
        if (p.name == property)
            return p.entries.isEmpty() ? nullptr : &p.entries.first();
    }
    return nullptr;
}

void ElementCascade::ask()
{
    const int asked = ++m_asked;
    if (!m_browser)
        return;
    const QStringList layers = layersOf(m_store);
    QList<CascadeEntry> rules;
    QJsonArray bodies;
    for (const RuleMatch &match : m_matches) {
        if (!match.contextApplies || match.rule < 0 || match.rule >= m_store.styleCount())
            continue;
        if (std::any_of(match.states.begin(), match.states.end(), [this](const QByteArray &s) { return !m_forced.contains(s); }))
            continue;
        CascadeEntry entry;
        entry.rule = match.rule;
        for (const QByteArray &selector : match.selectors)
            entry.specificity = std::max(entry.specificity, selectorSpecificity(selector));
        const QString layer = layerOf(m_store, match.rule);
        entry.layer = layer.isEmpty() ? -1 : int(layers.indexOf(layer));
        rules.append(entry);
        bodies.append(loweredBody(m_store, match.rule));
    }
    m_browser->runPageScript(page_scripts::expand(bodies), [this, asked, rules](const QVariant &answer) {
        if (asked != m_asked)
            return;
        const QVariantList read = answer.toList();
        std::map<QString, QList<CascadeEntry>> byName;
        for (qsizetype k = 0; k < read.size(); ++k) {
            const bool styleAttribute = k == rules.size();
            for (const QVariant &declaration : read[k].toList()) {
                const QVariantList fields = declaration.toList();
                if (fields.size() < 3)
                    continue;
                CascadeEntry entry = styleAttribute ? CascadeEntry() : rules.value(k);
                entry.inline_ = styleAttribute;
                entry.value = fields[1].toString().trimmed();
                entry.important = fields[2].toBool();
                byName[fields[0].toString()].append(entry);
            }
        }
        m_properties.clear();
        for (auto &[name, entries] : byName)
            m_properties.append({name, cascadeOrder(entries)});
        // Custom properties after the others.
        std::stable_partition(m_properties.begin(), m_properties.end(),
                              [](const Property &p) { return !p.name.startsWith(QLatin1String("--")); });
        emit changed();
    });
}
