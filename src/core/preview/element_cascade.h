#pragma once

#include "core/preview/cascade_choice.h"
#include "core/preview/cascade_order.h"

#include <QByteArrayList>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class BrowserHost;
class SheetStore;

// The cascade for the picked element: every property that its matching
// rules and its style attribute set, longhands as the engine reads them,
// each with its declarations from the winner down. The rules that need a
// state count while the state is forced.
class ElementCascade : public QObject
{
    Q_OBJECT
public:
    struct Property {
        QString name;
        QList<CascadeEntry> entries; // the winner first
    };

    explicit ElementCascade(SheetStore &store);
    void setBrowser(BrowserHost *browser) { m_browser = browser; }

    void setPicked(const std::vector<RuleMatch> &matches);
    void setForced(const QByteArrayList &states);
    void forget();
    // The page has the sheet anew: the values are read again.
    void refresh();

    const QList<Property> &properties() const { return m_properties; }
    // The declaration that wins a property, or nothing.
    const CascadeEntry *winner(const QString &property) const;

    // The rule that wins the most longhands of the element, custom
    // properties aside; of equals the more specific, then the later one.
    // Nothing when no rule wins any.
    std::optional<int> mainRule() const;

    // The cascade layers of the sheet in their order, by their names as the
    // rule list gives them ("@layer base").
    static QStringList layersOf(const SheetStore &store);

signals:
    void changed();

private:
    void ask();

    SheetStore &m_store;
    BrowserHost *m_browser = nullptr;
    std::vector<RuleMatch> m_matches;
    QByteArrayList m_forced;
    QList<Property> m_properties;
    int m_asked = 0;
};
