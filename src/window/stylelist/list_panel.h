#pragma once

class ActionCatalog;
class QLabel;
class QLineEdit;
class RuleFilterField;
class StyleListWidget;
class QWidget;
struct PanelControls;

struct ListPanel {
    QWidget *panel = nullptr;      // PanelList
    RuleFilterField *filter = nullptr; // RuleFilter
    QLabel *filterCount = nullptr; // RuleFilterCount
    StyleListWidget *list = nullptr; // ListTag
    QLineEdit *rename = nullptr;   // RenameField
};

// PanelList: the rule list with its buttons and the property pages.
ListPanel buildListPanel(QWidget *parent, const ActionCatalog &actions, PanelControls &controls);
