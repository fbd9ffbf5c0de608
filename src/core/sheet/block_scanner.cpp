#include "core/sheet/block_scanner.h"

#include "core/css/css_tokenizer.h"
#include "core/sheet/byte_lines.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

bool joinsByItself(char c)
{
    return c == ' ' || c == ',' || c == '>' || c == '+' || c == '~';
}

// The bytes that can change the scan's state: inside a block, and in a
// selector once it has started (where ";" also counts).
struct SpecialBytes {
    bool special[256] = {};
    constexpr SpecialBytes(bool semicolon)
    {
        for (const char c : {'{', '}', '"', '\'', '/', '\\'})
            special[static_cast<unsigned char>(c)] = true;
        // In a selector or an at-rule's prelude brackets count: a "{"
        // inside them opens no block.
        for (const char c : {';', '(', ')', '[', ']'})
            special[static_cast<unsigned char>(c)] = semicolon;
    }
};
constexpr SpecialBytes kBlockSpecial(false);
constexpr SpecialBytes kSelectorSpecial(true);

// Bytes that make a selector need more than trimming: comments, escapes,
// strings, control bytes.
struct SelectorPlain {
    bool plain[256] = {};
    constexpr SelectorPlain()
    {
        for (int b = 32; b < 256; ++b)
            plain[b] = b != 127 && b != '/' && b != '\\' && b != '"' && b != '\'';
    }
};
constexpr SelectorPlain kSelectorPlain;

// Just past the unquoted address that holds the byte at `at` of a line, or
// -1 when none does: the engine reads "url(a/*)" and "url(it's.png)" as one
// address (a bad one for the quote), with no comment or string in it.
qsizetype unquotedUrlEnd(const QByteArray &line, qsizetype at)
{
    qsizetype open = at - 1;
    while (open >= 0 && line[open] != '(' && line[open] != ')' && at - open <= 4096)
        --open;
    if (open < 3 || line[open] != '(' || qstrnicmp(line.constData() + open - 3, "url", 3) != 0)
        return -1;
    // The token read from the function's name says what it is.
    const qsizetype name = open - 3;
    if (name > 0) {
        const auto before = static_cast<unsigned char>(line[name - 1]);
        if (std::isalnum(before) || before == '-' || before == '_' || before == '\\' || before >= 0x80)
            return -1;
    }
    const CssToken token = CssTokenReader(QByteArrayView(line).sliced(name)).next();
    if ((token.type != CssToken::Url && token.type != CssToken::BadUrl) || name + token.to <= at)
        return -1;
    return name + token.to;
}

} // namespace

bool startsConditionalGroup(const QByteArray &line, int column)
{
    if (column >= line.size() || line[column] != '@')
        return false;
    QByteArray name;
    for (int p = column + 1; p < line.size(); ++p) {
        const char c = line[p];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            break;
        name += char(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    for (const char *vendor : {"-webkit-", "-moz-", "-ms-", "-o-"}) {
        if (name.startsWith(vendor)) {
            name.remove(0, qsizetype(std::strlen(vendor)));
            break;
        }
    }
    return name == "media" || name == "supports" || name == "layer" || name == "container" || name == "scope"
        || name == "starting-style" || name == "document";
}

namespace {

// A style rule being scanned, or a conditional rule nested in one.
struct Frame {
    bool style = true;
    TopBlock block;
    int group = -1; // the group its nested rules stand in, once one came
};

// Where a prelude's first byte stands as its selector is read: control
// bytes go, so "\x7f@media" reads as an at-rule.
SheetPos headOf(const ByteLines &lines, SheetPos start, SheetPos open)
{
    for (int k = start.line; k <= open.line && k < lines.size(); ++k) {
        const QByteArray &line = lines[k];
        const int last = k == open.line ? open.column : int(line.size());
        for (int p = k == start.line ? start.column : 0; p < last; ++p) {
            const auto b = static_cast<unsigned char>(line[p]);
            if (b > 32 && b != 127)
                return {k, p};
        }
    }
    return start;
}

// Whether a prelude inside a style rule starts a rule the scan follows: a
// style rule or a conditional group. A custom property's block value and
// other at-rules are not followed.
enum class Nested { Style, Conditional, Other };
Nested nestedKind(const QByteArray &line, int column)
{
    const char c = line[column];
    if (c == '@')
        return startsConditionalGroup(line, column) ? Nested::Conditional : Nested::Other;
    if (c == '-' && column + 1 < line.size() && line[column + 1] == '-')
        return Nested::Other;
    return Nested::Style;
}

// Whether a comment holds what reads as one declaration switched off
// ("/* color: red; */"): it stays with the declarations around it, not with
// a nested rule after it.
bool readsAsDeclaration(QByteArrayView text)
{
    text = text.trimmed();
    qsizetype i = 0;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '-' || text[i] == '_'))
        ++i;
    const qsizetype nameEnd = i;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (nameEnd == 0 || i >= text.size() || text[i] != ':')
        return false;
    const qsizetype semicolon = text.indexOf(';');
    return semicolon < 0 || semicolon == text.size() - 1;
}

bool holdsDeclaration(const ByteLines &lines, SheetPos from, SheetPos to)
{
    // Most comments stand on one line: read in place.
    if (from.line == to.line)
        return readsAsDeclaration(QByteArrayView(lines[from.line]).sliced(from.column + 2, to.column - from.column - 4));
    QByteArray text;
    for (int k = from.line; k <= to.line; ++k) {
        const int first = k == from.line ? from.column : 0;
        const int last = k == to.line ? to.column : int(lines[k].size());
        text += lines[k].mid(first, last - first);
        text += '\n';
    }
    return readsAsDeclaration(QByteArrayView(text).sliced(2, text.size() - 5));
}

} // namespace

