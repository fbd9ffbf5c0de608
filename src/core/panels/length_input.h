#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// What a key typed into a length field does to its text.
struct LengthKey {
    enum Kind {
        Pass,    // the key reaches the field unchanged
        Drop,    // the key is swallowed
        Insert,  // this character is inserted in its place
        SetText, // the field's text becomes newText, caret at caretAt
    } kind = Pass;
    char insert = 0;
    QByteArray newText;
    int caretAt = 0;
};

// The key filter of the length fields: digits, one point (a comma turns
// into one), a minus that toggles in front, and no number above 9999.
LengthKey filterLengthKey(const QByteArray &text, char key);
// The same for a field of the given kind: a field that takes keywords
// takes letters too where no number stands ("auto"), a number field of 0
// or more no minus, and a whole-number field no point. The text is the
// field's without what the key replaces.
enum class FieldKind;
LengthKey filterFieldKey(FieldKind kind, bool takesKeywords, const QByteArray &text, char key);

// Where the unit chooser opens for a unit button: centred on it, 10 pixels
// down, kept inside the window's client area.
QPoint unitChooserPosition(const QRect &button, const QSize &panel, const QSize &client);

// The chooser's countdown: "Отмена" for a second, then (5) to (1), then
// it closes on its own.
class UnitCountdown
{
public:
    void start() { m_count = 5; }
    // One tick: the caption to show, or nothing when the chooser closes.
    std::optional<QByteArray> tick();

private:
    int m_count = 0;
};
