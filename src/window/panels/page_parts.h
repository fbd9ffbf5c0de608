#pragma once

#include "core/panels/panel_state.h"

#include <QIcon>
#include <QList>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QTabWidget;
class QVBoxLayout;
class QWidget;
struct LengthField;
struct PanelControls;

// The pieces the property pages are built of.

struct ToggleDef {
    const char *name;
    const char *hint;
    QIcon icon;
};

// The panel is 176 pixels wide: grids of buttons sit close together.
QGridLayout *tightGrid(QWidget *parent = nullptr);
// The layout page's groups hold rows of six buttons: narrower side margins.
QGridLayout *narrowGrid(QWidget *parent);
QGroupBox *makeGroup(QWidget *parent, const char *name, const char *title, const char *hint = nullptr);
// A page that scrolls, under its tab; returns the widget its groups go in.
QWidget *makePage(QTabWidget *tabs, const char *name, const char *caption, QVBoxLayout *&layout);

// Lays the buttons of one option group into a grid, row by row.
void addToggleGrid(QGridLayout *grid, int firstRow, int columns, PanelControls &controls, QWidget *parent,
                   const QList<ToggleDef> &defs);
void addSwatchRow(QGridLayout *grid, int row, QWidget *parent, PanelControls &controls, const char *name,
                  const char *caption, const char *hint, const QColor &initial);
// A labelled length field in a form grid.
void addLengthRow(QGridLayout *grid, int row, QWidget *parent, PanelControls &controls, const char *name,
                  const char *label, const char *editHint = nullptr, const char *stepperHint = nullptr);
// A number field: a length field without its unit button.
void hideUnit(const LengthField &field);
// A group of the table of today's properties: a caption, a row of buttons.
int addLayoutGroup(QGridLayout *grid, int row, PanelControls &controls, QWidget *parent, Group group,
                   const char *label);
// A text field under its caption, the whole width of the group.
int addTextRow(QGridLayout *grid, int row, QWidget *parent, PanelControls &controls, TextField field,
               const char *label, const char *hint);
QComboBox *addKeywordBox(QGridLayout *grid, int row, QWidget *parent, PanelControls &controls, KeywordBox kind,
                         const char *label, const char *hint, bool editable);

void buildEffectsPage(QTabWidget *tabs, PanelControls &controls);
