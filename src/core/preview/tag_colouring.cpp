#include "core/preview/tag_colouring.h"

#include <algorithm>

namespace {

bool opens(QChar c)
{
    return c == QLatin1Char('<') || c == QLatin1Char('{');
}

bool closes(QChar c)
{
    return c == QLatin1Char('>') || c == QLatin1Char('}');
}

const QChar kQuote(u'"');

} // namespace

bool isTagCharacter(QChar c)
{
    return opens(c) || closes(c) || c == kQuote;
}

std::vector<TagColour> ColourTagRange(const QString &text, int from, int to)
{
    from = std::max(from, 0);
    to = std::min(to, int(text.size()));
    std::vector<TagColour> colours;
    if (to < from)
        return colours;
    colours.reserve(size_t(to - from + 1));
    bool inTag = false;
    bool inQuote = false;
    TagColour colour = TagColour::Black;
    for (int p = from; p <= to; ++p) {
        const QChar ch = p < text.size() ? text.at(p) : QChar();
        bool openedHere = false;
        if (opens(ch))
            inTag = true;
        if (inTag && ch == kQuote) {
            if (inQuote) {
                inQuote = false;
            } else {
                inQuote = true;
                openedHere = true;
            }
        }
        // An opening quote keeps the colour in front of it.
        if (!openedHere)
            colour = !inTag ? TagColour::Black : (inQuote ? TagColour::Blue : TagColour::Maroon);
        if (p < text.size())
            colours.push_back(colour);
        if (closes(ch))
            inTag = false;
    }
    return colours;
}

bool InsideOpenTag(const QString &text, int caret)
{
    for (int i = std::min(caret, int(text.size())) - 1; i >= 0; --i) {
        if (opens(text.at(i)))
            return true;
        if (closes(text.at(i)))
            return false;
    }
    return false;
}

int FindTagEnd(const QString &text, int caret)
{
    for (int i = caret; i < text.size(); ++i) {
        if (closes(text.at(i)))
            return i + 1;
    }
    return caret >= text.size() ? int(text.size()) + 1 : int(text.size());
}

int FindTagStart(const QString &text, int caret)
{
    for (int i = std::min(caret, int(text.size())) - 1; i >= 0; --i) {
        if (opens(text.at(i)))
            return i + 1;
    }
    return 0;
}

bool deletionChangesTags(const QString &text, int caret, bool backspace, bool hasSelection)
{
    if (hasSelection)
        return true;
    const int at = backspace ? caret - 1 : caret;
    const QChar ch = at >= 0 && at < text.size() ? text.at(at) : QLatin1Char(' ');
    return isTagCharacter(ch);
}

std::optional<TagColour> insertionColour(const QString &text, int caret, TagColour beforeQuote)
{
    if (caret <= 0 || caret > text.size())
        return std::nullopt;
    const QChar c = text.at(caret - 1);
    if (closes(c))
        return TagColour::Black;
    if (opens(c))
        return TagColour::Maroon;
    if (c == kQuote && beforeQuote != TagColour::Blue && InsideOpenTag(text, caret))
        return TagColour::Blue;
    return std::nullopt;
}
