#pragma once

#include "core/panels/panel_state.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>
#include <optional>

struct TrackEdit;
class RuleMemo;
class SheetStore;
class StyleCommit;
struct LayoutGroup;

// What the user does on the panels, and what follows: the controls' state
// changes, the declarations are regenerated into the rule memo and, where
// the gesture is complete, the change is committed to the sheet.
class PanelController
{
public:
    PanelController(PanelState &panels, SheetStore &store, StyleCommit &commit);

    // Regenerates the declarations from the panels.
    void regenerate();
    // Marks the sheet changed, regenerates and commits.
    void changeAndCommit();

    // Option buttons: a click puts an up button down and raises a down one.
    void optionClicked(const QByteArray &buttonName);
    void boldClicked(bool down);

    // Check boxes: the click toggles, the release commits.
    void swatchCheckClicked(Swatch swatch, bool checked);
    void transparentClicked(bool checked);
    void checkReleased() { changeAndCommit(); }
    void backGroundAttClicked(bool checked);
    void backGroundAttReleased();
    // A colour picked for a swatch; nothing happens without a choice.
    void swatchColorChosen(Swatch swatch, std::optional<Rgb> color);
    // A picture chosen for the background, already made relative to the
    // sheet's folder where it lies below it.
    void backGroundPictureChosen(const QByteArray &path);

    // Length fields.
    void lengthClicked(Length field);
    void lengthTyped(Length field, const QByteArray &text);
    void lengthLeft(Length field, const QByteArray &text);
    void lengthDoubleClicked(Length field);
    // Steps the field's text up or down by one, or rounds it when it has a
    // point. Returns false when the text is no number to step from.
    bool lengthStepped(Length field, bool up, const QByteArray &text);
    void unitChosen(std::optional<Length> field, const QByteArray &unit);

    // Font boxes. Family, alternative family and weight changes are written
    // a moment later (finishFontChange), so the box can close first.
    void familyChanged(int selected, const QByteArray &text);
    void family2Changed(int selected, const QByteArray &text);
    void weightChanged(int selected, const QByteArray &text);
    void sizeChanged(int selected, const QByteArray &text);
    void finishFontChange();
    std::function<void()> startFontTimer;

    // The text typed into the rule memo goes to the panels and the sheet.
    void applyTypedDeclarations();

    // The grid's text fields, taken when Enter is pressed or the field is
    // left. A track list that is none is refused: the rule stays as it was.
    // Returns false for a refused value.
    bool textFieldEdited(TextField field, const QByteArray &text);
    // A track more ("1fr") or the last one less, for columns or rows.
    void gridTrackAdded(TextField field);
    void gridTrackRemoved(TextField field);
    void gridDenseClicked(bool dense);

    // Check boxes of one keyword, and boxes of keywords (an empty text
    // takes the property out).
    void flagClicked(Flag flag, bool checked);
    void keywordChosen(KeywordBox box, const QByteArray &text);
    // The opacity slider: a drag shows as it goes and is written, once, when
    // the slider is let go; a step of the keyboard is written at once.
    void opacityDragged(int percent);
    void opacitySet(int percent);

    // The side the border controls show and change; the rule is read again
    // for it.
    void borderSideChosen(int side);
    // Shadow and transition layers: choosing one shows its parts; adding,
    // deleting and the parts without a field of their own write at once.
    void shadowSelected(int layer);
    void shadowAdded();
    void shadowDeleted();
    void shadowInsetClicked(bool inset);
    void transitionSelected(int layer);
    void transitionAdded();
    void transitionDeleted();
    void transitionPropertyChosen(const QByteArray &text);
    void transitionTimingChosen(const QByteArray &text);
    // The easing curve's handles: a drag shows as it goes and is written
    // once, when the handle is let go.
    void easingDragged(const std::array<double, 4> &points);
    void easingSet(const std::array<double, 4> &points);

    // A passing message for the status bar.
    std::function<void(const QString &)> showMessage;

private:
    void applyTrackEdit(TextField field, const TrackEdit &edit);
    // What else a field's change means: corners covered, a layer's part.
    void fieldChanged(Length field);
    // A value for all corners takes over the corners' own fields.
    void coverCornersBy(Length field);
    // Says once for the rule when a layout property cannot act on what the
    // rule matches.
    void noteLayoutTarget(const QByteArray &key);
    // What start and end write for the group now: their flex forms in a
    // flex container (or its item), their own elsewhere.
    QByteArray keywordFor(const LayoutGroup &group, int button) const;

    static void fontBoxChanged(FontBox &box, int selected, const QByteArray &text);
    void fontBoxDone();

    PanelState &m_panels;
    SheetStore &m_store;
    // The field typed into since it was last left.
    std::optional<Length> m_typedField;
    // The rule and the kinds of layout note already said for it.
    int m_notedRow = -1;
    int m_notedKinds = 0;
    StyleCommit &m_commit;
};

// Keeps digits, "-" and "." (a "," becomes "."), as a length field does
// when it is left.
QByteArray cleanLengthText(const QByteArray &text);
// The same for a field of any kind: a keyword it takes stays, a number
// field keeps what its numbers may be.
QByteArray cleanFieldText(Length field, const QByteArray &text);

// The address under which a chosen picture is written into the sheet: a
// picture in the sheet's folder or below it is given relative to the sheet.
QString pictureAddress(const QString &picture, const QString &sheetPath);