SheetScan scanSheet(const ByteLines &lines)
{
    SheetScan scan;
    std::vector<TopBlock> &blocks = scan.blocks;
    blocks.reserve(size_t(lines.size() / 8)); // a rule every few lines
    std::vector<int> open; // the groups the scan is inside, innermost last
    int depth = 0;         // braces open in a top-level block scanned whole
    std::vector<Frame> frames; // the style rules the scan is inside, outermost first
    // What the scan stood at when the outermost style rule opened: a rule
    // whose nesting cannot be followed, or that never closes, goes back to it.
    size_t blocksMark = 0;
    size_t groupsMark = 0;
    SheetPos structureMark;
    bool hadStructure = false;
    SheetPos ownEnd;       // inside a style rule: just after its "{" or its last ";"
    bool ownText = false;  // inside a style rule: text of its own so far
    bool inComment = false;
    SheetPos commentFrom;
    char quote = 0;
    bool quoteGoesOn = false; // the last line ended inside a string, escaped
    int brackets = 0; // "(" and "[" open in a top-level prelude
    bool haveStart = false;
    SheetPos start;
    TopBlock block;
    auto giveUpNesting = [&](int openBraces) {
        block = frames.front().block;
        block.nested = true;
        frames.clear();
        blocks.resize(blocksMark);
        scan.groups.resize(groupsMark);
        scan.afterStructure = structureMark;
        scan.hasStructure = hadStructure;
        depth = openBraces;
    };
    for (int k = 0; k < lines.size(); ++k) {
        const QByteArray &text = lines[k];
        const int len = int(text.size());
        // A string runs past its line only after an escaped line break.
        if (!quoteGoesOn)
            quote = 0;
        quoteGoesOn = false;
        const char *bytes = text.constData();
        for (int p = 0; p < len; ++p) {
            if (inComment) {
                // Straight to the next "*" that may end it.
                const void *star = std::memchr(bytes + p, '*', size_t(len - p));
                if (!star)
                    break;
                p = int(static_cast<const char *>(star) - bytes);
                if (p + 1 < len && bytes[p + 1] == '/') {
                    inComment = false;
                    ++p;
                    if (!frames.empty() && depth == 0 && !haveStart && holdsDeclaration(lines, commentFrom, {k, p + 1}))
                        ownEnd = {k, p + 1};
                }
                continue;
            }
            if (!quote && depth == 0 && !haveStart && isBlank(bytes[p])) {
                // Blanks between statements and declarations only end a
                // prelude's brackets: the run is passed at once.
                brackets = 0;
                do
                    ++p;
                while (p < len && isBlank(bytes[p]));
                if (p == len)
                    break;
            }
            if (!quote && (depth > 0 || haveStart)) {
                const bool *special = (depth > 0 ? kBlockSpecial : kSelectorSpecial).special;
                const auto *at = reinterpret_cast<const unsigned char *>(bytes);
                // Four bytes a step: one branch where there were four.
                while (p + 4 <= len && !(special[at[p]] | special[at[p + 1]] | special[at[p + 2]] | special[at[p + 3]]))
                    p += 4;
                while (p < len && !special[at[p]])
                    ++p;
                if (p == len)
                    break;
            }
            const char c = bytes[p];
            const bool hasNext = p + 1 < len;
            if (quote) {
                if (c == '\\') {
                    // An escaped line break: the string goes on.
                    quoteGoesOn = p + 1 == len;
                    ++p;
                } else if (c == quote) {
                    quote = 0;
                }
                continue;
            }
            if (c == '/' && hasNext && text[p + 1] == '*') {
                if (const qsizetype urlEnd = unquotedUrlEnd(text, p); urlEnd > 0) {
                    p = int(urlEnd) - 1; // part of an address, no comment
                    continue;
                }
                inComment = true;
                commentFrom = {k, p};
                ++p;
                continue;
            }
            if (depth == 0 && !haveStart && !isBlank(c) && c != ';' && c != '{' && c != '}') {
                haveStart = true;
                start = {k, p};
                ownText = true;
            }
            if (c == '\\') {
                ++p;
                continue;
            }
            if (c == '"' || c == '\'') {
                if (const qsizetype urlEnd = unquotedUrlEnd(text, p); urlEnd > 0) {
                    p = int(urlEnd) - 1; // a bad address, no string
                    continue;
                }
                quote = c;
                continue;
            }
            if (depth == 0 && frames.empty() && haveStart) {
                // A prelude's brackets hold what they hold, braces too, as
                // the engine reads "@supports (--f({ a: 1 }))".
                if (c == '(' || c == '[') {
                    ++brackets;
                    continue;
                }
                if (brackets > 0) {
                    if (c == ')' || c == ']')
                        --brackets;
                    continue;
                }
            }
            if (!haveStart)
                brackets = 0;
            if (depth > 0) {
                if (c == '{') {
                    ++depth;
                    block.nested = true;
                } else if (c == '}' && --depth == 0) {
                    block.close = {k, p};
                    block.closed = true;
                    blocks.push_back(block);
                    haveStart = false;
                }
                continue;
            }
            if (!frames.empty()) {
                // Inside a style rule: declarations, and the rules nested in it.
                if (c == ';') {
                    haveStart = false;
                    ownEnd = {k, p + 1};
                } else if (c == '{') {
                    const SheetPos head = headOf(lines, start, {k, p});
                    const Nested kind = haveStart ? nestedKind(lines[head.line], head.column) : Nested::Other;
                    if (kind == Nested::Other || int(frames.size()) >= kMaxNesting) {
                        giveUpNesting(int(frames.size()) + 1);
                        continue;
                    }
                    Frame &parent = frames.back();
                    if (parent.group < 0) {
                        // The parent's own declarations end here; its block
                        // opens a group. A conditional rule without
                        // declarations of its own is a group only.
                        const SheetPos afterOpen{parent.block.open.line, parent.block.open.column + 1};
                        const bool owned = parent.style || !(ownEnd == afterOpen);
                        GroupBlock group;
                        group.start = parent.block.start;
                        group.open = parent.block.open;
                        group.parent = parent.block.group;
                        group.style = parent.style;
                        scan.groups.push_back(group);
                        parent.group = int(scan.groups.size()) - 1;
                        if (owned) {
                            parent.block.close = ownEnd;
                            parent.block.closed = true;
                            parent.block.opens = parent.group;
                            blocks.push_back(parent.block);
                        }
                        scan.afterStructure = owned ? ownEnd : afterOpen;
                        scan.hasStructure = true;
                    }
                    Frame child;
                    child.style = kind == Nested::Style;
                    child.block.start = start;
                    child.block.hasSelector = true;
                    child.block.open = {k, p};
                    child.block.group = parent.group;
                    child.block.afterStructure = scan.afterStructure;
                    child.block.hasStructure = scan.hasStructure;
                    frames.push_back(child);
                    haveStart = false;
                    ownText = false;
                    ownEnd = {k, p + 1};
                } else if (c == '}') {
                    Frame done = std::move(frames.back());
                    frames.pop_back();
                    if (done.group >= 0) {
                        scan.groups[size_t(done.group)].close = {k, p};
                        scan.groups[size_t(done.group)].closed = true;
                        scan.afterStructure = {k, p + 1};
                        scan.hasStructure = true;
                    } else if (done.style || ownText) {
                        done.block.close = {k, p};
                        done.block.closed = true;
                        blocks.push_back(done.block);
                    }
                    haveStart = false;
                }
                continue;
            }
            if (c == '}' && !open.empty()) {
                // The end of the group the scan is in.
                scan.groups[size_t(open.back())].close = {k, p};
                scan.groups[size_t(open.back())].closed = true;
                open.pop_back();
                haveStart = false;
                scan.afterStructure = {k, p + 1};
                scan.hasStructure = true;
            } else if (c == ';' || c == '}') {
                haveStart = false; // a statement or a stray brace ends here
            } else if (c == '{' && haveStart && startsConditionalGroup(lines[start.line], start.column)) {
                GroupBlock group;
                group.start = start;
                group.open = {k, p};
                group.parent = open.empty() ? -1 : open.back();
                scan.groups.push_back(group);
                open.push_back(int(scan.groups.size()) - 1);
                haveStart = false;
                scan.afterStructure = {k, p + 1};
                scan.hasStructure = true;
            } else if (c == '{') {
                block = TopBlock();
                block.open = {k, p};
                block.hasSelector = haveStart;
                block.start = haveStart ? start : block.open;
                block.group = open.empty() ? -1 : open.back();
                block.afterStructure = scan.afterStructure;
                block.hasStructure = scan.hasStructure;
                const SheetPos head = haveStart ? headOf(lines, start, block.open) : start;
                if (haveStart && lines[head.line][head.column] != '@') {
                    // A style rule: what is nested in it is followed.
                    blocksMark = blocks.size();
                    groupsMark = scan.groups.size();
                    structureMark = scan.afterStructure;
                    hadStructure = scan.hasStructure;
                    Frame rule;
                    rule.block = block;
                    frames.push_back(rule);
                    ownEnd = {k, p + 1};
                    ownText = false;
                    haveStart = false;
                } else {
                    depth = 1;
                }
            }
        }
    }
    if (!frames.empty()) {
        // A style rule that never closes is kept as it stands.
        giveUpNesting(1);
        blocks.push_back(block);
    } else if (depth > 0) {
        blocks.push_back(block);
    }
    return scan;
}

