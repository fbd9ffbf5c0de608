#pragma once

class QToolBar;
class QWidget;
class ActionCatalog;
struct PanelControls;

// PanelToolStyle: the three rows of the style tool bar.
QWidget *buildStyleToolbars(QWidget *parent, const ActionCatalog &actions, PanelControls &controls);
