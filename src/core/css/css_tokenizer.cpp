#include "core/css/css_tokenizer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHex(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A NUL stands for U+FFFD, as CSS Syntax reads it: a letter of a name.
// (Past the end peek() gives NUL too: callers look there with more().)
bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '\0' || static_cast<unsigned char>(c) >= 0x80;
}

bool isNameByte(char c)
{
    return isNameStart(c) || isDigit(c) || c == '-';
}

// isNameByte() as a table, for the loop over a name's bytes.
struct NameBytes {
    bool name[256] = {};
    constexpr NameBytes()
    {
        for (int b = 0; b < 256; ++b)
            name[b] = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '_' || b == '-'
                      || b == 0 || b >= 0x80;
    }
};

bool isNewline(char c)
{
    return c == '\n' || c == '\r' || c == '\f';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || isNewline(c);
}

class Reader
{
public:
    explicit Reader(QByteArrayView text, qsizetype from = 0)
        : s(text), at(from)
    {
    }

    QList<CssToken> all()
    {
        QList<CssToken> out;
        out.reserve(s.size() / 4 + 1);
        while (at < s.size())
            out.append(next());
        return out;
    }

private:
    char peek(qsizetype ahead = 0) const { return at + ahead < s.size() ? s[at + ahead] : '\0'; }
    bool more(qsizetype ahead = 0) const { return at + ahead < s.size(); }

    // Whether the two bytes from `ahead` on start a valid escape; a
    // backslash that ends the text is one (it stands for U+FFFD).
    bool escapeAt(qsizetype ahead = 0) const
    {
        return more(ahead) && peek(ahead) == '\\' && !isNewline(peek(ahead + 1));
    }

    bool identStartsAt(qsizetype ahead = 0) const
    {
        const char c = peek(ahead);
        if (c == '-')
            return (more(ahead + 1) && isNameStart(peek(ahead + 1))) || peek(ahead + 1) == '-' || escapeAt(ahead + 1);
        if (isNameStart(c))
            return more(ahead);
        return c == '\\' && escapeAt(ahead);
    }

    bool numberStartsAt(qsizetype ahead = 0) const
    {
        char c = peek(ahead);
        if (c == '+' || c == '-')
            c = peek(++ahead);
        if (isDigit(c))
            return true;
        return c == '.' && isDigit(peek(ahead + 1));
    }

    void skipEscape()
    {
        ++at; // the backslash
        if (isHex(peek())) {
            for (int n = 0; n < 6 && isHex(peek()); ++n)
                ++at;
            if (peek() == '\r' && peek(1) == '\n')
                at += 2;
            else if (isBlank(peek()))
                ++at;
        } else if (more()) {
            ++at;
        }
    }

    void skipName()
    {
        static constexpr NameBytes names;
        while (more()) {
            if (names.name[static_cast<unsigned char>(s[at])])
                ++at;
            else if (escapeAt())
                skipEscape();
            else
                break;
        }
    }

    CssToken make(CssToken::Type type, qsizetype from) const
    {
        CssToken t;
        t.type = type;
        t.from = from;
        t.to = at;
        return t;
    }

    CssToken string(char quote, qsizetype from)
    {
        ++at;
        while (more()) {
            const char c = peek();
            if (c == quote) {
                ++at;
                return make(CssToken::String, from);
            }
            if (isNewline(c))
                return make(CssToken::BadString, from); // the newline is not part of it
            if (c == '\\') {
                if (!more(1)) {
                    ++at;
                    break;
                }
                // An escaped line break continues the string; any other
                // escape is read whole, a hex one with the blank after it.
                if (peek(1) == '\r' && peek(2) == '\n')
                    at += 3;
                else if (isNewline(peek(1)))
                    at += 2;
                else
                    skipEscape();
                continue;
            }
            ++at;
        }
        CssToken t = make(CssToken::String, from);
        t.closed = false;
        return t;
    }

