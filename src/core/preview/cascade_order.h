#pragma once

#include "core/preview/selector_analysis.h"

#include <QList>
#include <QString>

// One declaration of a property for the picked element: from a matching
// rule of the sheet, or from its style attribute.
struct CascadeEntry {
    int rule = -1;        // the rule's row; -1 for the style attribute
    int sheet = -1;       // the page's other sheet it is in; -1 for the edited sheet
    int sheetOrder = 0;   // its sheet's place among the page's sheets
    QString value;
    bool important = false;
    // The rule's cascade layer by its place among the sheet's layers, from
    // 0; -1 when the rule is in none.
    int layer = -1;
    Specificity specificity;
    bool inline_ = false;
};

// Whether the first declaration wins over the second for the same
// property: importance first (!important wins, and reverses the order of
// layers), then the style attribute, then layers (a later layer wins, and
// no layer wins over any), then specificity, then the later rule, by the
// order of the page's sheets first.
bool outranks(const CascadeEntry &a, const CascadeEntry &b);

// The declarations of one property from the winner down.
QList<CascadeEntry> cascadeOrder(QList<CascadeEntry> entries);
