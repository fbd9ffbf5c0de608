#pragma once

class QTabWidget;
class QWidget;
struct PanelControls;

// TABPANEL: the five pages of property controls under the rule list.
QTabWidget *buildPropertyPages(QWidget *parent, PanelControls &controls);
