#pragma once

#include "core/css/css_color.h"
#include "core/panels/prop_rows.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class BrowserHost;
class SheetStore;
class StyleCommit;

// The property table: every declaration of the selected rule as the sheet
// has it written, and the edits made there. An edit changes the rule's own
// text, the declaration's bytes alone, and is committed as a panel change
// is: one undo step, the panels and the preview following.
class PropTable : public QObject
{
    Q_OBJECT
public:
    PropTable(SheetStore &store, StyleCommit &commit);
    void setBrowser(BrowserHost *browser) { m_browser = browser; }

    // Read from the selected rule when first asked for after a change.
    const QList<PropRow> &rows() const;
    // The rule or the sheet changed: the rows are read again when wanted.
    void invalidate();
    // Asks the preview's engine whether it takes each value given; the
    // answer comes with judged().
    void judge();
    // Whether the engine refused the row's value, once it has been asked.
    bool rejected(int row) const { return m_rejected.value(row, false); }

    // Each returns an error to show, or an empty text once the rule and
    // the sheet are changed; nothing changes on an error.
    QString switched(int row, bool on);
    // The value as typed, "!important" included where it is wanted.
    QString valueEdited(int row, const QByteArray &value);
    QString nameEdited(int row, const QByteArray &name);
    // A new declaration after the row, or after the last one for -1.
    QString added(int afterRow, const QByteArray &name, const QByteArray &value);
    QString removed(int row);
    QString colorPicked(int row, Rgb color);

    // What the value editor shows: the value and its priority.
    QByteArray editText(int row) const;
    std::optional<Rgb> colorOf(int row) const;
    // Why the row cannot be switched off, or nothing.
    static QString lockReason(PropRow::Lock lock);
    // What is said of a name no catalogue knows, with the nearest known
    // ones; nothing for a known name.
    static QString nameWarning(const QByteArray &name);
    // The property's initial value, shown while its value is empty.
    static QByteArray placeholder(const QByteArray &name);

signals:
    void rowsChanged();
    void judged();

private:
    QByteArray writtenBody() const;
    // Changes the selected rule's body where the sheet has it written.
    QString edit(const std::function<QByteArray(const QByteArray &body)> &change);
    QString editRow(int row, const std::function<QByteArray(const QByteArray &body, const PropRow &now)> &change);

    SheetStore &m_store;
    StyleCommit &m_commit;
    BrowserHost *m_browser = nullptr;
    mutable QList<PropRow> m_rows;
    mutable bool m_stale = true;
    QList<bool> m_rejected;
    int m_asked = 0; // the engine's answer for an older reading is dropped
};

// The number, percentage or dimension the caret stands in or just after,
// stepped by one, or by a tenth where it has a point, its unit kept;
// nothing when the caret is at none. A number in a string, an address,
// an escape, a hex colour, a name or a unicode range is none. The caret
// keeps its place: at the number's end or in its unit it moves with them.
std::optional<QByteArray> steppedNumber(const QByteArray &text, int *caret, bool up);
