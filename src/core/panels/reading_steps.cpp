#include "core/panels/reading_steps.h"

#include "core/panels/declaration_list.h"
#include "core/sheet/byte_lines.h"

#include <QRegularExpression>

#include <algorithm>

namespace reading {

QByteArray digitsOf(const QByteArray &text)
{
    QByteArray out;
    for (const char c : text) {
        if ((c >= '0' && c <= '9') || c == '-' || c == '.')
            out += c;
    }
    return out;
}

bool hasDigit(const QByteArray &text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The unit after a plain length's number, in small letters.
QByteArray unitLettersOf(const QByteArray &upper)
{
    qsizetype from = 0;
    while (from < upper.size() && ((upper[from] >= '0' && upper[from] <= '9') || upper[from] == '-'
                                   || upper[from] == '+' || upper[from] == '.'))
        ++from;
    return upper.mid(from).toLower();
}

// A plain number, optionally followed by a CSS length unit or "%" (and the
// old "ih"). Anything else (auto, calc(), a variable, a priority mark) is
// not a value the length fields can show and so stays as the user wrote it.
bool isPlainLength(const QByteArray &upper)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[+-]?([0-9]+(\\.[0-9]+)?|\\.[0-9]+)(PC|PT|IH|IN|MM|PX|%|CM|EM|EX|REM|VW|VH|VMIN|VMAX|CH|LH|RLH|DVH|SVH|LVH|"
                       "DVW|SVW|LVW|CQW|CQH|CQI|CQB|CQMIN|CQMAX|Q)?$"));
    return pattern.match(QString::fromLatin1(upper)).hasMatch();
}

bool hasPriority(const QByteArray &upper)
{
    return upper.contains('!');
}

Taken takenFrom(const WorkingText::Value &value)
{
    Taken t{value, {}, {}, false};
    t.original = withoutPriority(value.original, &t.important);
    t.upper = latinUpper(t.original);
    return t;
}

// Cuts what a control took and notes how the rule wrote it.
void noteTaken(WorkingText &text, PanelState &panels, const QByteArray &key, const Taken &taken)
{
    text.cut(taken.at);
    panels.asRead[key] = {QByteArray(), taken.original, taken.important, false};
}

void loadNamed(WorkingText &text, PanelState &panels, const QSet<QByteArray> &named, const QByteArray &key,
               const std::function<bool(const Taken &)> &show)
{
    if (!named.contains(key))
        return;
    const WorkingText::Value value = text.peek(key + ":");
    if (!value.found())
        return;
    const Taken taken = takenFrom(value);
    if (show(taken))
        noteTaken(text, panels, key, taken);
}

std::optional<Rgb> readColorValue(const QByteArray &original, const ReadContext &context)
{
    const std::optional<QByteArray> plain = substituteVariables(original, context.variables);
    if (!plain)
        return std::nullopt;
    return CssToColor(latinUpper(*plain), context.current);
}

bool showLength(PanelState &panels, Length field, const QByteArray &upper)
{
    LengthValue &length = panels.length(field);
    if (fieldKeywords(field).contains(upper.toLower())) {
        length.text = upper.toLower();
        length.inUse = true;
        return true;
    }
    if (!isPlainLength(upper))
        return false;
    if (fieldKind(field) == FieldKind::Percent) {
        // Opacity: 0.9 or 90% shows as 90.
        bool ok = false;
        const bool percent = upper.endsWith('%');
        const double number = (percent ? upper.chopped(1) : upper).toDouble(&ok) * (percent ? 1 : 100);
        if (!ok || number < 0 || number > 100)
            return false;
        length.text = QByteArray::number(number, 'g', 6);
        length.inUse = true;
        length.unit.clear();
        return true;
    }
    if (fieldKind(field) != FieldKind::Length) {
        // A number field shows plain numbers only: no unit, no fraction
        // where a whole number is wanted, nothing below 0 for grow and shrink.
        bool ok = false;
        const double number = upper.toDouble(&ok);
        if (!ok || (fieldKind(field) == FieldKind::Integer && upper.contains('.'))
            || (fieldKind(field) == FieldKind::Number && number < 0))
            return false;
        length.text = upper.startsWith('+') ? upper.mid(1) : upper;
        length.inUse = true;
        length.unit.clear();
        return true;
    }
    length.text = digitsOf(upper);
    length.inUse = true;
    length.unit = unitLettersOf(upper);
    // The unit button shows what is written. A bare zero alone is written
    // back as it stands and offers px for the number typed over it (a line
    // height is a bare number).
    if (length.unit.isEmpty() && field != Length::LineHeight && length.text.toDouble() == 0)
        length.unit = "px";
    return true;
}

void loadLength(WorkingText &text, PanelState &panels, const char *head, Length field)
{
    const WorkingText::Value value = text.peek(head);
    if (!value.found())
        return;
    const Taken taken = takenFrom(value);
    if (showLength(panels, field, taken.upper))
        noteTaken(text, panels, QByteArray(head).chopped(1), taken);
}

bool showColor(PanelState &panels, Swatch swatch, const QByteArray &original, const ReadContext &context)
{
    const std::optional<Rgb> color = readColorValue(original, context);
    if (!color)
        return false;
    panels.swatch(swatch) = {*color, true, original};
    return true;
}

// A colour read onto a swatch; a colour the swatch cannot show stays aside.
bool loadColor(WorkingText &text, PanelState &panels, const char *head, Swatch swatch, Rgb absent,
               const ReadContext &context)
{
    const WorkingText::Value value = text.peek(head);
    if (value.found()) {
        const Taken taken = takenFrom(value);
        if (showColor(panels, swatch, taken.original, context)) {
            noteTaken(text, panels, QByteArray(head).chopped(1), taken);
            return true;
        }
    }
    panels.swatch(swatch).color = absent;
    return false;
}

} // namespace reading
