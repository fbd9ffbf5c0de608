#include "core/panels/css_variables.h"

#include <QList>

#include <cctype>

namespace {

constexpr int kMaxDepth = 32;
constexpr qsizetype kMaxLength = 16 * 1024;

// Where "var(" starts, case aside, from `from` on; -1 when there is none.
qsizetype findVar(const QByteArray &text, qsizetype from)
{
    for (qsizetype at = from; at + 4 <= text.size(); ++at) {
        if ((text[at] == 'v' || text[at] == 'V') && (text[at + 1] == 'a' || text[at + 1] == 'A')
            && (text[at + 2] == 'r' || text[at + 2] == 'R') && text[at + 3] == '(') {
            const bool partOfName = at > 0 && (std::isalnum(static_cast<unsigned char>(text[at - 1]))
                                               || text[at - 1] == '-' || text[at - 1] == '_');
            if (!partOfName)
                return at;
        }
    }
    return -1;
}

// The closing bracket that matches the one at `open`, or -1.
qsizetype matchingBracket(const QByteArray &text, qsizetype open)
{
    int depth = 0;
    char quote = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == '\\')
                ++i;
            else if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return i;
        }
    }
    return -1;
}

class Substitution
{
public:
    explicit Substitution(const VariableLookup &lookup) : m_lookup(lookup) {}

    bool looped() const { return m_looped; }

    std::optional<QByteArray> run(const QByteArray &value)
    {
        if (m_depth >= kMaxDepth) {
            m_looped = true;
            return std::nullopt;
        }
        ++m_depth;
        const std::optional<QByteArray> out = substitute(value);
        --m_depth;
        return out;
    }

private:
    std::optional<QByteArray> substitute(const QByteArray &value)
    {
        QByteArray out;
        qsizetype from = 0;
        for (qsizetype at = findVar(value, 0); at >= 0; at = findVar(value, from)) {
            const qsizetype close = matchingBracket(value, at + 3);
            if (close < 0)
                return std::nullopt;
            out += value.mid(from, at - from);
            const std::optional<QByteArray> replaced = one(value.mid(at + 4, close - at - 4));
            if (!replaced)
                return std::nullopt;
            out += *replaced;
            if (out.size() > kMaxLength)
                return std::nullopt;
            from = close + 1;
        }
        out += value.mid(from);
        return out.trimmed();
    }

    // What "var(" ... ")" stands for, given what is between the brackets.
    std::optional<QByteArray> one(const QByteArray &inside)
    {
        const qsizetype comma = inside.indexOf(',');
        const QByteArray name = (comma < 0 ? inside : inside.left(comma)).trimmed();
        if (!name.startsWith("--"))
            return std::nullopt;
        std::optional<QByteArray> result;
        if (m_visiting.contains(name))
            m_looped = true;
        else {
            if (const std::optional<QByteArray> given = m_lookup(name)) {
                m_visiting.append(name);
                result = run(*given);
                m_visiting.removeLast();
            }
        }
        if (result && !result->isEmpty())
            return result;
        if (comma < 0)
            return std::nullopt;
        return run(inside.mid(comma + 1).trimmed());
    }

    const VariableLookup &m_lookup;
    QList<QByteArray> m_visiting;
    int m_depth = 0;
    bool m_looped = false;
};

} // namespace

std::optional<QByteArray> substituteVariables(const QByteArray &value, const VariableLookup &lookup, bool *loop)
{
    if (loop)
        *loop = false;
    if (findVar(value, 0) < 0)
        return value;
    Substitution substitution(lookup);
    const std::optional<QByteArray> out = substitution.run(value);
    if (loop)
        *loop = !out && substitution.looped();
    return out;
}