    CssToken number(qsizetype from)
    {
        bool integer = true;
        if (peek() == '+' || peek() == '-')
            ++at;
        while (isDigit(peek()))
            ++at;
        if (peek() == '.' && isDigit(peek(1))) {
            integer = false;
            at += 2;
            while (isDigit(peek()))
                ++at;
        }
        if ((peek() == 'e' || peek() == 'E')
            && (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
            integer = false;
            at += 2;
            while (isDigit(peek()))
                ++at;
        }
        const qsizetype numberEnd = at;
        CssToken::Type type = CssToken::Number;
        if (identStartsAt()) {
            skipName();
            type = CssToken::Dimension;
        } else if (peek() == '%') {
            ++at;
            type = CssToken::Percentage;
        }
        CssToken t = make(type, from);
        t.numberEnd = numberEnd;
        t.integer = integer;
        // Read in place: a sheet holds numbers by the hundred thousand.
        const char *first = s.data() + from + (s[from] == '+' ? 1 : 0);
        std::from_chars(first, s.data() + numberEnd, t.value);
        return t;
    }

    // After "url(": an unquoted address up to ")", or a bad one.
    CssToken url(qsizetype from)
    {
        while (isBlank(peek()))
            ++at;
        while (more()) {
            const char c = peek();
            if (c == ')') {
                ++at;
                return make(CssToken::Url, from);
            }
            if (isBlank(c)) {
                while (isBlank(peek()))
                    ++at;
                if (peek() == ')' || !more()) {
                    if (more())
                        ++at;
                    return make(CssToken::Url, from);
                }
                break;
            }
            if (c == '"' || c == '\'' || c == '(' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                break;
            if (c == '\\') {
                if (!escapeAt())
                    break;
                skipEscape();
                continue;
            }
            ++at;
        }
        if (!more())
            return make(CssToken::Url, from);
        // The rest of a bad address, escapes included, up to ")".
        while (more()) {
            if (peek() == ')') {
                ++at;
                break;
            }
            if (escapeAt())
                skipEscape();
            else
                ++at;
        }
        return make(CssToken::BadUrl, from);
    }

    CssToken identLike(qsizetype from)
    {
        // A "u+" range: U+26, U+0-7F, U+4??.
        if ((peek() == 'u' || peek() == 'U') && peek(1) == '+' && (isHex(peek(2)) || peek(2) == '?')) {
            at += 2;
            int n = 0;
            while (n < 6 && (isHex(peek()) || peek() == '?')) {
                ++at;
                ++n;
            }
            if (peek() == '-' && isHex(peek(1))) {
                ++at;
                for (n = 0; n < 6 && isHex(peek()); ++n)
                    ++at;
            }
            return make(CssToken::UnicodeRange, from);
        }
        skipName();
        if (peek() != '(')
            return make(CssToken::Ident, from);
        // Only "url(" reads on differently; a name with an escape may spell it.
        const QByteArrayView raw = s.sliced(from, at - from);
        const bool isUrl = raw.size() == 3 ? qstrnicmp(raw.data(), "url", 3) == 0
                                         : raw.contains('\\') && cssTokenName(s, make(CssToken::Ident, from)).toLower() == "url";
        ++at;
        if (isUrl) {
            qsizetype look = at;
            while (look < s.size() && isBlank(s[look]))
                ++look;
            if (look >= s.size() || (s[look] != '"' && s[look] != '\''))
                return url(from);
        }
        return make(CssToken::Function, from);
    }

public:
    CssToken next()
    {
        const qsizetype from = at;
        const char c = peek();
        if (c == '/' && peek(1) == '*') {
            at += 2;
            while (more() && !(peek() == '*' && peek(1) == '/'))
                ++at;
            CssToken t;
            if (more()) {
                at += 2;
                t = make(CssToken::Comment, from);
            } else {
                t = make(CssToken::Comment, from);
                t.closed = false;
            }
            return t;
        }
        if (isBlank(c)) {
            while (isBlank(peek()))
                ++at;
            return make(CssToken::Whitespace, from);
        }
        if (c == '"' || c == '\'')
            return string(c, from);
        if (c == '#') {
            if ((more(1) && isNameByte(peek(1))) || escapeAt(1)) {
                ++at;
                const bool id = identStartsAt();
                skipName();
                CssToken t = make(CssToken::Hash, from);
                t.idHash = id;
                return t;
            }
        } else if (c == '+' || c == '.') {
            if (numberStartsAt())
                return number(from);
        } else if (c == '-') {
            if (numberStartsAt())
                return number(from);
            if (peek(1) == '-' && peek(2) == '>') {
                at += 3;
                return make(CssToken::Cdc, from);
            }
            if (identStartsAt())
                return identLike(from);
        } else if (c == '<') {
            if (peek(1) == '!' && peek(2) == '-' && peek(3) == '-') {
                at += 4;
                return make(CssToken::Cdo, from);
            }
        } else if (c == '@') {
            if (identStartsAt(1)) {
                ++at;
                skipName();
                return make(CssToken::AtKeyword, from);
            }
        } else if (c == '\\') {
            if (escapeAt())
                return identLike(from);
        } else if (isDigit(c)) {
            return number(from);
        } else if (isNameStart(c)) {
            return identLike(from);
        }
        ++at;
        switch (c) {
        case ':': return make(CssToken::Colon, from);
        case ';': return make(CssToken::Semicolon, from);
        case ',': return make(CssToken::Comma, from);
        case '[': return make(CssToken::OpenSquare, from);
        case ']': return make(CssToken::CloseSquare, from);
        case '(': return make(CssToken::OpenParen, from);
        case ')': return make(CssToken::CloseParen, from);
        case '{': return make(CssToken::OpenCurly, from);
        case '}': return make(CssToken::CloseCurly, from);
        default: return make(CssToken::Delim, from);
        }
    }

    QByteArrayView s;
    qsizetype at = 0;
};

// Decodes the escapes of a stretch of a name or a string.
QByteArray unescaped(QByteArrayView s)
{
    QByteArray out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        if (s[i] != '\\') {
            out += s[i++];
            continue;
        }
        ++i;
        if (i >= s.size())
            break;
        if (isNewline(s[i])) { // an escaped newline in a string is nothing
            i += s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        if (!isHex(s[i])) {
            out += s[i++];
            continue;
        }
        uint code = 0;
        for (int n = 0; n < 6 && i < s.size() && isHex(s[i]); ++n, ++i)
            code = code * 16 + uint(isDigit(s[i]) ? s[i] - '0' : (s[i] | 0x20) - 'a' + 10);
        if (i < s.size() && s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            i += 2;
        else if (i < s.size() && isBlank(s[i]))
            ++i;
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = 0xFFFD;
        const char32_t point = code;
        out += QString::fromUcs4(&point, 1).toUtf8();
    }
    return out;
}

} // namespace

QList<CssToken> cssTokens(QByteArrayView text)
{
    return Reader(text).all();
}

qsizetype cssClosingToken(const QList<CssToken> &tokens, qsizetype open)
{
    std::vector<CssToken::Type> closers;
    for (qsizetype k = open; k < tokens.size(); ++k) {
        switch (tokens[k].type) {
        case CssToken::Function:
        case CssToken::OpenParen:
            closers.push_back(CssToken::CloseParen);
            break;
        case CssToken::OpenSquare:
            closers.push_back(CssToken::CloseSquare);
            break;
        case CssToken::OpenCurly:
            closers.push_back(CssToken::CloseCurly);
            break;
        case CssToken::CloseParen:
        case CssToken::CloseSquare:
        case CssToken::CloseCurly:
            // A stray closer of another kind is a token like any other.
            if (!closers.empty() && closers.back() == tokens[k].type) {
                closers.pop_back();
                if (closers.empty())
                    return k;
            }
            break;
        default:
            break;
        }
        if (closers.empty())
            return -1; // `open` opened nothing
    }
    return -1;
}

QByteArray cssWithoutComments(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    CssTokenReader reader(text);
    while (!reader.atEnd()) {
        const CssToken token = reader.next();
        if (token.type != CssToken::Comment)
            out += token.text(text);
    }
    return out;
}

qsizetype cssFindToken(QByteArrayView text, qsizetype from, CssToken::Type type)
{
    from = std::clamp<qsizetype>(from, 0, text.size());
    CssTokenReader reader(text.sliced(from));
    while (!reader.atEnd()) {
        const CssToken token = reader.next();
        if (token.type == type)
            return from + token.from;
    }
    return -1;
}

CssDeclarationMarks cssDeclarationMarks(QByteArrayView text, qsizetype from)
{
    CssDeclarationMarks marks;
    marks.end = text.size();
    int depth = 0;
    CssTokenReader reader(text.sliced(from));
    while (!reader.atEnd()) {
        const CssToken token = reader.next();
        const qsizetype at = from + token.from;
        depth = std::max(0, depth + cssNesting(token.type));
        switch (token.type) {
        case CssToken::Comment:
            marks.comment = true;
            break;
        case CssToken::OpenCurly:
        case CssToken::CloseCurly:
            marks.braces = true;
            break;
        case CssToken::Colon:
            if (depth == 0 && marks.colon < 0)
                marks.colon = at;
            break;
        case CssToken::Delim:
            if (depth == 0 && marks.colon >= 0 && text[at] == '!')
                marks.bang = at;
            break;
        case CssToken::Semicolon:
            if (depth == 0) {
                marks.end = at;
                marks.semicolon = true;
                return marks;
            }
            break;
        default:
            break;
        }
    }
    return marks;
}

CssToken CssTokenReader::next()
{
    const CssToken token = Reader(m_text, m_at).next();
    m_at = token.to;
    return token;
}

namespace {

// The bytes of the name a token holds, escapes still written.
QByteArrayView rawName(QByteArrayView text, const CssToken &token)
{
    QByteArrayView raw = token.text(text);
    switch (token.type) {
    case CssToken::Function:
        raw.chop(1);
        break;
    case CssToken::AtKeyword:
    case CssToken::Hash:
        raw = raw.sliced(1);
        break;
    case CssToken::Dimension:
        raw = text.sliced(token.numberEnd, token.to - token.numberEnd);
        break;
    case CssToken::String:
        raw = raw.sliced(1);
        if (token.closed && !raw.isEmpty())
            raw.chop(1);
        break;
    case CssToken::Url:
        raw = raw.sliced(raw.indexOf('(') + 1);
        if (raw.endsWith(')'))
            raw.chop(1);
        raw = raw.trimmed();
        break;
    default:
        break;
    }
    return raw;
}

} // namespace

QByteArray cssTokenName(QByteArrayView text, const CssToken &token)
{
    return unescaped(rawName(text, token));
}

bool cssTokenNameIs(QByteArrayView text, const CssToken &token, QByteArrayView lower)
{
    const QByteArrayView raw = rawName(text, token);
    if (raw.contains('\\'))
        return unescaped(raw).toLower() == lower;
    return raw.size() == lower.size() && qstrnicmp(raw.data(), raw.size(), lower.data(), lower.size()) == 0;
}

QByteArrayList cssDeclarationTexts(QByteArrayView body)
{
    QByteArrayList out;
    QByteArray current;
    int depth = 0;
    const auto flush = [&] {
        const QByteArray piece = current.trimmed();
        if (!piece.isEmpty())
            out.append(piece);
        current.clear();
    };
    for (const CssToken &t : cssTokens(body)) {
        depth = std::max(0, depth + cssNesting(t.type));
        switch (t.type) {
        case CssToken::Semicolon:
            if (depth == 0) {
                flush();
                continue;
            }
            break;
        case CssToken::Comment:
            current += ' ';
            continue;
        default:
            break;
        }
        current += t.text(body).toByteArray();
    }
    flush();
    return out;
}
