#pragma once

#include <QByteArray>
#include <QList>

// The states a picked element can be put into in the preview: the sheets
// the page gets also match an attribute of the program's wherever they
// say the state, so the page's script can make it hold for one element.
struct ForcedState {
    const char *pseudoClass; // ":hover"
    const char *attribute;   // "data-quillbox-hover"
};
const QList<ForcedState> &forcedStates();

// The sheet with every state pseudo-class of a style rule's selector
// written so that the attribute stands for it too, with the same
// specificity: ":hover" becomes ":is(:hover, [data-quillbox-hover])".
// Strings, declarations and at-rules' preludes are left as they are.
QByteArray withStateMarkers(const QByteArray &sheet);
