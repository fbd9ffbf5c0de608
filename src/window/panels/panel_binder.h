#pragma once

#include "core/panels/panel_state.h"

#include <QObject>
#include <QList>
#include <QSet>
#include <QTimer>

#include <functional>

class Editor;
class QComboBox;
class QLineEdit;
class QPushButton;
struct PanelControls;

// Shows the panel state on the widgets and passes the user's gestures on
// to the panel controller.
class PanelBinder : public QObject
{
    Q_OBJECT
public:
    PanelBinder(Editor &editor, PanelControls &controls, QPushButton *applyButton, QTimer *fontTimer,
                QWidget *window);

    void show();
    // Empties the length fields that are not in use (when the window first
    // shows).
    void clearUnusedLengths();

    // Chooses a colour for a swatch; the window provides the picker.
    std::function<std::optional<Rgb>(Rgb start)> chooseColor;
    // Chooses a background picture; the window provides the dialog.
    std::function<std::optional<QString>()> choosePicture;
    std::function<void()> focusSink;

    // A double-click on a family box switches the family off.
    void Font_FamilyDblClick();
    void Font_Family2DblClick();

    // Text typed into a font box and not yet taken is taken, as Enter
    // would, unless the gesture is aimed at that box.
    void takeTypedText(const QObject *target);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void bindFontBoxes();
    void bindToggles();
    void bindChecks();
    void bindLayout();
    void bindEffects();
    void showEffects();

    Editor &m_editor;
    PanelControls &m_controls;
    QPushButton *m_applyButton;
    QTimer *m_fontTimer;
    bool m_showing = false;
    QList<std::pair<QComboBox *, std::function<void()>>> m_typedText;
    // Text fields whose typed value was refused: they keep it until edited.
    QSet<QLineEdit *> m_refused;
    QSet<QComboBox *> m_typedBoxes; // typed into and not yet taken
};
