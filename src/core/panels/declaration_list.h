#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// One declaration as written: its property, its value and its priority.
struct Declaration {
    QByteArray name;  // in capitals, comments left out; a custom property keeps its case
    QByteArray value; // as written, trimmed, without "!important"
    bool important = false;
    bool isCustom() const { return name.startsWith("--"); }
};

// The declarations of a text, split at the ";" outside strings, comments
// and brackets. Pieces without a ":" are left out.
QList<Declaration> declarationsOf(const QByteArray &text);

// One declaration, its ";" optional; an empty name when it is none.
Declaration declarationOf(const QByteArray &text);

// The value without a trailing "!important" (blanks and case aside), and
// whether it had one.
QByteArray withoutPriority(const QByteArray &value, bool *important);

// Whether a typed value keeps the rule whole: no ";", "{" or "}" outside
// strings and brackets, every string and bracket closed, no comment.
bool isWholeValue(const QByteArray &value);
// What is said when it does not.
QString badValueMessage();

// Where the value of the declaration of `name` that wins stands in a text:
// the last !important one, else the last. Comments and blanks around the
// value are left out of it.
struct ValuePlace {
    qsizetype from = 0;
    qsizetype to = 0;
    bool important = false;
};
std::optional<ValuePlace> winningValue(const QByteArray &text, const QByteArray &name);
