#pragma once

#include "core/panels/panel_state.h"
#include "core/sheet/byte_lines.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class SheetStore;
class SheetVariables;
class StyleCommit;

// One row of the variables page.
struct VariableRow {
    enum class State { Given, Unknown, Loop };
    QByteArray name;      // "--brand", as written
    QByteArray value;     // the rule's own as written; a used one as the sheet gives it
    bool own = false;     // given by the rule itself, not only used by it
    // A used one: the rule whose value counts; the rule's own: the first
    // other rule that gives it too.
    QByteArray definedIn;
    int definedAt = -1;   // that rule's row in the list
    int rules = 0;        // how many rules give it (the rule's own: how many others)
    QList<QByteArray> givenIn; // the selectors of all of them, in sheet order
    State state = State::Given;
    std::optional<Rgb> color; // where the value reads as a colour
};

// The rule's own custom properties in its order, then the ones its
// declarations use (var(), fallbacks included) and it does not give
// itself, once each.
QList<VariableRow> ruleVariables(const ByteLines &declarations, SheetVariables &sheet, const SheetStore &store);

// The variables page: its rows for the selected rule, and the edits made
// there, each a change of the rule like a panel change.
class VariableController : public QObject
{
    Q_OBJECT
public:
    VariableController(SheetStore &store, SheetVariables &sheet, StyleCommit &commit);

    const QList<VariableRow> &rows() const { return m_rows; }
    // Reads the rows again from the rule just loaded.
    void reload();

    // Each returns an error to show, or an empty text once the rule and
    // the sheet are changed; nothing changes on an error.
    QString valueEdited(const QByteArray &name, const QByteArray &value);
    QString colorPicked(const QByteArray &name, Rgb color);
    QString added(const QByteArray &name, const QByteArray &value);
    QString removed(const QByteArray &name);
    // What is wrong with a name for a new variable of the rule, or nothing.
    QString nameError(const QByteArray &name) const;

    // A click on where a used variable is given selects that rule.
    void definitionClicked(int row);
    std::function<void(int listRow)> selectRule;

signals:
    void rowsChanged();

private:
    void commit(const ByteLines &lines);

    SheetStore &m_store;
    SheetVariables &m_sheet;
    StyleCommit &m_commit;
    QList<VariableRow> m_rows;
};
