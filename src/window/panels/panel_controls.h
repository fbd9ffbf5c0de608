#pragma once

#include "window/panels/panel_widgets.h"

#include <QList>
#include <QMap>
#include <QString>

class QCheckBox;
class QComboBox;
class EasingCurve;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSlider;
class QPushButton;
class QToolButton;

// The property controls of the main window, as the panels build them.
struct PanelControls {
    QComboBox *fontFamily = nullptr;
    QComboBox *fontFamily2 = nullptr;
    QComboBox *fontWeight = nullptr;
    QComboBox *fontSize = nullptr;
    QToolButton *fontSizeUnit = nullptr;
    QToolButton *fontSizeBold = nullptr;

    QMap<QString, LengthField> lengthFields;       // by the edit's name
    QList<QList<QToolButton *>> optionGroups;      // groups 1 to 14
    QMap<QString, QToolButton *> toggles;          // every option button by name
    QMap<QString, ColorSwatch *> swatches;         // by name
    QMap<QString, QCheckBox *> checks;             // the swatches' check boxes, by name

    // The layout page's own: the grid's text fields by name (the areas
    // field is a text of several lines), its quick buttons and check boxes.
    QMap<QString, QLineEdit *> textFields;
    QPlainTextEdit *gridAreas = nullptr;
    QMap<QString, QToolButton *> trackButtons;
    QCheckBox *gridDense = nullptr;
    QCheckBox *layoutOverlay = nullptr;

    // The effects page's own: check boxes of one keyword, boxes of
    // keywords, and the opacity slider beside its field.
    QMap<QString, QCheckBox *> flags;
    QMap<QString, QComboBox *> keywordBoxes;
    QSlider *opacity = nullptr;
    // Lists of layers (shadows, transitions) and the parts of the one
    // chosen; a part widget is disabled, with the reason as its hint, when
    // its layer cannot be shown in parts.
    QListWidget *shadowList = nullptr;
    QListWidget *transitionList = nullptr;
    QMap<QString, QToolButton *> layerButtons; // ShadowAdd, ShadowDelete, TransitionAdd, TransitionDelete
    QCheckBox *shadowInset = nullptr;
    QComboBox *transitionProperty = nullptr;
    QComboBox *transitionTiming = nullptr;
    EasingCurve *easingCurve = nullptr;
    QWidget *shadowParts = nullptr;
    QWidget *transformParts = nullptr;
    QWidget *transitionParts = nullptr;
    QMap<QString, QLabel *> partNotes; // by the parts' name
    QWidget *contentBox = nullptr;     // shown for ::before and ::after
    QList<QToolButton *> borderSides;  // BorderSide_All to BorderSide_Left

    QCheckBox *backGroundTransparent = nullptr;
    // The picked element's text against its background.
    QLabel *contrastLabel = nullptr;
    QCheckBox *backGroundAttCheck = nullptr;
    QPushButton *openBackGround = nullptr;

    // Adds a toggle group built from (name, hint, icon) rows.
    QList<QToolButton *> &addGroup() { return optionGroups.emplace_back(); }
};
