#pragma once

#include "core/panels/panel_state.h"

#include <QByteArray>
#include <QList>

// The controls of today's properties (the layout page, and the sizes with
// the position page): their option groups with the keywords each button
// writes and shows, their fields and the elements each property acts on.

struct LayoutButton {
    const char *name;      // the button's objectName
    const char *value;     // what it writes
    const char *flexValue; // what it writes in a flex container, where that differs
    QList<QByteArray> shows; // the keywords, in capitals, shown on it
    const char *hint;
};

enum class LayoutTarget { None, Container, Item };

struct LayoutGroup {
    Group group;
    QByteArray key;   // the property in capitals
    const char *name; // as the panels write it
    LayoutTarget target;
    // Where start and end take their flex forms: never, in a flex container,
    // or in an item of one.
    enum { Never, InFlexContainer, InFlexItem } flexForms;
    QList<LayoutButton> buttons;
};

const QList<LayoutGroup> &layoutGroups();
// The button of background-clip: text.
inline constexpr int kBackgroundClipText = 3;
const LayoutGroup *layoutGroup(Group group);
// The button a keyword shows on, -1 for none.
int layoutButtonShowing(const LayoutGroup &group, const QByteArray &upperValue);

// The layout fields with their properties, in the panels' order.
struct LayoutField {
    Length field;
    QByteArray key;
    const char *name;
};
const QList<LayoutField> &layoutFields();

// The elements a property acts on: a flex or grid container, an item of
// one, or any element. Names in capitals.
LayoutTarget layoutTargetOf(const QByteArray &key);


// Area strings one a line, as the areas field shows them, and back.
QByteArray areasAsLines(const QByteArray &value);
QByteArray areasFromLines(const QByteArray &lines);
