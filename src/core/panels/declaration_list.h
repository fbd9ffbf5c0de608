#pragma once

#include <QByteArray>
#include <QList>

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
