#pragma once

#include <QByteArray>
#include <QHash>

#include <optional>

class SheetStore;

// The custom properties a sheet gives, for the var() of a rule that does
// not give them itself. Those of :root, html, :host and * come first, the
// last definition in sheet order winning; a property none of them gives is
// taken from the last rule that does (a component's own variables). Rules
// under @media or @container count only where no other rule gives the
// property: they apply only now and then. Worked out when first asked
// after the sheet changed.
class SheetVariables
{
public:
    explicit SheetVariables(const SheetStore &store);

    void invalidate() { m_built = false; }
    std::optional<QByteArray> value(const QByteArray &name);

private:
    void build();

    const SheetStore &m_store;
    bool m_built = false;
    QHash<QByteArray, QByteArray> m_global;
    QHash<QByteArray, QByteArray> m_anywhere;
    QHash<QByteArray, QByteArray> m_conditional;
};
