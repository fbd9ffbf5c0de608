#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QList>

// The tokens of CSS text as CSS Syntax reads them, over the text's own
// bytes: every byte of 0x80 and above counts as a letter of a name, so the
// same reading serves UTF-8 and single-byte sheets. Comments are kept as
// tokens, so that the text can be rebuilt from the tokens byte for byte.
// A "u+" range (U+0025-00FF) is a token of its own, as in the older
// grammar, so that nothing reads its digits as a number.
struct CssToken {
    enum Type : unsigned char {
        Ident, Function, AtKeyword, Hash, String, BadString, Url, BadUrl, Delim, Number, Percentage, Dimension,
        UnicodeRange, Whitespace, Comment, Cdo, Cdc, Colon, Semicolon, Comma, OpenSquare, CloseSquare,
        OpenParen, CloseParen, OpenCurly, CloseCurly,
    };
    Type type = Delim;
    qsizetype from = 0; // where it starts in the text
    qsizetype to = 0;   // one past its end
    // Numbers, percentages and dimensions: where the number itself ends
    // (the unit or "%" follows) and its value.
    qsizetype numberEnd = 0;
    double value = 0;
    bool integer = false;  // written without a point or an exponent
    bool idHash = false;   // a hash that could be an id ("#a1", not "#1a")
    bool closed = true;    // a string or comment that reaches its end mark

    QByteArrayView text(QByteArrayView source) const { return source.sliced(from, to - from); }
};

// Tokenizes the whole text; the tokens cover it without gaps.
QList<CssToken> cssTokens(QByteArrayView text);

// The token that closes the function, "(", "[" or "{" at `open`, brackets
// of every kind nesting inside, or -1 when it never closes.
qsizetype cssClosingToken(const QList<CssToken> &tokens, qsizetype open);

// How a token changes the depth of groups: +1 for a function, "(", "["
// or "{", -1 for what closes one, 0 for the rest.
inline int cssNesting(CssToken::Type type)
{
    switch (type) {
    case CssToken::Function:
    case CssToken::OpenParen:
    case CssToken::OpenSquare:
    case CssToken::OpenCurly:
        return 1;
    case CssToken::CloseParen:
    case CssToken::CloseSquare:
    case CssToken::CloseCurly:
        return -1;
    default:
        return 0;
    }
}

// Whether a token is a blank or a comment, which separate and say nothing.
inline bool cssIsBlank(const CssToken &token)
{
    return token.type == CssToken::Whitespace || token.type == CssToken::Comment;
}

// The text without its comments (what looks like one inside a string or an
// address stays).
QByteArray cssWithoutComments(QByteArrayView text);

// Where the first token of a type starts, reading from `from` on, or -1:
// the "{" that opens a rule's body, past strings, comments and escapes.
qsizetype cssFindToken(QByteArrayView text, qsizetype from, CssToken::Type type);

// The marks of one declaration read from `from` to its ";" at the top
// level, or to the text's end: where its name ends and its priority may
// start. Brackets and blocks hold what they hold.
struct CssDeclarationMarks {
    qsizetype colon = -1;   // the first ":" at the top level
    qsizetype bang = -1;    // the last "!" after it at the top level
    qsizetype end = 0;      // its ";", or the text's end
    bool semicolon = false; // whether a ";" ends it
    bool comment = false;   // a comment anywhere in it
    bool braces = false;    // a "{" or "}" anywhere in it
};
CssDeclarationMarks cssDeclarationMarks(QByteArrayView text, qsizetype from);

// The same tokens one at a time, for a walk that needs no list of them.
class CssTokenReader
{
public:
    explicit CssTokenReader(QByteArrayView text)
        : m_text(text)
    {
    }
    bool atEnd() const { return m_at >= m_text.size(); }
    CssToken next();

private:
    QByteArrayView m_text;
    qsizetype m_at = 0;
};

// The name a token holds (an ident's, a function's without "(", an
// at-keyword's without "@", a hash's without "#", a dimension's unit) with
// its escapes decoded; a string's or a url's content likewise.
QByteArray cssTokenName(QByteArrayView text, const CssToken &token);

// Whether the name a token holds is `lower` (ASCII, lower case), letters in
// any case: read in place, decoded only when it holds an escape.
bool cssTokenNameIs(QByteArrayView text, const CssToken &token, QByteArrayView lower);

// The declarations of a rule's body as written, cut at each ";" outside
// brackets and blocks, trimmed; comments and empty pieces left out.
QByteArrayList cssDeclarationTexts(QByteArrayView body);
