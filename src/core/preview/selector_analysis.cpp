#include "core/preview/selector_analysis.h"

#include <algorithm>

namespace {

bool isNameByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
           || u >= 0x80;
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The end of the escape at i: up to six hex digits and one blank after
// them, or the one character escaped.
qsizetype escapeEnd(QByteArrayView s, qsizetype i)
{
    qsizetype at = i + 1;
    if (at >= s.size() || !isHexDigit(s[at]))
        return std::min(at + 1, s.size());
    while (at < s.size() && at < i + 7 && isHexDigit(s[at]))
        ++at;
    if (at < s.size() && (s[at] == ' ' || s[at] == '\t' || s[at] == '\n' || s[at] == '\f'))
        ++at;
    else if (at < s.size() && s[at] == '\r')
        at += at + 1 < s.size() && s[at + 1] == '\n' ? 2 : 1;
    return at;
}

// The end of a name starting at i; an escape is part of the name.
qsizetype nameEnd(QByteArrayView s, qsizetype i)
{
    while (i < s.size()) {
        if (s[i] == '\\' && i + 1 < s.size())
            i = escapeEnd(s, i);
        else if (isNameByte(s[i]))
            ++i;
        else
            break;
    }
    return i;
}

// The end of a string opened by the quote at i (one past the closing quote).
qsizetype stringEnd(QByteArrayView s, qsizetype i)
{
    const char quote = s[i];
    for (++i; i < s.size(); ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == quote)
            return i + 1;
    }
    return s.size();
}

// The end of the bracketed stretch opened at i (one past its closing
// bracket), nested brackets and strings included.
qsizetype groupEnd(QByteArrayView s, qsizetype i)
{
    int depth = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            i = stringEnd(s, i);
            continue;
        }
        if (c == '\\') {
            i += 2;
            continue;
        }
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && --depth == 0)
            return i + 1;
        ++i;
    }
    return s.size();
}

QByteArray lowerName(QByteArrayView s, qsizetype from, qsizetype to)
{
    return s.sliced(from, to - from).toByteArray().toLower();
}

Specificity mostSpecific(QByteArrayView list)
{
    Specificity best;
    for (const QByteArray &one : splitSelectorList(list))
        best = std::max(best, selectorSpecificity(one));
    return best;
}

Specificity &operator+=(Specificity &a, const Specificity &b)
{
    a.ids += b.ids;
    a.classes += b.classes;
    a.types += b.types;
    return a;
}

// The selector list after " of " in the arguments of :nth-child(), if any.
QByteArrayView nthOfList(QByteArrayView args)
{
    const QByteArray lower = args.toByteArray().toLower();
    const qsizetype at = lower.indexOf(" of ");
    return at < 0 ? QByteArrayView() : args.sliced(at + 4);
}

bool isLegacyPseudoElement(const QByteArray &name)
{
    return name == "before" || name == "after" || name == "first-line" || name == "first-letter";
}

bool isUserState(const QByteArray &name)
{
    static const QByteArrayList states = {"hover",        "active", "focus",  "focus-visible",
                                          "focus-within", "visited", "target", "-moz-focusring"};
    return states.contains(name);
}

bool isCombinatorOrBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '>' || c == '+' || c == '~';
}

} // namespace

QByteArrayList splitSelectorList(QByteArrayView list)
{
    QByteArrayList out;
    qsizetype start = 0;
    qsizetype i = 0;
    auto take = [&](qsizetype end) {
        const QByteArray one = list.sliced(start, end - start).toByteArray().trimmed();
        if (!one.isEmpty())
            out.append(one);
    };
    while (i < list.size()) {
        const char c = list[i];
        if (c == '"' || c == '\'') {
            i = stringEnd(list, i);
        } else if (c == '(' || c == '[') {
            i = groupEnd(list, i);
        } else if (c == '\\') {
            i += 2;
        } else if (c == ',') {
            take(i);
            start = ++i;
        } else {
            ++i;
        }
    }
    take(std::min(i, list.size()));
    return out;
}

