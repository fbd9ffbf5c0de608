// Finding a word in a text: literal, case aside, around the ends.
#include "core/editor/text_search.h"

#include <gtest/gtest.h>

namespace {

TEST(TextSearch, MatchesAreLiteralCaseAsideAndFoundAroundTheEnds)
{
    EXPECT_EQ(matchesOf(u"a.b A*B a.B", u"A.B"), (QList<qsizetype>{0, 8}));
    EXPECT_EQ(matchesOf(u"Цвет цВЕТ", u"цвет"), (QList<qsizetype>{0, 5}));
    EXPECT_EQ(matchesOf(u"aaaa", u"aa"), (QList<qsizetype>{0, 2})) << "matches do not overlap";
    EXPECT_TRUE(matchesOf(u"abc", u"").isEmpty());
    const QList<qsizetype> at = {2, 7, 12};
    EXPECT_EQ(matchFrom(at, 0, true), 0);
    EXPECT_EQ(matchFrom(at, 7, true), 1) << "a match at the caret is the next";
    EXPECT_EQ(matchFrom(at, 13, true), 0) << "around the end";
    EXPECT_EQ(matchFrom(at, 7, false), 0);
    EXPECT_EQ(matchFrom(at, 2, false), 2) << "around the start";
    EXPECT_EQ(matchFrom({}, 0, true), -1);
}

TEST(TextSearch, TheCountReadsInRussian)
{
    const std::pair<int, const char *> cases[] = {{0, "0 совпадений"},  {1, "1 совпадение"},   {3, "3 совпадения"},
                                                  {5, "5 совпадений"},  {11, "11 совпадений"}, {12, "12 совпадений"},
                                                  {21, "21 совпадение"}, {104, "104 совпадения"}, {111, "111 совпадений"}};
    for (const auto &[count, text] : cases)
        EXPECT_EQ(matchCountText(count), QString::fromUtf8(text)) << count;
}

} // namespace