WrittenSelector selectorBetween(const ByteLines &lines, SheetPos from, SheetPos to, const QByteArray &known)
{
    WrittenSelector out;
    // Most selectors stand on one line with nothing to take out.
    if (from.line == to.line && from.line < lines.size()) {
        const QByteArray &text = lines[from.line];
        const auto *bytes = reinterpret_cast<const unsigned char *>(text.constData());
        int first = from.column;
        int last = std::min(to.column, int(text.size()));
        int p = first;
        while (p < last && kSelectorPlain.plain[bytes[p]])
            ++p;
        if (p == last) {
            while (first < last && bytes[first] == ' ')
                ++first;
            while (last > first && bytes[last - 1] == ' ')
                --last;
            const QByteArrayView selector(text.constData() + first, last - first);
            out.text = selector == QByteArrayView(known) ? known : selector.toByteArray();
            return out;
        }
    }
    bool separated = false;
    bool inComment = false;
    SheetPos commentFrom;
    char quote = 0;
    QByteArray comment;
    ByteLines held; // comments right after a part of the selector
    auto putAside = [&](const QByteArray &text) {
        out.comments.append(text.split('\n'));
        // The comment's place keeps the parts apart: "b/" and "*" joined
        // would start a comment of their own.
        separated = true;
    };
    auto settle = [&](bool blankAfter) {
        for (const QByteArray &one : std::as_const(held)) {
            if (blankAfter)
                putAside(one);
            else
                out.text.append(one);
        }
        held.clear();
    };
    auto add = [&](char c) {
        if (separated && !out.text.isEmpty() && !joinsByItself(out.text.back()) && !joinsByItself(c))
            out.text.append(' ');
        separated = false;
        out.text.append(c);
    };
    for (int k = from.line; k <= to.line && k < lines.size(); ++k) {
        const QByteArray &text = lines[k];
        const int first = k == from.line ? from.column : 0;
        const int last = k == to.line ? to.column : int(text.size());
        if (k > from.line) {
            settle(true);
            if (inComment)
                comment.append('\n');
            else
                separated = true;
            if (quote)
                out.openQuote = true;
            quote = 0;
        }
        for (int p = first; p < last; ++p) {
            const char c = text[p];
            const bool hasNext = p + 1 < last;
            if (inComment) {
                comment.append(c);
                if (c == '*' && hasNext && text[p + 1] == '/') {
                    comment.append('/');
                    ++p;
                    inComment = false;
                    // A comment with no blank beside it is no blank either:
                    // "a/**/b" is not "a b" (the engine drops it whole), so
                    // it is held until what follows it says which it is.
                    const bool blankBefore = out.text.isEmpty() || separated || joinsByItself(out.text.back());
                    if (!blankBefore && !comment.contains('\n'))
                        held.append(comment);
                    else
                        putAside(comment);
                    comment.clear();
                }
                continue;
            }
            if (!held.isEmpty() && !(c == '/' && hasNext && text[p + 1] == '*'))
                settle(isBlank(c) || joinsByItself(c));
            // An escaped byte is read as the block scan reads it: "\/*" is
            // no comment, and "\"" neither opens nor closes a string.
            if (c == '\\' && hasNext) {
                add(c);
                out.text.append(text[++p]);
                continue;
            }
            if (!quote && c == '/' && hasNext && text[p + 1] == '*') {
                inComment = true;
                comment = "/*";
                ++p;
                continue;
            }
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            }
            const auto b = static_cast<unsigned char>(c);
            if (!quote && (b < 32 || b == 127))
                separated = true;
            else
                add(c);
        }
    }
    settle(true);
    if (!comment.isEmpty())
        out.comments.append(comment.split('\n'));
    if (quote)
        out.openQuote = true;
    qsizetype begin = 0;
    while (begin < out.text.size() && out.text[begin] == ' ')
        ++begin;
    qsizetype end = out.text.size();
    while (end > begin && out.text[end - 1] == ' ')
        --end;
    out.text = out.text.mid(begin, end - begin);
    return out;
}

