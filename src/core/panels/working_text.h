#pragma once

#include "core/sheet/byte_lines.h"

#include <QByteArray>
#include <QList>

// The declarations of a rule squeezed into one line for matching. Matching
// runs on a copy in capitals; every cut is made in the copy and in the
// text as written, so what is kept aside keeps the user's own case.
class WorkingText
{
public:
    // Joins the lines, ends them with ";", turns control bytes into blanks
    // and squeezes the blanks around ";" and ":".
    static WorkingText fromLines(const ByteLines &lines);

    const QByteArray &upper() const { return m_upper; }
    const QByteArray &original() const { return m_original; }

    // Where the pattern stands (0-based), or -1. A pattern that first occurs
    // as the tail of a longer name ("COLOR:" in "BORDER-COLOR:") counts as
    // absent; so does one that an earlier declaration of an overlapping
    // property must stay in front of. Strings, comments and parentheses are
    // not searched.
    qsizetype find(const QByteArray &pattern) const;

    // Finds and cuts out the pattern; -1 when absent.
    qsizetype take(const QByteArray &pattern);

    struct Value {
        qsizetype at = -1;     // where the head stood
        qsizetype length = 0;  // head, value and ";" together
        QByteArray upper;      // the value in capitals
        QByteArray original;   // the value as written
        bool found() const { return at >= 0; }
    };

    // The value after a head, up to the next ";", without cutting anything.
    Value peek(const QByteArray &head) const;
    void cut(const Value &value) { remove(value.at, value.length); }

    void remove(qsizetype at, qsizetype length);
    // Removes every occurrence of the text, compared in capitals.
    void removeAll(const QByteArray &upperText);
    void trimLeadingSemicolons();
    bool isEmpty() const { return m_upper.isEmpty(); }

    // What is left, one declaration a line in the case it was written; the
    // last line holds what follows the last ";".
    ByteLines declarationLines() const;

private:
    bool overlapsEarlierDeclaration(qsizetype at, const QByteArray &property) const;

    // The contexts of m_upper, worked out again only after a cut: the panels
    // look up dozens of properties in one unchanged text.
    const QByteArray &marks() const;

    QByteArray m_upper;
    QByteArray m_original;
    mutable QByteArray m_marks;
    mutable bool m_marksValid = false;
    // The declarations with their property names, worked out as the marks.
    struct Named {
        qsizetype start, end; // end: the ";" or the end of the text
        QByteArray name;
    };
    const QList<Named> &named() const;
    mutable QList<Named> m_named;
    // Declarations switched off in comments, worked out with the names: they
    // keep their place before a later one of the same property.
    struct SwitchedOff {
        qsizetype end;
        QByteArray name;
    };
    mutable QList<SwitchedOff> m_switchedOff;
    mutable bool m_namedValid = false;
};

// The text in capitals, as NormaliseDeclarations leaves it.
QByteArray NormaliseDeclarations(const ByteLines &lines);
