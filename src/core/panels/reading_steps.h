#pragma once

#include "core/css/css_color.h"
#include "core/panels/css_variables.h"
#include "core/panels/panel_state.h"
#include "core/panels/working_text.h"

#include <QByteArray>
#include <QSet>

#include <functional>

#include <optional>

// The steps every reading of a rule into the panels is made of: a value as
// a control takes it, noted as the rule wrote it; lengths and colours
// shown in their controls.
namespace reading {

QByteArray digitsOf(const QByteArray &text);
// Whether a field's text holds a number to write (not a lone "-" or ".").
bool hasDigit(const QByteArray &text);
// The unit after a plain length's number, in small letters.
QByteArray unitLettersOf(const QByteArray &upper);
// A plain number, optionally followed by a CSS length unit or "%" (and the
// old "ih"). Anything else (auto, calc(), a variable, a priority mark) is
// not a value the length fields can show and so stays as the user wrote it.
bool isPlainLength(const QByteArray &upper);
bool hasPriority(const QByteArray &upper);

// What a reading knows beyond the rule's text: the custom properties the
// rule and the sheet give, and the rule's own colour for currentColor.
struct ReadContext {
    VariableLookup variables;
    Rgb current{0, 0, 0};
};

// A declaration's value as a control takes it: without its priority, in
// capitals and as written.
struct Taken {
    WorkingText::Value at;
    QByteArray upper;
    QByteArray original;
    bool important = false;
};

Taken takenFrom(const WorkingText::Value &value);
// Cuts what a control took and notes how the rule wrote it.
void noteTaken(WorkingText &text, PanelState &panels, const QByteArray &key, const Taken &taken);

// The declaration of `key` (in capitals) taken when the rule names it and
// `show` can show its value.
void loadNamed(WorkingText &text, PanelState &panels, const QSet<QByteArray> &named, const QByteArray &key,
               const std::function<bool(const Taken &)> &show);

std::optional<Rgb> readColorValue(const QByteArray &original, const ReadContext &context);

// A length, number or keyword shown in its field; false for a value the
// field cannot show.
bool showLength(PanelState &panels, Length field, const QByteArray &upper);
// The declaration under `head` ("MARGIN-TOP:") taken into its field, where
// the field can show it.
void loadLength(WorkingText &text, PanelState &panels, const char *head, Length field);

bool showColor(PanelState &panels, Swatch swatch, const QByteArray &original, const ReadContext &context);
// A colour read onto a swatch; a colour the swatch cannot show stays aside.
bool loadColor(WorkingText &text, PanelState &panels, const char *head, Swatch swatch, Rgb absent,
               const ReadContext &context);

} // namespace reading
