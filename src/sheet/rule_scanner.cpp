#include "rule_scanner.h"

namespace {

bool isLow(char c) { return static_cast<unsigned char>(c) < 33; }

// Inside braces only these bytes need a look of their own.
bool isBodySpecial(char c)
{
    return c == '{' || c == '}' || c == '/' || c == '*';
}

bool isSelectorByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 32 && b <= 126;
}

// The body line in progress for the current rule on the current sheet line.
// Its bytes are one run of the line, and only the last update of a line is
// visible in the body, so the line is cut out once instead of at every byte.
struct LineInProgress {
    const QByteArray *text = nullptr;
    int start = -1; // first byte of the run, -1 while nothing was added
    int end = 0;    // one past its last byte
    bool reachedLineEnd = false;

    void begin(const QByteArray &line)
    {
        text = &line;
        start = -1;
    }

    // Bytes from..to-1 of the line belong to the body.
    void add(int from, int to, bool lastColumn)
    {
        if (start < 0)
            start = from;
        end = to;
        reachedLineEnd = lastColumn;
    }

    // Leading bytes below 33 are dropped, but the last byte always stays.
    QByteArray part() const
    {
        int from = start;
        while (from < end - 1 && isLow((*text)[from]))
            ++from;
        return text->mid(from, end - from);
    }

    void flushInto(ByteLines &body)
    {
        if (start < 0)
            return;
        const QByteArray cut = part();
        if (body.isEmpty())
            body.append(cut);
        else
            body.last() = cut;
        if (reachedLineEnd)
            body.append(QByteArray());
        start = -1;
    }
};

bool joinsByItself(char c)
{
    return c == ' ' || c == ',' || c == '>' || c == '+' || c == '~';
}

// Collects the selector of the next rule from the bytes outside braces and
// comments. A line break or control byte between two parts stands for a
// blank, so "div" and "p" on two lines stay two compound selectors. A ";"
// ends what came before (an @charset or @import statement, stray text):
// that text stays in front of the rule rather than in its selector.
struct SelectorCollector {
    QByteArray acc;
    bool separated = false;
    int brackets = 0;
    char quote = 0;
    int startLine = -1; // where the first non-blank byte of acc stands
    int startColumn = -1;

    void separate() { separated = true; }

    // A "*" or "/" that is not part of a comment never enters a selector;
    // a selector that lost one ("div *", "[class*=x]") is not the one written.
    bool lostBytes = false;

    void add(char c, int line, int column)
    {
        if (c == ';' && brackets == 0 && quote == 0) {
            clear();
            return;
        }
        if (separated && !acc.isEmpty() && !joinsByItself(acc.back()) && !joinsByItself(c))
            acc.append(' ');
        separated = false;
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++brackets;
        } else if (c == ']' && brackets > 0) {
            --brackets;
        }
        if (startLine < 0 && c != ' ') {
            startLine = line;
            startColumn = column;
        }
        acc.append(c);
    }

    void clear()
    {
        acc.clear();
        lostBytes = false;
        separated = false;
        brackets = 0;
        quote = 0;
        startLine = -1;
        startColumn = -1;
    }
};

} // namespace

QByteArray NormaliseSelector(QByteArray text)
{
    auto trimmable = [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b == 32 || b >= 128;
    };
    qsizetype first = 0;
    while (first < text.size() && trimmable(text[first]))
        ++first;
    text.remove(0, first);
    qsizetype last = text.size();
    while (last > 1 && trimmable(text[last - 1]))
        --last;
    text.truncate(last);
    return text;
}

std::vector<ScannedRule> scanSheet(const ByteLines &lines)
{
    std::vector<ScannedRule> rules;
    rules.reserve(lines.size() / 4 + 1);
    bool inBraces = false;
    bool inComment = false;
    bool closingSlash = false; // the "/" of a "*/" that just ended a comment
    SelectorCollector selector;
    LineInProgress line;

    for (int k = 0; k < lines.size(); ++k) {
        const QByteArray &text = lines[k];
        const int len = static_cast<int>(text.size());
        if (!inBraces && !inComment)
            selector.separate();
        if (len == 0)
            continue;
        line.begin(text);
        for (int p = 0; p < len; ++p) {
            if (inBraces) {
                int q = p;
                while (q < len && !isBodySpecial(text[q]))
                    ++q;
                if (q > p)
                    line.add(p, q, q == len);
                if (q == len)
                    break;
                p = q;
            }
            const char c = text[p];
            const bool hasNext = p + 1 < len;
            const bool slashOfCommentEnd = closingSlash && c == '/';
            closingSlash = false;
            switch (c) {
            case '*':
                if (hasNext && text[p + 1] == '/' && inComment) {
                    inComment = false;
                    closingSlash = true;
                } else if (!inComment && !inBraces) {
                    selector.lostBytes = true;
                }
                break;
            case '/':
                if (hasNext && text[p + 1] == '*')
                    inComment = true;
                else if (!inComment && !inBraces && !slashOfCommentEnd)
                    selector.lostBytes = true;
                break;
            case '{': {
                if (inBraces) {
                    line.flushInto(rules.back().span.body);
                    rules.back().interrupted = true;
                }
                ScannedRule rule;
                rule.span.selector = NormaliseSelector(selector.acc);
                rule.selectorLine = selector.startLine < 0 ? k : selector.startLine;
                rule.selectorColumn = selector.startLine < 0 ? p : selector.startColumn;
                rule.span.openLine = k;
                rule.span.openColumn = p + 1;
                rule.span.body.append(QByteArray());
                rule.openedInComment = inComment;
                rule.lostSelectorBytes = selector.lostBytes;
                rules.push_back(std::move(rule));
                inBraces = true;
                selector.clear();
                line.begin(text);
                continue;
            }
            case '}':
                if (!rules.empty()) {
                    ScannedRule &rule = rules.back();
                    if (inBraces) {
                        line.flushInto(rule.span.body);
                        rule.hasClose = true;
                        rule.endLine = k;
                        rule.endColumn = p + 1;
                        rule.closedInComment = inComment;
                    }
                    rule.span.closeLine = k;
                    rule.span.closeColumn = p + 1;
                }
                inBraces = false;
                continue;
            default:
                if (!inBraces && !inComment) {
                    if (isSelectorByte(c))
                        selector.add(c, k, p);
                    else if (static_cast<unsigned char>(c) < 32 || c == 127)
                        selector.separate();
                }
                break;
            }
            if (inBraces)
                line.add(p, p + 1, p == len - 1);
        }
        if (inBraces)
            line.flushInto(rules.back().span.body);
    }
    return rules;
}

void ScanRule(const ByteLines &lines, int n, RuleSpan &span)
{
    span.selector.clear();
    span.body.clear();
    if (n < 0)
        return;
    std::vector<ScannedRule> rules = scanSheet(lines);
    if (n >= static_cast<int>(rules.size()))
        return;
    const ScannedRule &rule = rules[n];
    span.selector = rule.span.selector;
    span.body = rule.span.body;
    span.openLine = rule.span.openLine;
    span.openColumn = rule.span.openColumn;
    // A "}" met after the rule's own braces still counts for the close fields.
    if (rule.hasClose || rule.span.closeColumn > 0) {
        span.closeLine = rule.span.closeLine;
        span.closeColumn = rule.span.closeColumn;
    }
}
