#include "core/panels/length_input.h"

#include "core/panels/panel_state.h"

#include <algorithm>
#include <cmath>

namespace {

// The number at the start of the text: sign, digits, point and fraction.
double leadingNumber(const QByteArray &text)
{
    qsizetype end = 0;
    if (end < text.size() && (text[end] == '-' || text[end] == '+'))
        ++end;
    while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.'))
        ++end;
    bool ok = false;
    const double value = text.left(end).toDouble(&ok);
    return ok ? value : 0.0;
}

LengthKey keyOf(LengthKey::Kind kind, char insert = 0)
{
    LengthKey key;
    key.kind = kind;
    key.insert = insert;
    return key;
}

} // namespace

LengthKey filterLengthKey(const QByteArray &text, char key)
{
    LengthKey result;
    if (static_cast<unsigned char>(key) < ' ')
        return result;
    QByteArray effective = text;
    if (key == ',' || key == '.') {
        if (text.contains('.'))
            return keyOf(LengthKey::Drop);
        result = keyOf(LengthKey::Insert, '.');
    } else if (key == '-') {
        if (text.contains('-')) {
            QByteArray without = text;
            without.remove(text.indexOf('-'), 1);
            return {LengthKey::SetText, 0, without, 0};
        }
        effective = "-" + text;
        result = {LengthKey::SetText, 0, effective, 1};
    } else if (key >= '0' && key <= '9') {
        if (text.indexOf('-') > 0)
            return keyOf(LengthKey::Drop);
    } else {
        return keyOf(LengthKey::Drop);
    }
    if (std::fabs(leadingNumber(effective)) > 9999)
        return keyOf(LengthKey::Drop);
    return result;
}

LengthKey filterFieldKey(FieldKind kind, bool takesKeywords, const QByteArray &text, char key)
{
    const bool letter = (key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z');
    const bool wordTyped = std::any_of(text.begin(), text.end(), [](char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; });
    // A letter starts a keyword only where no number is typed ("7x" is
    // none); over a word, what is typed may be replacing it: leaving the
    // field keeps a keyword or the number.
    const bool number = std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (takesKeywords && ((letter && !number) || wordTyped))
        return keyOf(LengthKey::Pass);
    if (((kind == FieldKind::Number || kind == FieldKind::Percent) && key == '-') || (kind == FieldKind::Integer && (key == '.' || key == ',')))
        return keyOf(LengthKey::Drop);
    // A whole number goes past 9999 (a z-index of 2147483647): ten digits.
    if (kind == FieldKind::Integer && key >= '0' && key <= '9') {
        const auto digits = std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        return text.indexOf('-') > 0 || digits >= 10 ? keyOf(LengthKey::Drop) : keyOf(LengthKey::Pass);
    }
    if (kind == FieldKind::Integer && key == '-') {
        if (text.contains('-')) {
            QByteArray without = text;
            without.remove(text.indexOf('-'), 1);
            return {LengthKey::SetText, 0, without, 0};
        }
        return {LengthKey::SetText, 0, "-" + text, 1};
    }
    return filterLengthKey(text, key);
}

QPoint unitChooserPosition(const QRect &button, const QSize &panel, const QSize &client)
{
    int left = button.x() + button.width() / 2 - panel.width() / 2;
    int top = button.y() + button.height() / 2 + 10 - panel.height() / 2;
    if (left <= 0)
        left = 1;
    if (left >= client.width() - panel.width())
        left = client.width() - panel.width() - 1;
    if (top <= 0)
        top = 1;
    if (top >= client.height() - panel.height())
        top = client.height() - panel.height() - 1;
    return {left, top};
}

std::optional<QByteArray> UnitCountdown::tick()
{
    if (m_count == 0)
        return std::nullopt;
    const QByteArray caption = "(" + QByteArray::number(m_count) + ")";
    --m_count;
    return caption;
}
