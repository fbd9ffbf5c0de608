#pragma once

class ActionCatalog;
class QLineEdit;
class StyleListWidget;
class QWidget;
struct PanelControls;

struct ListPanel {
    QWidget *panel = nullptr;      // PanelList
    StyleListWidget *list = nullptr; // ListTag
    QLineEdit *rename = nullptr;   // RenameField
};

// PanelList: the rule list with its buttons and the property pages.
ListPanel buildListPanel(QWidget *parent, const ActionCatalog &actions, PanelControls &controls);
