#include "core/preview/tag_colouring.h"

#include <gtest/gtest.h>

namespace {

// The colours as letters: b black, m maroon, u blue.
std::string colours(const QString &text, int from = 0, int to = 9999999)
{
    std::string out;
    for (const TagColour c : ColourTagRange(text, from, to))
        out += c == TagColour::Black ? 'b' : c == TagColour::Maroon ? 'm' : 'u';
    return out;
}

TEST(TagColouring, TagsValuesAndTextTakeTheirColours)
{
    struct Case {
        const char *text;
        const char *colours;
    };
    const Case cases[] = {
        {"a <b class=\"x\">c</b>", "bbmmmmmmmmmmummbmmmm"},
        {"<style>p {color: red}</style>", "mmmmmmmbbmmmmmmmmmmmmmmmmmmmm"},
        // A ">" inside a value still ends the tag.
        {"<a t=\">\">x", "mmmmmmubbb"},
        // An unbalanced quote makes the next tag's inside blue.
        {"<a t=\"x>y<b>z", "mmmmmmuubuuub"},
        // Quotes outside tags and single quotes are plain text.
        {"\"q\" <i a='v'>", "bbbbmmmmmmmmm"},
        {"<!-- a > b -->", "mmmmmmmmbbbbbb"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(colours(QString::fromUtf8(c.text)), c.colours) << c.text;
    EXPECT_EQ(colours(QStringLiteral("a<b>"), 1, 2), "mm");
    EXPECT_EQ(colours(QStringLiteral("ab"), 2, 1), "");
}

TEST(TagColouring, TagEndsAndStartsAroundTheCaret)
{
    const QString text = QStringLiteral("x <p a=\"1\">y");
    EXPECT_EQ(FindTagStart(text, 5), 3);
    EXPECT_EQ(FindTagStart(text, 2), 0);
    EXPECT_EQ(FindTagEnd(text, 5), 11);
    EXPECT_EQ(FindTagEnd(text, 11), int(text.size()));
    EXPECT_EQ(FindTagEnd(text, int(text.size())), int(text.size()) + 1);
    EXPECT_TRUE(InsideOpenTag(text, 5));
    EXPECT_FALSE(InsideOpenTag(text, 12));
    EXPECT_FALSE(InsideOpenTag(text, 1));
}

TEST(TagColouring, KeysThatMayChangeTagsAndTheInsertionColour)
{
    const QString text = QStringLiteral("ab<p a=\"");
    EXPECT_FALSE(deletionChangesTags(text, 1, true, false));
    EXPECT_TRUE(deletionChangesTags(text, 1, true, true));
    EXPECT_TRUE(deletionChangesTags(text, 3, true, false));
    EXPECT_TRUE(deletionChangesTags(text, 2, false, false));
    EXPECT_FALSE(deletionChangesTags(text, 0, true, false));

    EXPECT_EQ(insertionColour(text, 3, TagColour::Black), TagColour::Maroon);
    EXPECT_EQ(insertionColour(QStringLiteral("<p>"), 3, TagColour::Black), TagColour::Black);
    EXPECT_EQ(insertionColour(text, int(text.size()), TagColour::Maroon), TagColour::Blue);
    EXPECT_EQ(insertionColour(text, int(text.size()), TagColour::Blue), std::nullopt);
    EXPECT_EQ(insertionColour(QStringLiteral("\""), 1, TagColour::Black), std::nullopt);
    EXPECT_EQ(insertionColour(text, 1, TagColour::Black), std::nullopt);
    EXPECT_EQ(insertionColour(text, 0, TagColour::Black), std::nullopt);
}

} // namespace
