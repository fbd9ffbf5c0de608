#include "core/panels/working_text.h"

#include "core/panels/css_overlap.h"
#include "core/panels/prop_rows.h"

namespace {

enum Context : char { Plain, InQuote, InComment, InParens };

// Marks each byte: plain, inside a string, inside a comment, or inside
// parentheses. Matching and splitting look at plain bytes only, so a
// string, a url() or a comment is never cut or read as a declaration.
QByteArray contextsOf(const QByteArray &text)
{
    QByteArray marks(text.size(), Plain);
    const char *in = text.constData();
    char *out = marks.data();
    const qsizetype size = text.size();
    char quote = 0;
    bool comment = false;
    int parens = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = in[i];
        const char next = i + 1 < size ? in[i + 1] : 0;
        if (comment) {
            out[i] = InComment;
            if (c == '*' && next == '/') {
                out[i + 1] = InComment;
                ++i;
                comment = false;
            }
            continue;
        }
        if (quote) {
            out[i] = InQuote;
            if (c == '\\' && next) {
                out[i + 1] = InQuote;
                ++i;
            } else if (c == quote) {
                quote = 0;
            }
            continue;
        }
        if (c == '/' && next == '*') {
            out[i] = InComment;
            comment = true;
            continue;
        }
        if (c == '"' || c == '\'') {
            out[i] = InQuote;
            quote = c;
            continue;
        }
        if (c == '(')
            ++parens;
        out[i] = parens > 0 ? InParens : Plain;
        if (c == ')' && parens > 0)
            --parens;
    }
    return marks;
}

// Whether all that follows the last plain ";" is comments and blanks.
bool endsInCommentsOnly(const QByteArray &text, const QByteArray &marks)
{
    bool comment = false;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (marks[i] == Plain && text[i] == ';')
            break;
        if (marks[i] == InComment)
            comment = true;
        else if (static_cast<unsigned char>(text[i]) > 32)
            return false;
    }
    return comment;
}

QByteArray squeeze(const ByteLines &lines)
{
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line;
    // The last declaration gets its ";" unless it has one: in a string left
    // open (a stray quote) a second one would never be squeezed away and
    // would come back one more each time the rule is read. A comment after
    // the last ";" is no declaration and gets none either.
    QByteArray marks = contextsOf(text);
    if (!text.trimmed().endsWith(';') && !endsInCommentsOnly(text, marks)) {
        text += ';';
        marks += Plain;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) < 33 && marks[i] != InQuote)
            text[i] = ' ';
    }
    auto erase = [&](qsizetype at) {
        text.remove(at, 1);
        marks.remove(at, 1);
    };
    // The cursor never looks at the last byte; a deletion leaves it in place,
    // so runs collapse completely. Strings are left as written.
    qsizetype i = 0;
    while (i < text.size() - 1) {
        if (marks[i] == InQuote || marks[i + 1] == InQuote) {
            ++i;
            continue;
        }
        const char c = text[i];
        const char next = text[i + 1];
        if (c == ' ') {
            if (next == ' ')
                erase(i + 1);
            else if (next == ';' || next == ':')
                erase(i);
            else
                ++i;
        } else if (c == ':') {
            if (next == ' ')
                erase(i + 1);
            else
                ++i;
        } else if (c == ';') {
            if (next == ' ' || next == ';')
                erase(i + 1);
            else
                ++i;
        } else {
            ++i;
        }
    }
    return text;
}

// The next ";" that ends a declaration, or -1.
qsizetype declarationEnd(const QByteArray &text, const QByteArray &marks, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == ';' && marks[i] == Plain)
            return i;
    }
    return -1;
}

// The property a declaration sets: the name before its ":", without any
// comment in front of it.
QByteArray propertyOf(const QByteArray &declaration, const QByteArray &marks)
{
    QByteArray name;
    for (qsizetype i = 0; i < declaration.size(); ++i) {
        if (marks[i] != Plain)
            continue;
        if (declaration[i] == ':')
            return name.trimmed();
        name += declaration[i];
    }
    return {};
}

} // namespace

QByteArray NormaliseDeclarations(const ByteLines &lines)
{
    return latinUpper(squeeze(lines));
}

WorkingText WorkingText::fromLines(const ByteLines &lines)
{
    WorkingText text;
    text.m_original = squeeze(lines);
    text.m_upper = latinUpper(text.m_original);
    return text;
}

const QByteArray &WorkingText::marks() const
{
    if (!m_marksValid) {
        m_marks = contextsOf(m_upper);
        m_marksValid = true;
    }
    return m_marks;
}

qsizetype WorkingText::find(const QByteArray &pattern) const
{
    const QByteArray &marks = this->marks();
    for (qsizetype at = m_upper.indexOf(pattern); at >= 0; at = m_upper.indexOf(pattern, at + 1)) {
        if (marks[at] != Plain)
            continue; // inside a string, a comment or parentheses
        if (at > 0 && m_upper[at - 1] == '-')
            return -1; // the tail of a longer name: the property counts as absent
        // A property's name starts a declaration. Anything else in front
        // ("*margin-top", "_zoom", "$color") makes another name, which old
        // browsers' hacks rely on: no control stands for it.
        if (at > 0 && m_upper[at - 1] != ';' && m_upper[at - 1] != ' ' && marks[at - 1] != InComment)
            continue;
        if (overlapsEarlierDeclaration(at, pattern.left(pattern.indexOf(':'))))
            return -1;
        return at;
    }
    return -1;
}

