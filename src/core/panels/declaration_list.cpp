#include "core/panels/declaration_list.h"

#include "core/sheet/byte_lines.h"

namespace {

// Calls `piece` with each stretch between plain ";", the stretch with its
// comments blanked out (strings and brackets kept), and where it starts.
template<typename Piece>
void splitDeclarations(const QByteArray &text, Piece piece)
{
    QByteArray plain = text; // comments blanked, same length
    char quote = 0;
    bool comment = false;
    int parens = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : 0;
        if (comment) {
            plain[i] = ' ';
            if (c == '*' && next == '/') {
                plain[i + 1] = ' ';
                ++i;
                comment = false;
            }
        } else if (quote) {
            if (c == '\\')
                ++i;
            else if (c == quote)
                quote = 0;
        } else if (c == '/' && next == '*') {
            plain[i] = ' ';
            comment = true;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++parens;
        } else if (c == ')' && parens > 0) {
            --parens;
        } else if (c == ';' && parens == 0) {
            piece(text.mid(start, i - start), plain.mid(start, i - start), start);
            start = i + 1;
        }
    }
    if (start < text.size())
        piece(text.mid(start), plain.mid(start), start);
}

Declaration fromPiece(const QByteArray &plain)
{
    Declaration d;
    const qsizetype colon = plain.indexOf(':');
    if (colon < 0)
        return d;
    const QByteArray name = plain.left(colon).trimmed();
    // A blank ends a name unless it ends an escape ("--\31 x").
    if (name.isEmpty() || (name.contains(' ') && !name.contains('\\')) || name.contains('{') || name.contains('}'))
        return d;
    d.name = name.startsWith("--") ? name : latinUpper(name);
    d.value = withoutPriority(plain.mid(colon + 1).trimmed(), &d.important);
    return d;
}

} // namespace

bool isWholeValue(const QByteArray &value)
{
    char quote = 0;
    int depth = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (quote) {
            if (c == '\\')
                ++i;
            else if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(' || c == '[') {
            ++depth;
        } else if (c == ')' || c == ']') {
            if (--depth < 0)
                return false;
        } else if (c == '{' || c == '}' || (c == ';' && depth == 0)) {
            return false;
        } else if (c == '/' && i + 1 < value.size() && value[i + 1] == '*') {
            return false; // a comment could swallow the rest of the rule
        }
    }
    return quote == 0 && depth == 0;
}

QString badValueMessage()
{
    return QStringLiteral("Значение не может содержать «;», «{» или «}» вне кавычек и скобок, а также "
                          "комментарии; кавычки и скобки в нём должны закрываться.");
}

QByteArray withoutPriority(const QByteArray &value, bool *important)
{
    *important = false;
    const qsizetype bang = value.lastIndexOf('!');
    if (bang < 0)
        return value;
    QByteArray mark = latinUpper(value.mid(bang + 1));
    mark.replace(' ', "");
    if (mark != "IMPORTANT")
        return value;
    *important = true;
    return value.left(bang).trimmed();
}

QList<Declaration> declarationsOf(const QByteArray &text)
{
    QList<Declaration> out;
    splitDeclarations(text, [&out](const QByteArray &, const QByteArray &plain, qsizetype) {
        Declaration d = fromPiece(plain);
        if (!d.name.isEmpty())
            out.append(std::move(d));
    });
    return out;
}

Declaration declarationOf(const QByteArray &text)
{
    Declaration d;
    splitDeclarations(text, [&d](const QByteArray &, const QByteArray &plain, qsizetype) {
        if (d.name.isEmpty())
            d = fromPiece(plain);
    });
    return d;
}

std::optional<ValuePlace> winningValue(const QByteArray &text, const QByteArray &name)
{
    std::optional<ValuePlace> last, lastImportant;
    splitDeclarations(text, [&](const QByteArray &, const QByteArray &plain, qsizetype start) {
        const Declaration d = fromPiece(plain);
        if (d.name != name)
            return;
        // The value stands between the colon and its "!important", blanks
        // and comments around it left out: in the plain text both are blank.
        qsizetype from = plain.indexOf(':') + 1;
        qsizetype to = plain.size();
        if (d.important)
            to = plain.lastIndexOf('!');
        while (from < to && static_cast<unsigned char>(plain[from]) <= ' ')
            ++from;
        while (to > from && static_cast<unsigned char>(plain[to - 1]) <= ' ')
            --to;
        const ValuePlace place{start + from, start + to, d.important};
        last = place;
        if (d.important)
            lastImportant = place;
    });
    return lastImportant ? lastImportant : last;
}
