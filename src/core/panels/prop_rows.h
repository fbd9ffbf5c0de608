#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// One declaration of a rule's body as the property table shows it: given,
// or switched off (written as a comment of its own, "/* color: red; */").
struct PropRow {
    // Why a declaration cannot be switched off: a comment cannot be put
    // around it without changing what it holds.
    enum class Lock { None, HoldsComment, HoldsCommentEnd, UnknownName };

    QByteArray name;  // as written, comments left out
    QByteArray value; // as written, trimmed, without "!important"
    bool important = false;
    bool on = true;
    bool overridden = false; // loses to a later or an !important one of the same property
    Lock lock = Lock::None;

    // Where it stands in the body: the declaration with its ";" (for one
    // switched off, the whole comment), its name and its value.
    qsizetype from = 0, to = 0;
    qsizetype nameFrom = 0, nameTo = 0;
    qsizetype valueFrom = 0, valueTo = 0;
    qsizetype priorityTo = 0; // after "!important" where it is given, else valueTo
    bool semicolon = false;

    // The property in capitals; a custom property keeps its case.
    QByteArray key() const;
};

// The declarations of a body in their order, switched-off ones included. A
// comment counts as a switched-off declaration when it holds one
// declaration and nothing else, its ";" optional, of a property the
// catalogue knows, a custom property or a vendor's own: "/* TODO: fix */"
// stays a comment.
QList<PropRow> propRows(const QByteArray &body);

// The property a comment ("/* … */" whole) holds switched off, in
// capitals, or nothing when it is a plain comment.
std::optional<QByteArray> switchedOffProperty(const QByteArray &comment);

// Whether a name may be written as a property: a custom property, or a
// name of letters, digits and "-" (a vendor prefix included).
bool isPropertyName(const QByteArray &name);
// Whether the catalogue knows the name, or it is a custom property or a
// vendor's own ("-webkit-…"), which no catalogue lists in full.
bool isKnownPropertyName(const QByteArray &name);

// Changes of a body, each touching the declaration's own bytes only.
namespace propEdit {

QByteArray switchedOff(const QByteArray &body, const PropRow &row);
QByteArray switchedOn(const QByteArray &body, const PropRow &row);
// The value with its priority: a typed "!important" makes it important,
// and one left out makes it not.
QByteArray valueSet(const QByteArray &body, const PropRow &row, const QByteArray &value);
QByteArray nameSet(const QByteArray &body, const PropRow &row, const QByteArray &name);
// Takes the declaration out, with its line where it stood alone.
QByteArray removed(const QByteArray &body, const PropRow &row);
// A new declaration after the given one, or after the last when none is
// given, in the body's own style: a line of its own with the same indent,
// or on the same line in a body written on one line.
QByteArray inserted(const QByteArray &body, const std::optional<PropRow> &after, const QByteArray &name,
                    const QByteArray &value);

} // namespace propEdit
