#pragma once

#include <QChar>
#include <QString>

#include <optional>
#include <vector>

// The tag colouring of the HTML editor: text black, tags (from "<" to ">"
// and from "{" to "}") maroon, attribute values in double quotes blue.
// Positions count the characters of the editor's own text.
enum class TagColour : unsigned char { Black, Maroon, Blue };

// The colours of the positions from to to (both included, clamped to the
// text; the position after the last character takes no colour), starting
// outside any tag. An opening quote keeps the colour in front of it.
std::vector<TagColour> ColourTagRange(const QString &text, int from, int to);

// Whether the caret stands inside a tag that is still open.
bool InsideOpenTag(const QString &text, int caret);
// The 1-based index of the first ">" or "}" after the caret, the length of
// the text when there is none (and one more at the end of the text).
int FindTagEnd(const QString &text, int caret);
// The 1-based index of the nearest "<" or "{" before the caret, 0 for none.
int FindTagStart(const QString &text, int caret);

// Whether a key may change the tag structure, so the tag around the caret
// is coloured again when it is released.
bool isTagCharacter(QChar c);
bool deletionChangesTags(const QString &text, int caret, bool backspace, bool hasSelection);

// The colour the next typed character takes, decided from the character
// before the caret; nothing when it stays as it is. beforeQuote is the
// colour of the character in front of a quote standing before the caret.
std::optional<TagColour> insertionColour(const QString &text, int caret, TagColour beforeQuote);
