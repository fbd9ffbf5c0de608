#include "core/preview/unused_rules.h"

#include "core/preview/browser_host.h"
#include "core/preview/page_scripts.h"
#include "core/preview/rule_selectors.h"
#include "core/preview/selector_analysis.h"
#include "core/sheet/sheet_store.h"

#include <QJsonArray>

UnusedRules::UnusedRules(SheetStore &store)
    : m_store(store)
{
    m_soon.setSingleShot(true);
    m_soon.setInterval(0);
    QObject::connect(&m_soon, &QTimer::timeout, this, &UnusedRules::refresh);
    QObject::connect(&store.list(), &StyleListModel::itemsChanged, this, [this] {
        // The rows named are no longer the same.
        m_uses.clear();
        m_answered = false;
        refreshSoon();
    });
}

void UnusedRules::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    if (on)
        refresh();
    else
        clear();
}

UnusedRules::Use UnusedRules::use(int row) const
{
    return m_on && row >= 0 && row < int(m_uses.size()) ? m_uses[size_t(row)] : Use::Used;
}

QString UnusedRules::statusText() const
{
    if (!m_on || !m_answered)
        return QString();
    const auto unused = std::count(m_uses.begin(), m_uses.end(), Use::Unused);
    const auto unknown = std::count(m_uses.begin(), m_uses.end(), Use::Unknown);
    QString text = QStringLiteral("Не используются на странице: %1 из %2").arg(unused).arg(m_store.list().count());
    if (unknown > 0)
        text += QStringLiteral("; не проверить: %1").arg(unknown);
    return text;
}

void UnusedRules::refreshSoon()
{
    if (m_on)
        m_soon.start();
}

void UnusedRules::clear()
{
    ++m_asked;
    m_uses.clear();
    m_answered = false;
    emit changed();
    if (showMessage)
        showMessage(QString());
}

void UnusedRules::refresh()
{
    m_soon.stop();
    if (!m_on)
        return;
    if (!m_browser) {
        clear();
        return;
    }
    // Each held rule with what the page is asked about it.
    QJsonArray rules;
    const std::vector<QByteArray> own = ruleSelectors(m_store.table());
    const int count = std::min(m_store.list().count(), int(own.size()));
    for (int row = 0; row < count; ++row) {
        if (isBasePageRule(m_store.list().item(row)))
            continue;
        QJsonArray selectors;
        for (const QByteArray &selector : splitSelectorList(own[size_t(row)]))
            selectors.append(m_store.codec().decode(matchForm(selector).selector));
        const RuleConditions conditions = ruleConditions(m_store, row);
        QJsonArray scopes;
        for (const QStringList &scope : conditions.scopes)
            scopes.append(QJsonArray::fromStringList(scope));
        rules.append(QJsonArray{row, selectors, QJsonArray::fromStringList(conditions.media),
                                QJsonArray::fromStringList(conditions.supports), scopes});
    }
    const int asked = ++m_asked;
    m_browser->runPageScript(page_scripts::usage(rules), [this, asked, count](const QVariant &answer) {
        if (asked != m_asked)
            return;
        // An empty page uses nothing, and says nothing of it.
        if (!answer.isValid() || answer.isNull()) {
            clear();
            return;
        }
        m_uses.assign(size_t(count), Use::Used);
        for (const QVariant &entry : answer.toList()) {
            const QVariantList fields = entry.toList();
            const int row = fields.value(0).toInt();
            if (fields.size() == 2 && row >= 0 && row < count)
                m_uses[size_t(row)] = fields[1].toInt() == 1   ? Use::Unused
                                      : fields[1].toInt() == 3 ? Use::Unknown
                                                               : Use::Conditional;
        }
        m_answered = true;
        emit changed();
        if (showMessage)
            showMessage(statusText());
    });
}
