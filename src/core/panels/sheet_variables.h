#pragma once

#include "core/sheet/byte_lines.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>

#include <optional>
#include <utility>
#include <vector>

class SheetStore;

// The custom properties a sheet gives, for the var() of a rule that does
// not give them itself. Those of :root, html, :host and * come first, the
// last definition in sheet order winning; a property none of them gives is
// taken from the last rule that does (a component's own variables). Rules
// under @media or @container count only where no other rule gives the
// property: they apply only now and then. Worked out when first asked
// after the sheet changed, and then only for the rules that changed: a
// panel click changes one rule of thousands.
class SheetVariables
{
public:
    explicit SheetVariables(const SheetStore &store);

    void invalidate() { m_dirty = true; }
    std::optional<QByteArray> value(const QByteArray &name);

    // Where the value comes from: the rule's place in the list, and how
    // many rules give the property in all.
    struct Definition {
        QByteArray value;
        int row = -1;
        int rules = 0;
        QList<int> allRows; // every rule that gives it, in sheet order
    };
    std::optional<Definition> definition(const QByteArray &name);

private:
    // A rule as last looked at: its body is held, so an unchanged rule is
    // known by its lines being the very same.
    struct Rule {
        ByteLines body;
        QByteArray name;
        QByteArray context;
        QList<std::pair<QByteArray, QByteArray>> definitions;
    };
    void refresh();
    void gather();
    void regather(const QSet<QByteArray> &names);
    QHash<QByteArray, Definition> &targetFor(const Rule &rule);

    const SheetStore &m_store;
    bool m_dirty = true;
    std::vector<Rule> m_rules;
    QHash<QByteArray, Definition> m_global;
    QHash<QByteArray, Definition> m_anywhere;
    QHash<QByteArray, Definition> m_conditional;
    QHash<QByteArray, QList<int>> m_rulesGiving;
};
