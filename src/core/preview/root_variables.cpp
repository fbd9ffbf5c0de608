#include "core/preview/root_variables.h"

#include "core/css/css_tokenizer.h"

#include <algorithm>
#include <vector>

QHash<QByteArray, QByteArray> stableRootVariables(const QByteArray &sheet)
{
    const QList<CssToken> tokens = cssTokens(sheet);
    QHash<QByteArray, int> times;
    QHash<QByteArray, QByteArray> atRoot;
    std::vector<QByteArray> preludes; // of the blocks the scan is in
    qsizetype statement = 0;           // where the current prelude or declaration starts
    bool started = false;              // and whether it has begun
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const CssToken &token = tokens[k];
        switch (token.type) {
        case CssToken::OpenCurly:
            preludes.push_back(sheet.mid(statement, token.from - statement).trimmed());
            break;
        case CssToken::CloseCurly:
            if (!preludes.empty())
                preludes.pop_back();
            break;
        case CssToken::Semicolon:
            break;
        default:
            if (cssIsBlank(token))
                continue;
            if (!started && !preludes.empty() && token.type == CssToken::Ident && token.text(sheet).startsWith("--")) {
                // A custom property: its value runs to the ";" or "}" that
                // ends it, brackets and blocks inside it.
                qsizetype colon = k + 1;
                while (colon < tokens.size() && cssIsBlank(tokens[colon]))
                    ++colon;
                if (colon < tokens.size() && tokens[colon].type == CssToken::Colon) {
                    qsizetype end = colon + 1;
                    while (end < tokens.size() && tokens[end].type != CssToken::Semicolon
                           && tokens[end].type != CssToken::CloseCurly) {
                        const CssToken::Type type = tokens[end].type;
                        const bool opens = type == CssToken::Function || type == CssToken::OpenParen
                                           || type == CssToken::OpenSquare || type == CssToken::OpenCurly;
                        // A bracket that never closes holds the rest of the sheet.
                        const qsizetype close = opens ? cssClosingToken(tokens, end) : end;
                        end = close < 0 ? tokens.size() : close + 1;
                    }
                    const QByteArray name = token.text(sheet).toByteArray();
                    const qsizetype valueEnd = end < tokens.size() ? tokens[end].from : sheet.size();
                    ++times[name];
                    if (preludes.size() == 1 && preludes.front() == ":root")
                        atRoot.insert(name, sheet.mid(tokens[colon].to, valueEnd - tokens[colon].to).trimmed());
                    k = end - 1;
                    started = true;
                    continue;
                }
            }
            started = true;
            continue;
        }
        statement = token.to;
        started = false;
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
    for (int round = 0; round < 9; ++round) {
        const QList<CssToken> tokens = cssTokens(out);
        const auto var = std::find_if(tokens.cbegin(), tokens.cend(), [&](const CssToken &token) {
            return token.type == CssToken::Function && cssTokenName(out, token).toLower() == "var";
        });
        if (var == tokens.cend())
            return out;
        if (round == 8)
            return std::nullopt;
        const qsizetype open = var - tokens.cbegin();
        const qsizetype close = cssClosingToken(tokens, open);
        if (close < 0)
            return std::nullopt;
        qsizetype nameEnd = open + 1;
        while (nameEnd < close && tokens[nameEnd].type != CssToken::Comma)
            ++nameEnd;
        const QByteArray name = out.mid(var->to, tokens[nameEnd].from - var->to).trimmed();
        const auto found = variables.constFind(name);
        if (found == variables.cend())
            return std::nullopt;
        out.replace(var->from, tokens[close].to - var->from, *found);
    }
    return std::nullopt;
}
