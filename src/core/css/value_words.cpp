#include "core/css/value_words.h"

#include <optional>

namespace {

QList<QByteArray> cutOutside(const QByteArray &value, bool atComma)
{
    QList<QByteArray> out;
    QByteArray current;
    int depth = 0;
    char quote = 0;
    auto flush = [&] {
        const QByteArray trimmed = current.trimmed();
        if (!trimmed.isEmpty() || atComma)
            out.append(trimmed);
        current.clear();
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (quote) {
            if (c == '\\' && i + 1 < value.size()) {
                current += c;
                current += value[++i];
                continue;
            }
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        } else if (depth == 0 && (atComma ? c == ',' : (c == ' ' || c == '\t' || c == '\r' || c == '\n'))) {
            flush();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty() || (atComma && !out.isEmpty()))
        flush();
    return out;
}

} // namespace

QList<QByteArray> valueWords(const QByteArray &value)
{
    return cutOutside(value, false);
}

QList<QByteArray> valueItems(const QByteArray &value)
{
    return cutOutside(value, true);
}

std::optional<QList<QByteArray>> functionArguments(const QByteArray &word, const QByteArray &upperName)
{
    // Names of CSS functions are ASCII.
    if (!word.toUpper().startsWith(upperName + "(") || !word.endsWith(')'))
        return std::nullopt;
    return valueItems(word.mid(upperName.size() + 1, word.size() - upperName.size() - 2));
}

bool isCssWideKeyword(QByteArrayView word)
{
    const QByteArray lower = word.trimmed().toByteArray().toLower();
    return lower == "inherit" || lower == "initial" || lower == "unset" || lower == "revert" || lower == "revert-layer";
}
