#include "core/preview/root_variables.h"

#include "core/sheet/byte_lines.h"

#include <vector>

namespace {

// A custom property's declaration that starts at `at` ("--name:"), its name
// and value; the value ends at a ";" or "}" outside brackets.
struct Declared {
    QByteArray name;
    QByteArray value;
    qsizetype end = 0;
};

std::optional<Declared> declarationAt(const QByteArray &sheet, qsizetype at)
{
    const qsizetype colon = sheet.indexOf(':', at);
    if (colon < 0)
        return std::nullopt;
    const QByteArray name = sheet.mid(at, colon - at).trimmed();
    for (const char c : name) {
        if (c == ';' || c == '{' || c == '}' || static_cast<unsigned char>(c) <= ' ')
            return std::nullopt;
    }
    int depth = 0;
    qsizetype i = colon + 1;
    while (i < sheet.size()) {
        const qsizetype skipped = skipStringOrComment(sheet, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        const char c = sheet[i];
        if (c == '(' || c == '[' || c == '{')
            ++depth;
        else if ((c == ')' || c == ']' || c == '}') && depth > 0)
            --depth;
        else if (depth == 0 && (c == ';' || c == '}'))
            break;
        ++i;
    }
    return Declared{name, sheet.mid(colon + 1, i - colon - 1).trimmed(), i};
}

} // namespace

QHash<QByteArray, QByteArray> stableRootVariables(const QByteArray &sheet)
{
    QHash<QByteArray, int> times;
    QHash<QByteArray, QByteArray> atRoot;
    std::vector<QByteArray> preludes; // of the blocks the scan is in
    qsizetype statement = 0;           // where the current prelude or declaration starts
    for (qsizetype i = 0; i < sheet.size();) {
        const qsizetype skipped = skipStringOrComment(sheet, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        const char c = sheet[i];
        if (c == '{') {
            preludes.push_back(sheet.mid(statement, i - statement).trimmed());
            statement = ++i;
        } else if (c == '}') {
            if (!preludes.empty())
                preludes.pop_back();
            statement = ++i;
        } else if (c == ';') {
            statement = ++i;
        } else if (c == '-' && i + 1 < sheet.size() && sheet[i + 1] == '-' && !preludes.empty()
                   && sheet.mid(statement, i - statement).trimmed().isEmpty()) {
            const std::optional<Declared> declared = declarationAt(sheet, i);
            if (!declared) {
                ++i;
                continue;
            }
            ++times[declared->name];
            if (preludes.size() == 1 && preludes.front() == ":root")
                atRoot.insert(declared->name, declared->value);
            i = declared->end;
            statement = i;
        } else {
            ++i;
        }
    }
    QHash<QByteArray, QByteArray> stable;
    for (auto it = atRoot.cbegin(); it != atRoot.cend(); ++it) {
        if (times.value(it.key()) == 1 && !it.value().isEmpty())
            stable.insert(it.key(), it.value());
    }
    return stable;
}

std::optional<QByteArray> withStableVariables(const QByteArray &text, const QHash<QByteArray, QByteArray> &variables)
{
    QByteArray out = text;
    // A value may name another variable: a few rounds settle any chain a
    // sheet writes; a loop is left as it is and so not lowered.
    for (int round = 0; round < 8; ++round) {
        const qsizetype at = latinUpper(out).indexOf("VAR(");
        if (at < 0)
            return out;
        int depth = 0;
        qsizetype close = -1;
        for (qsizetype i = at + 3; i < out.size() && close < 0; ++i) {
            if (out[i] == '(')
                ++depth;
            else if (out[i] == ')' && --depth == 0)
                close = i;
        }
        if (close < 0)
            return std::nullopt;
        const QByteArray inside = out.mid(at + 4, close - at - 4);
        const qsizetype comma = inside.indexOf(',');
        const QByteArray name = (comma < 0 ? inside : inside.left(comma)).trimmed();
        const auto found = variables.constFind(name);
        if (found == variables.cend())
            return std::nullopt;
        out.replace(at, close + 1 - at, *found);
    }
    return latinUpper(out).contains("VAR(") ? std::nullopt : std::optional<QByteArray>(out);
}
