#include "core/sheet/opening_statements.h"

#include <QList>

#include <algorithm>

namespace {

// Reads the sheet byte by byte across its lines.
class Cursor
{
public:
    explicit Cursor(const ByteLines &lines) : m_lines(lines) {}

    bool atEnd() const { return m_pos.line >= m_lines.size(); }
    char peek(int ahead = 0) const
    {
        SheetPos p = m_pos;
        while (p.line < m_lines.size()) {
            const QByteArray &line = m_lines[p.line];
            if (p.column + ahead < line.size())
                return line[p.column + ahead];
            ahead -= int(line.size()) - p.column;
            // A line break reads as one blank.
            if (ahead == 0)
                return '\n';
            --ahead;
            ++p.line;
            p.column = 0;
        }
        return 0;
    }
    void next()
    {
        const QByteArray &line = m_lines[m_pos.line];
        if (m_pos.column < line.size())
            ++m_pos.column;
        else {
            ++m_pos.line;
            m_pos.column = 0;
        }
    }
    SheetPos pos() const { return m_pos; }

private:
    const ByteLines &m_lines;
    SheetPos m_pos;
};

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

bool isNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
        || static_cast<unsigned char>(c) >= 0x80;
}

// Skips blanks and comments; false when a comment never closes.
bool skipBlanksAndComments(Cursor &c)
{
    while (!c.atEnd()) {
        if (isBlank(c.peek())) {
            c.next();
        } else if (c.peek() == '/' && c.peek(1) == '*') {
            c.next();
            c.next();
            while (!c.atEnd() && !(c.peek() == '*' && c.peek(1) == '/'))
                c.next();
            if (c.atEnd())
                return false;
            c.next();
            c.next();
        } else {
            return true;
        }
    }
    return true;
}

// Runs to the ";" that ends a statement; false at a block or the end.
bool skipStatement(Cursor &c)
{
    int parens = 0;
    while (!c.atEnd()) {
        const char ch = c.peek();
        if (ch == '"' || ch == '\'') {
            c.next();
            while (!c.atEnd() && c.peek() != ch && c.peek() != '\n') {
                if (c.peek() == '\\')
                    c.next();
                c.next();
            }
            if (c.atEnd() || c.peek() == '\n')
                return false;
        } else if (ch == '/' && c.peek(1) == '*') {
            if (!skipBlanksAndComments(c))
                return false;
            continue;
        } else if (ch == '\\') {
            c.next();
        } else if (ch == '(') {
            ++parens;
        } else if (ch == ')') {
            parens = std::max(0, parens - 1);
        } else if (ch == '{' || ch == '}') {
            return false;
        } else if (ch == ';' && parens == 0) {
            c.next();
            return true;
        }
        c.next();
    }
    return false;
}

} // namespace

SheetPos afterOpeningStatements(const ByteLines &lines)
{
    static const QList<QByteArray> kOpening = {"charset", "import", "namespace", "layer"};
    Cursor c(lines);
    SheetPos after;
    while (skipBlanksAndComments(c) && !c.atEnd() && c.peek() == '@') {
        QByteArray name;
        for (int k = 1; isNameByte(c.peek(k)); ++k)
            name += c.peek(k);
        if (!kOpening.contains(name.toLower()))
            break;
        if (!skipStatement(c))
            break;
        after = c.pos();
    }
    return after;
}
