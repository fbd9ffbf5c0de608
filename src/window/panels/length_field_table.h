#pragma once

#include "core/panels/panel_state.h"

#include <array>

class QLineEdit;
class QObject;
class QToolButton;
class UpDown;
struct PanelControls;

// Binds the edit, stepper and unit button of every length field under one
// number, so the shared handlers find the field a control belongs to.
// Numbers 1 to kLengthCount are the fields in the order of Length; the
// next is the unit button of the font-size box alone; slot 0 holds the
// unit button the chooser is open for.
class LengthFieldTable
{
public:
    static constexpr int kFontSizeUnit = kLengthCount + 1;

    struct Row {
        QLineEdit *edit = nullptr;
        UpDown *upDown = nullptr;
        QToolButton *unit = nullptr;
    };

    explicit LengthFieldTable(const PanelControls &controls);

    const Row &operator[](int number) const { return m_rows[number]; }
    // The number of the field a control belongs to, 0 for none.
    int numberOf(const QObject *control) const;
    static Length field(int number) { return static_cast<Length>(number - 1); }

    QToolButton *unitTarget() const { return m_rows[0].unit; }
    void setUnitTarget(QToolButton *button) { m_rows[0].unit = button; }

private:
    std::array<Row, kFontSizeUnit + 1> m_rows;
};