Specificity selectorSpecificity(QByteArrayView s)
{
    Specificity weight;
    qsizetype i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '#') {
            ++weight.ids;
            i = nameEnd(s, i + 1);
        } else if (c == '.') {
            ++weight.classes;
            i = nameEnd(s, i + 1);
        } else if (c == '[') {
            ++weight.classes;
            i = groupEnd(s, i);
        } else if (c == ':' && i + 1 < s.size() && s[i + 1] == ':') {
            ++weight.types;
            const qsizetype nameFrom = i + 2;
            i = nameEnd(s, nameFrom);
            if (i < s.size() && s[i] == '(') {
                const qsizetype close = groupEnd(s, i);
                // ::slotted() weighs its argument as well; ::part() and
                // the rest only as a pseudo-element.
                if (lowerName(s, nameFrom, i) == "slotted")
                    weight += mostSpecific(s.sliced(i + 1, std::max<qsizetype>(0, close - i - 2)));
                i = close;
            }
        } else if (c == ':') {
            const qsizetype nameFrom = i + 1;
            i = nameEnd(s, nameFrom);
            const QByteArray name = lowerName(s, nameFrom, i);
            if (i < s.size() && s[i] == '(') {
                const qsizetype close = groupEnd(s, i);
                const QByteArrayView args = s.sliced(i + 1, std::max<qsizetype>(0, close - i - 2));
                i = close;
                if (name == "is" || name == "not" || name == "has" || name == "matches" || name == "-webkit-any"
                    || name == "-moz-any") {
                    weight += mostSpecific(args);
                } else if (name != "where") {
                    ++weight.classes;
                    if (name == "nth-child" || name == "nth-last-child")
                        weight += mostSpecific(nthOfList(args));
                    else if (name == "host" || name == "host-context")
                        weight += mostSpecific(args);
                }
            } else if (isLegacyPseudoElement(name)) {
                ++weight.types;
            } else {
                ++weight.classes;
            }
        } else if (c == '*') {
            ++i;
        } else if (c == '|') {
            ++i;
        } else if (isNameByte(c) || c == '\\') {
            const qsizetype end = nameEnd(s, i);
            // "ns|p": the namespace prefix is not a type.
            const bool prefix = end < s.size() && s[end] == '|' && (end + 1 >= s.size() || s[end + 1] != '=');
            if (!prefix && !(c >= '0' && c <= '9'))
                ++weight.types;
            i = std::max(end, i + 1);
        } else if (c == '"' || c == '\'') {
            i = stringEnd(s, i);
        } else if (c == '(') {
            i = groupEnd(s, i);
        } else {
            ++i;
        }
    }
    return weight;
}

MatchForm matchForm(QByteArrayView s)
{
    MatchForm form;
    QByteArray &out = form.selector;
    out.reserve(s.size());
    bool compoundKept = false;    // something of the current compound written
    bool compoundStripped = false; // something of it taken out
    auto endCompound = [&] {
        if (compoundStripped && !compoundKept)
            out += '*';
        compoundKept = compoundStripped = false;
    };
    qsizetype i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (isCombinatorOrBlank(c)) {
            endCompound();
            out += c;
            ++i;
            continue;
        }
        if (c == ':') {
            const bool element = i + 1 < s.size() && s[i + 1] == ':';
            const qsizetype nameFrom = i + (element ? 2 : 1);
            qsizetype end = nameEnd(s, nameFrom);
            const QByteArray name = lowerName(s, nameFrom, end);
            if (end < s.size() && s[end] == '(')
                end = groupEnd(s, end);
            if (element || isLegacyPseudoElement(name)) {
                form.pseudoElement = true;
                compoundStripped = true;
                i = end;
                continue;
            }
            if (isUserState(name)) {
                const QByteArray state = ':' + name;
                if (!form.states.contains(state))
                    form.states.append(state);
                compoundStripped = true;
                i = end;
                continue;
            }
            out += s.sliced(i, end - i);
            compoundKept = true;
            i = end;
            continue;
        }
        qsizetype end = i + 1;
        if (c == '[' || c == '(')
            end = groupEnd(s, i);
        else if (c == '"' || c == '\'')
            end = stringEnd(s, i);
        else if (c == '\\' || isNameByte(c))
            end = std::max(nameEnd(s, i), i + 1);
        out += s.sliced(i, end - i);
        compoundKept = true;
        i = end;
    }
    endCompound();
    return form;
}
