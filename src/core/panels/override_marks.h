#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class ElementCascade;
class PageSheets;
class PanelState;

// A control of the panels and the properties, as the engine names its
// longhands, that it writes; several spellings where engines differ.
struct ControlProperties {
    QByteArray control; // objectName
    QStringList properties;
};
// Every property control of the panels; an option group is the button
// down in it, or its first.
QList<ControlProperties> controlProperties(const PanelState &panels);

// A control whose property the selected rule sets for the picked element
// while another declaration wins it.
struct OverrideMark {
    QByteArray control;
    int sheet = -1;    // where the winner is: the page's other sheet, -1 for the edited one
    int rule = -1;     // its row there; -1 for the style attribute
    QString hint;      // "Перекрыто: .btn-primary (0,1,0)"
};

// The marks for the selected rule (a row of the edited sheet). A rule
// that does not take part for the element has none.
QList<OverrideMark> overrideMarks(const QList<ControlProperties> &controls, const ElementCascade &cascade,
                                  const PageSheets &sheets, int rule);
// The same for names of custom properties, the variables page's rows.
QList<OverrideMark> overrideMarks(const QStringList &variables, const ElementCascade &cascade,
                                  const PageSheets &sheets, int rule);
