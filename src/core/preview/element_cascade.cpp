#include "core/preview/element_cascade.h"

#include "core/preview/browser_host.h"
#include "core/preview/page_scripts.h"
#include "core/preview/page_sheets.h"
#include "core/preview/physical_sides.h"
#include "core/css/css_tokenizer.h"
#include "core/preview/sheet_lowering.h"
#include "core/sheet/byte_lines.h"
#include "core/sheet/sheet_store.h"

#include <QJsonArray>
#include <QSet>

#include <algorithm>
#include <map>

namespace {

// A rule's own declarations as the page gets them.
QString loweredBody(const SheetStore &store, int row)
{
    return store.codec().decode(lowerDeclarations(store.table().body(row).join('\n')));
}

} // namespace

ElementCascade::ElementCascade(SheetStore &store, const PageSheets &sheets)
    : m_store(store)
    , m_sheets(sheets)
{
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
    // Each rule of the edited sheet by the declarations as written that win
    // a property of the element: a shorthand counts once however many
    // longhands it sets. Of equals the more specific, then the later.
    std::map<int, std::pair<QSet<int>, Specificity>> won;
    for (const Property &p : m_properties) {
        const CascadeEntry &winner = p.entries.first();
        if (p.name.startsWith(QLatin1String("--")) || winner.inline_ || winner.rule < 0 || winner.sheet >= 0
            || winner.reverted)
            continue;
        auto &[declarations, specificity] = won[winner.rule];
        // A longhand whose declaration the page could not tell counts alone.
        declarations.insert(winner.declaration >= 0 ? winner.declaration : -2 - int(qHash(p.name) & 0xffffff));
        specificity = winner.specificity;
    }
    std::optional<int> best;
    std::pair<qsizetype, Specificity> bestWeight;
    for (const auto &[rule, weight] : won) {
        const std::pair<qsizetype, Specificity> own{weight.first.size(), weight.second};
        // Rows come in order: of equals, the later one.
        if (!best || own >= bestWeight) {
            best = rule;
            bestWeight = own;
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
    m_byName.clear();
    emit changed();
}

const CascadeEntry *ElementCascade::entryOf(const QString &property, int rule) const
{
    const auto at = m_byName.constFind(property);
    if (at == m_byName.constEnd())
        return nullptr;
    for (const CascadeEntry &entry : m_properties[*at].entries) {
        if (!entry.inline_ && entry.sheet < 0 && entry.rule == rule)
            return &entry;
    }
    return nullptr;
}

const CascadeEntry *ElementCascade::winner(const QString &property) const
{
    const auto at = m_byName.constFind(property);
    if (at == m_byName.constEnd() || m_properties[*at].entries.isEmpty() || m_properties[*at].entries.first().reverted)
        return nullptr;
    return &m_properties[*at].entries.first();
}

void ElementCascade::ask()
{
    const int asked = ++m_asked;
    if (!m_browser)
        return;
    const LayerOrder layers = m_sheets.layerOrder();
    QList<CascadeEntry> rules;
    QJsonArray bodies;
    QJsonArray declarations;
    for (const RuleMatch &match : m_matches) {
        const SheetStore *store = m_sheets.store(match.sheet);
        if (!match.contextApplies || match.contextUnknown || !store || match.rule < 0 || match.rule >= store->styleCount())
            continue;
        if (std::any_of(match.states.begin(), match.states.end(), [this](const QByteArray &s) { return !m_forced.contains(s); }))
            continue;
        CascadeEntry entry;
        entry.rule = match.rule;
        entry.sheet = match.sheet;
        entry.sheetOrder = m_sheets.order(match.sheet);
        entry.proximity = match.proximity;
        for (const QByteArray &selector : match.selectors)
            entry.specificity = std::max(entry.specificity, selectorSpecificity(selector));
        // A selector that matches in a state counts once the state is forced.
        for (const QByteArray &selector : match.inState) {
            const MatchForm form = matchForm(selector);
            if (std::all_of(form.states.begin(), form.states.end(), [this](const QByteArray &s) { return m_forced.contains(s); }))
                entry.specificity = std::max(entry.specificity, selectorSpecificity(selector));
        }
        entry.layer = m_sheets.layerRank(layers, match.sheet, match.rule);
        rules.append(entry);
        const QString body = loweredBody(*store, match.rule);
        bodies.append(body);
        QJsonArray own;
        for (const QByteArray &one : cssDeclarationTexts(body.toUtf8()))
            own.append(QString::fromUtf8(one));
        declarations.append(own);
    }
    m_browser->runPageScript(page_scripts::expand(bodies, declarations), [this, asked, rules](const QVariant &answer) {
        if (asked != m_asked)
            return;
        const QVariantList read = answer.toList();
        // The element's writing mode and direction place its logical sides.
        const QVariantList mode = read.size() > rules.size() + 1 ? read.last().toList() : QVariantList();
        const QString writingMode = mode.value(0, QStringLiteral("horizontal-tb")).toString();
        const QString direction = mode.value(1, QStringLiteral("ltr")).toString();
        std::map<QString, QList<CascadeEntry>> byName;
        for (qsizetype k = 0; k <= rules.size() && k < read.size(); ++k) {
            const bool styleAttribute = k == rules.size();
            for (const QVariant &declaration : read[k].toList()) {
                const QVariantList fields = declaration.toList();
                if (fields.size() < 3)
                    continue;
                CascadeEntry entry = styleAttribute ? CascadeEntry() : rules.value(k);
                entry.inline_ = styleAttribute;
                entry.value = fields[1].toString().trimmed();
                entry.important = fields[2].toBool();
                entry.declaration = fields.value(3, -1).toInt();
                const QString name = fields[0].toString();
                // A logical side and its physical one are one property.
                const QString physical = name.startsWith(QLatin1String("--")) ? name : physicalProperty(name, writingMode, direction);
                if (physical != name)
                    entry.declared = name;
                byName[physical].append(entry);
            }
        }
        m_properties.clear();
        for (auto &[name, entries] : byName)
            m_properties.append({name, cascadeOrder(entries), QString()});
        // Custom properties after the others.
        std::stable_partition(m_properties.begin(), m_properties.end(),
                              [](const Property &p) { return !p.name.startsWith(QLatin1String("--")); });
        m_byName.clear();
        for (qsizetype k = 0; k < m_properties.size(); ++k)
            m_byName.insert(m_properties[k].name, int(k));
        askComputed(asked);
    });
}

// The values as the engine computes them, before the cascade is told.
void ElementCascade::askComputed(int asked)
{
    QJsonArray names;
    for (const Property &p : m_properties)
        names.append(p.name);
    m_browser->runPageScript(page_scripts::computed(names), [this, asked](const QVariant &answer) {
        if (asked != m_asked)
            return;
        const QVariantList values = answer.toList();
        for (qsizetype k = 0; k < m_properties.size(); ++k)
            m_properties[k].computed = values.value(k).toString().trimmed();
        emit changed();
    });
}