namespace {

// The pieces of a body: for each line with bytes between the braces, the
// stretch the rule memo holds (leading bytes below 33 go, but the last
// byte always stays) and whether the line ends there. Stops when the
// visitor says so.
template <typename Visit>
bool forEachBodyPiece(const ByteLines &lines, SheetPos open, SheetPos close, Visit visit)
{
    for (int k = open.line; k <= close.line; ++k) {
        const QByteArray &text = lines[k];
        const int len = int(text.size());
        if (len == 0)
            continue;
        const int from = k == open.line ? open.column + 1 : 0;
        const int to = k == close.line ? close.column : len;
        if (to <= from)
            continue;
        int first = from;
        while (first < to - 1 && static_cast<unsigned char>(text[first]) < 33)
            ++first;
        if (!visit(text, first, to, to == len))
            return false;
    }
    return true;
}

} // namespace

ByteLines bodyBetween(const ByteLines &lines, SheetPos open, SheetPos close)
{
    ByteLines body{QByteArray()};
    body.reserve(close.line - open.line + 2);
    forEachBodyPiece(lines, open, close, [&body](const QByteArray &text, int first, int to, bool lineEnds) {
        // A whole line is shared, not copied: the program writes bodies
        // without indentation, so a sheet read back after undo costs no copy.
        body.last() = first == 0 && to == text.size() ? text : text.mid(first, to - first);
        if (lineEnds)
            body.append(QByteArray());
        return true;
    });
    return body;
}

bool bodyIs(const ByteLines &lines, SheetPos open, SheetPos close, const ByteLines &body)
{
    qsizetype at = 0;         // the body line the next piece is compared with
    bool lastFilled = false; // the last line held a piece that did not end it
    const bool same = forEachBodyPiece(lines, open, close, [&](const QByteArray &text, int first, int to, bool lineEnds) {
        if (at >= body.size() || QByteArrayView(text).sliced(first, to - first) != QByteArrayView(body[at]))
            return false;
        lastFilled = !lineEnds;
        if (lineEnds)
            ++at;
        return true;
    });
    // The body's last line is the rest of the line its "}" stands in.
    return same && at == body.size() - 1 && (lastFilled || body[at].isEmpty());
}
