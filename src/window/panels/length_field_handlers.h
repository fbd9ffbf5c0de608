#pragma once

#include "window/panels/length_field_table.h"
#include "core/panels/length_input.h"

#include <QObject>
#include <QPointer>

#include <functional>

class Editor;
class QKeyEvent;
class QLineEdit;
class QMainWindow;
class QTimer;
class QToolButton;
class UnitChooser;
struct PanelControls;

// The shared handlers of the 23 length fields, their steppers, the unit
// buttons and the unit chooser. Each finds the field it serves through the
// length field table and hands the gesture to the panel controller.
class LengthFieldHandlers : public QObject
{
    Q_OBJECT
public:
    LengthFieldHandlers(Editor &editor, const PanelControls &controls, UnitChooser *chooser, QTimer *unitTimer,
                        QMainWindow *window);

    const LengthFieldTable &table() const { return m_table; }
    std::function<void(const QString &)> tellError;

    void TEditClick(QLineEdit *sender);
    void TEditDblClick(QLineEdit *sender);
    // Returns true when the key is dealt with and must not reach the edit.
    bool TEditKeyPress(QLineEdit *sender, const QKeyEvent *key);
    void TEditKeyUp(QLineEdit *sender);
    void TEditPasted(QLineEdit *sender);
    void TEditExit(QLineEdit *sender);
    void TEDitUpDownClick(QObject *sender, bool up);
    void AllMouseUp();
    void TButton_MouseDown(QToolButton *sender);
    void Z_AnyRazmClick(QToolButton *sender);
    void Z_cancelClick();
    void Z_TimerTimer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool editEvent(QLineEdit *edit, QEvent *event);
    // The window below its menu bar, in the window's coordinates.
    QRect clientArea() const;
    void closeChooser();

    Editor &m_editor;
    LengthFieldTable m_table;
    UnitChooser *m_chooser;
    QTimer *m_unitTimer;
    QMainWindow *m_window;
    UnitCountdown m_countdown;
    // The edit whose double-click is still to be released: that release
    // ends the double-click and is no click of its own.
    QPointer<QLineEdit> m_doubleClicked;
};
