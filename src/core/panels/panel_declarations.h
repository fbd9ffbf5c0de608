#pragma once

#include <QByteArray>
#include <QList>

class PanelState;

// One declaration the panels stand for, in the program's spelling.
struct PanelDeclaration {
    int row;          // declarations of one row share a line
    QByteArray name;  // "Margin-top"
    QByteArray value; // "4px"
    QByteArray key() const; // the name in capitals
};

// What the panels set, in the program's order and rows. A font size
// keyword drops the size unit.
QList<PanelDeclaration> panelDeclarations(PanelState &panels);
