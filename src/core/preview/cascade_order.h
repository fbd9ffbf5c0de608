#pragma once

#include "core/preview/selector_analysis.h"

#include <QList>
#include <QString>

#include <limits>

// One declaration of a property for the picked element: from a matching
// rule of the sheet, or from its style attribute.
struct CascadeEntry {
    int rule = -1;        // the rule's row; -1 for the style attribute
    int sheet = -1;       // the page's other sheet it is in; -1 for the edited sheet
    int sheetOrder = 0;   // its sheet's place among the page's sheets
    QString value;
    bool important = false;
    // The rule's place among the page's cascade layers (LayerOrder::rank):
    // larger is later; a rule in no layer is later than every layer.
    QList<int> layer = {std::numeric_limits<int>::max()};
    Specificity specificity;
    // Of a rule in @scope, how many generations up its scope's root is;
    // the nearest root wins between equals. Unscoped rules are furthest.
    int proximity = std::numeric_limits<int>::max();
    int declaration = -1; // its place among its rule's declarations as written
    QString declared;     // the property as the rule writes it, where another (a logical side)
    bool inline_ = false;
    // A declaration set back by a later revert-layer of its own layer: it
    // does not apply.
    bool reverted = false;
};

// Whether the first declaration wins over the second for the same
// property: importance first (!important wins, and reverses the order of
// layers), then the style attribute, then layers (a later layer wins, a
// layer's own rules over its sublayers, and no layer over any), then
// specificity, then scope proximity, then the later rule, by the order of
// the page's sheets first, then the later declaration of the same rule.
bool outranks(const CascadeEntry &a, const CascadeEntry &b);

// The declarations of one property from the one that applies down: sorted
// by the cascade, then a winner that says revert-layer sets back every
// declaration of its layer, and the next that is not applies.
QList<CascadeEntry> cascadeOrder(QList<CascadeEntry> entries);
