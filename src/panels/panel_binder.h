#pragma once

#include "length_input.h"
#include "panel_state.h"

#include <QObject>
#include <QTimer>

class Editor;
class EditorHost;
class QFileDialog;
class QLineEdit;
class QPushButton;
class QToolButton;
class UnitChooser;
struct PanelControls;

// Shows the panel state on the widgets and passes the user's gestures on
// to the panel controller.
class PanelBinder : public QObject
{
    Q_OBJECT
public:
    PanelBinder(Editor &editor, PanelControls &controls, UnitChooser *chooser, QPushButton *applyButton,
                QTimer *fontTimer, QTimer *unitTimer, QWidget *window);

    void show();
    // Empties the length fields that are not in use (when the window first
    // shows).
    void clearUnusedLengths();

    // Chooses a colour for a swatch; the window provides the picker.
    std::function<std::optional<Rgb>(Rgb start)> chooseColor;
    // Chooses a background picture; the window provides the dialog.
    std::function<std::optional<QString>()> choosePicture;
    std::function<void(const QString &)> tellError;
    std::function<void()> focusSink;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void bindFontBoxes();
    void bindToggles();
    void bindChecks();
    void bindLengths();
    void bindUnitChooser();
    bool lengthEvent(Length field, QLineEdit *edit, QEvent *event);
    void openChooser(QToolButton *unitButton);

    Editor &m_editor;
    PanelControls &m_controls;
    UnitChooser *m_chooser;
    QPushButton *m_applyButton;
    QTimer *m_fontTimer;
    QTimer *m_unitTimer;
    QWidget *m_window;
    QToolButton *m_unitTarget = nullptr;
    UnitCountdown m_countdown;
    bool m_showing = false;
};