const QList<WorkingText::Named> &WorkingText::named() const
{
    if (!m_namedValid) {
        m_named.clear();
        const QByteArray &marks = this->marks();
        qsizetype start = 0;
        while (start < m_upper.size()) {
            qsizetype end = declarationEnd(m_upper, marks, start);
            if (end < 0)
                end = m_upper.size();
            m_named.append({start, end, propertyOf(m_upper.mid(start, end - start), marks.mid(start, end - start))});
            start = end + 1;
        }
        m_switchedOff.clear();
        for (qsizetype at = m_upper.indexOf("/*"); at >= 0; at = m_upper.indexOf("/*", at)) {
            if (marks[at] != InComment) {
                at += 2;
                continue;
            }
            const qsizetype close = m_upper.indexOf("*/", at + 2);
            if (close < 0)
                break;
            if (const std::optional<QByteArray> name = switchedOffProperty(m_upper.mid(at, close + 2 - at)))
                m_switchedOff.append({close + 2, *name});
            at = close + 2;
        }
        m_namedValid = true;
    }
    return m_named;
}

bool WorkingText::overlapsEarlierDeclaration(qsizetype at, const QByteArray &property) const
{
    // A declaration that stays aside is written after the generated ones;
    // one that sets the same property before this one must stay before it,
    // so this one stays aside too.
    // A pattern starts with a plain letter, so the contexts before it are
    // the same whether or not the rest of the text follows.
    const QList<Named> &declarations = named();
    for (const SwitchedOff &off : std::as_const(m_switchedOff)) {
        if (off.end > at)
            break;
        if (cssPropertiesOverlap(off.name, property))
            return true;
    }
    for (const Named &d : declarations) {
        if (d.start >= at)
            break;
        if (d.end < at) {
            if (!d.name.isEmpty() && cssPropertiesOverlap(d.name, property))
                return true;
            continue;
        }
        // The declaration the pattern stands in: what comes before it.
        const QByteArray name = propertyOf(m_upper.mid(d.start, at - d.start), marks().mid(d.start, at - d.start));
        return !name.isEmpty() && cssPropertiesOverlap(name, property);
    }
    return false;
}

qsizetype WorkingText::take(const QByteArray &pattern)
{
    const qsizetype at = find(pattern);
    if (at >= 0)
        remove(at, pattern.size());
    return at;
}

WorkingText::Value WorkingText::peek(const QByteArray &head) const
{
    Value value;
    const qsizetype at = find(head);
    if (at < 0)
        return value;
    const qsizetype from = at + head.size();
    // The value runs to the next ";" outside strings, comments and
    // parentheses, so a url() with a ";" in it stays whole.
    const QByteArray &marks = this->marks();
    qsizetype end = declarationEnd(m_upper, marks, from);
    const bool hasSemicolon = end >= 0;
    if (!hasSemicolon)
        end = m_upper.size();
    // A string or comment left open runs over everything after it: no
    // control takes such a value, it stays aside as written.
    if (!hasSemicolon && end > from && (marks[end - 1] == InQuote || marks[end - 1] == InComment))
        return Value();
    value.at = at;
    value.upper = m_upper.mid(from, end - from);
    value.original = m_original.mid(from, end - from);
    value.length = end - at + (hasSemicolon ? 1 : 0);
    return value;
}

void WorkingText::remove(qsizetype at, qsizetype length)
{
    // A whole declaration cut (what the controls take) leaves the contexts
    // and the other declarations as they were: they are moved, not worked
    // out again.
    const bool whole = m_marksValid && m_namedValid && length > 0 && at + length <= m_upper.size()
                       && m_upper[at + length - 1] == ';' && m_marks[at + length - 1] == Plain;
    qsizetype index = -1;
    if (whole) {
        for (qsizetype i = 0; i < m_named.size(); ++i) {
            const Named &d = m_named[i];
            if (d.end == at + length - 1 && d.start <= at) {
                bool blanks = true;
                for (qsizetype k = d.start; k < at && blanks; ++k)
                    blanks = m_upper[k] == ' ' && m_marks[k] == Plain;
                index = blanks ? i : -1;
                break;
            }
        }
    }
    m_upper.remove(at, length);
    m_original.remove(at, length);
    if (index < 0) {
        m_marksValid = false;
        m_namedValid = false;
        return;
    }
    m_marks.remove(at, length);
    const qsizetype start = m_named[index].start;
    m_named.removeAt(index);
    for (qsizetype i = index; i < m_named.size(); ++i) {
        if (i > index)
            m_named[i].start -= length;
        m_named[i].end -= length;
    }
    // The blanks before the cut now lead the next declaration.
    if (index < m_named.size())
        m_named[index].start = start;
    for (SwitchedOff &off : m_switchedOff) {
        if (off.end > at)
            off.end -= length;
    }
}

void WorkingText::removeAll(const QByteArray &upperText)
{
    if (upperText.isEmpty())
        return;
    for (qsizetype at = m_upper.indexOf(upperText); at >= 0; at = m_upper.indexOf(upperText, at))
        remove(at, upperText.size());
}

void WorkingText::trimLeadingSemicolons()
{
    qsizetype n = 0;
    while (n < m_upper.size() && m_upper[n] == ';')
        ++n;
    remove(0, n);
}

ByteLines WorkingText::declarationLines() const
{
    ByteLines lines;
    const QByteArray &marks = this->marks();
    qsizetype start = 0;
    for (qsizetype i = 0; i < m_upper.size(); ++i) {
        if (m_upper[i] == ';' && marks[i] == Plain) {
            lines.append(m_original.mid(start, i + 1 - start));
            start = i + 1;
        }
    }
    lines.append(m_original.mid(start));
    return lines;
}
