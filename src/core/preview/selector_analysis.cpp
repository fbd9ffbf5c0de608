#include "core/preview/selector_analysis.h"

#include "core/css/css_tokenizer.h"

#include <algorithm>

namespace {

// The index of the token after the group opened at `open` (a function, a
// "(" or a "["), or the end when it never closes.
qsizetype afterGroup(const QList<CssToken> &tokens, qsizetype open)
{
    const qsizetype close = cssClosingToken(tokens, open);
    return close < 0 ? tokens.size() : close + 1;
}

// The text inside the function at `open`, up to its ")".
QByteArrayView argumentsOf(QByteArrayView s, const QList<CssToken> &tokens, qsizetype open)
{
    const qsizetype close = cssClosingToken(tokens, open);
    const qsizetype end = close < 0 ? s.size() : tokens[close].from;
    return s.sliced(tokens[open].to, end - tokens[open].to);
}

bool isDelim(QByteArrayView s, const QList<CssToken> &tokens, qsizetype k, char c)
{
    return k < tokens.size() && tokens[k].type == CssToken::Delim && s[tokens[k].from] == c;
}

// A pseudo-class or pseudo-element from the colon at `k`: its name, lower
// case, whether it has two colons, the token of its name and the index
// after it (after its arguments for a function).
struct Pseudo {
    QByteArray name;
    bool element = false;
    qsizetype nameToken = -1;
    qsizetype end = 0;
};

Pseudo pseudoAt(QByteArrayView s, const QList<CssToken> &tokens, qsizetype k)
{
    Pseudo pseudo;
    qsizetype n = k + 1;
    if (n < tokens.size() && tokens[n].type == CssToken::Colon) {
        pseudo.element = true;
        ++n;
    }
    pseudo.end = n;
    if (n >= tokens.size() || (tokens[n].type != CssToken::Ident && tokens[n].type != CssToken::Function))
        return pseudo;
    pseudo.nameToken = n;
    pseudo.name = cssTokenName(s, tokens[n]).toLower();
    pseudo.end = tokens[n].type == CssToken::Function ? afterGroup(tokens, n) : n + 1;
    return pseudo;
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


} // namespace

QByteArrayList splitSelectorList(QByteArrayView list)
{
    QByteArrayList out;
    qsizetype start = 0;
    auto take = [&](qsizetype end) {
        const QByteArray one = list.sliced(start, end - start).toByteArray().trimmed();
        if (!one.isEmpty())
            out.append(one);
    };
    const QList<CssToken> tokens = cssTokens(list);
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const CssToken::Type type = tokens[k].type;
        if (type == CssToken::Function || type == CssToken::OpenParen || type == CssToken::OpenSquare) {
            k = afterGroup(tokens, k) - 1;
        } else if (type == CssToken::Comma) {
            take(tokens[k].from);
            start = tokens[k].to;
        }
    }
    take(list.size());
    return out;
}

Specificity selectorSpecificity(QByteArrayView s)
{
    Specificity weight;
    const QList<CssToken> tokens = cssTokens(s);
    for (qsizetype k = 0; k < tokens.size();) {
        const CssToken &token = tokens[k];
        switch (token.type) {
        case CssToken::Hash:
            ++weight.ids;
            break;
        case CssToken::Delim:
            if (s[token.from] == '.' && k + 1 < tokens.size() && tokens[k + 1].type == CssToken::Ident) {
                ++weight.classes;
                ++k;
            }
            break;
        case CssToken::OpenSquare:
            ++weight.classes;
            k = afterGroup(tokens, k);
            continue;
        case CssToken::Function:
        case CssToken::OpenParen:
            k = afterGroup(tokens, k);
            continue;
        case CssToken::Ident:
            // "ns|p": the namespace prefix is not a type.
            if (!isDelim(s, tokens, k + 1, '|'))
                ++weight.types;
            break;
        case CssToken::Colon: {
            const Pseudo pseudo = pseudoAt(s, tokens, k);
            const bool function = pseudo.nameToken >= 0 && tokens[pseudo.nameToken].type == CssToken::Function;
            const QByteArrayView args = function ? argumentsOf(s, tokens, pseudo.nameToken) : QByteArrayView();
            const QByteArray &name = pseudo.name;
            if (pseudo.nameToken < 0) {
                // A colon with no name after it weighs nothing.
            } else if (pseudo.element) {
                ++weight.types;
                // ::slotted() weighs its argument as well; ::part() and
                // the rest only as a pseudo-element.
                if (function && name == "slotted")
                    weight += mostSpecific(args);
            } else if (!function) {
                if (isLegacyPseudoElement(name))
                    ++weight.types;
                else
                    ++weight.classes;
            } else if (name == "is" || name == "not" || name == "has" || name == "matches" || name == "-webkit-any"
                       || name == "-moz-any") {
                weight += mostSpecific(args);
            } else if (name != "where") {
                ++weight.classes;
                if (name == "nth-child" || name == "nth-last-child")
                    weight += mostSpecific(nthOfList(args));
                else if (name == "host" || name == "host-context")
                    weight += mostSpecific(args);
            }
            k = pseudo.end;
            continue;
        }
        default:
            break;
        }
        ++k;
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
    const QList<CssToken> tokens = cssTokens(s);
    for (qsizetype k = 0; k < tokens.size();) {
        const CssToken &token = tokens[k];
        if (token.type == CssToken::Whitespace || isDelim(s, tokens, k, '>') || isDelim(s, tokens, k, '+')
            || isDelim(s, tokens, k, '~')) {
            endCompound();
            out += token.text(s);
            ++k;
            continue;
        }
        if (token.type == CssToken::Comment) {
            out += token.text(s);
            ++k;
            continue;
        }
        qsizetype end = k + 1;
        if (token.type == CssToken::Colon) {
            const Pseudo pseudo = pseudoAt(s, tokens, k);
            if (pseudo.nameToken >= 0 && (pseudo.element || isLegacyPseudoElement(pseudo.name))) {
                form.pseudoElement = true;
                compoundStripped = true;
                k = pseudo.end;
                continue;
            }
            if (pseudo.nameToken >= 0 && !pseudo.element && isUserState(pseudo.name)
                && tokens[pseudo.nameToken].type == CssToken::Ident) {
                const QByteArray state = ':' + pseudo.name;
                if (!form.states.contains(state))
                    form.states.append(state);
                compoundStripped = true;
                k = pseudo.end;
                continue;
            }
            end = pseudo.end;
        } else if (token.type == CssToken::Function || token.type == CssToken::OpenParen
                   || token.type == CssToken::OpenSquare) {
            end = afterGroup(tokens, k);
        }
        const qsizetype to = end < tokens.size() ? tokens[end].from : s.size();
        out += s.sliced(token.from, to - token.from);
        compoundKept = true;
        k = end;
    }
    endCompound();
    return form;
}
