#pragma once

#include "core/preview/cascade_choice.h"
#include "core/preview/cascade_order.h"

#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class BrowserHost;
class PageSheets;
class SheetStore;

// The cascade for the picked element: every property that its matching
// rules (of the edited sheet and the page's others) and its style
// attribute set, longhands as the engine reads them, each with its
// declarations from the winner down and the value the engine computes.
// The rules that need a state count while the state is forced.
class ElementCascade : public QObject
{
    Q_OBJECT
public:
    struct Property {
        QString name;
        QList<CascadeEntry> entries; // the winner first
        QString computed;            // as the engine gives it for the element
    };

    ElementCascade(SheetStore &store, const PageSheets &sheets);
    void setBrowser(BrowserHost *browser) { m_browser = browser; }

    void setPicked(const std::vector<RuleMatch> &matches);
    void setForced(const QByteArrayList &states);
    void forget();
    // The page has the sheet anew: the values are read again.
    void refresh();

    const QList<Property> &properties() const { return m_properties; }
    // The declaration that wins a property, or nothing.
    const CascadeEntry *winner(const QString &property) const;

    // The edited sheet's rule that wins the most longhands of the element,
    // custom properties aside; of equals the more specific, then the later
    // one. Nothing when no rule of it wins any.
    std::optional<int> mainRule() const;
    // The declaration of a property from a rule of the edited sheet, when
    // the rule takes part for the element.
    const CascadeEntry *entryOf(const QString &property, int rule) const;

signals:
    void changed();

private:
    void ask();
    void askComputed(int asked);

    SheetStore &m_store;
    const PageSheets &m_sheets;
    BrowserHost *m_browser = nullptr;
    std::vector<RuleMatch> m_matches;
    QByteArrayList m_forced;
    QList<Property> m_properties;
    QHash<QString, int> m_byName; // a property's place in m_properties
    int m_asked = 0;
};
