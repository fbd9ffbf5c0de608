#include "core/sheet/byte_lines.h"
#include "core/sheet/cp1251.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(SplitText, BreaksAtCrLfLoneCrAndLoneLf)
{
    EXPECT_EQ(splitText("a\r\nb\rc\nd"), (ByteLines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitText("a\r\n"), ByteLines{"a"});
    EXPECT_EQ(splitText("a\r\n\r\n"), (ByteLines{"a", ""}));
    EXPECT_EQ(splitText("\n\r"), (ByteLines{"", ""}));
    EXPECT_TRUE(splitText("").isEmpty());
}

TEST(SplitText, ReusesTheKnownLinesThatStayAndCopiesTheRest)
{
    const ByteLines known{"a {", "color: red;", "}", "b {", "margin: 0;", "}"};
    struct Case {
        const char *name;
        QByteArray text;
        QList<bool> shared; // each line taken from the known ones
    };
    const Case cases[] = {
        {"Same", "a {\r\ncolor: red;\r\n}\r\nb {\r\nmargin: 0;\r\n}\r\n", {true, true, true, true, true, true}},
        {"OneLineChanged", "a {\r\ncolor: blue;\r\n}\r\nb {\r\nmargin: 0;\r\n}\r\n", {true, false, true, true, true, true}},
        {"LineAddedKeepsTheEnd", "a {\r\ncolor: red;\r\nx: 1;\r\n}\r\nb {\r\nmargin: 0;\r\n}\r\n",
         {true, true, false, true, true, true, true}},
        {"LineRemovedKeepsTheEnd", "a {\r\n}\r\nb {\r\nmargin: 0;\r\n}\r\n", {true, true, true, true, true}},
        {"OtherBreaksAndNoLastBreak", "a {\ncolor: red;\r}\r\nnew", {true, true, true, false}},
        {"Empty", "", {}},
    };
    for (const Case &c : cases) {
        const ByteLines lines = splitTextReusing(c.text, known);
        EXPECT_EQ(lines, splitText(c.text)) << c.name;
        ASSERT_EQ(lines.size(), c.shared.size()) << c.name;
        for (qsizetype k = 0; k < lines.size(); ++k) {
            const bool shared = std::any_of(known.cbegin(), known.cend(),
                                            [&](const QByteArray &line) { return line.isSharedWith(lines[k]); });
            EXPECT_EQ(shared, c.shared[k]) << c.name << " line " << k;
        }
    }
}

TEST(JoinLines, PutsCrLfAfterEveryLine)
{
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(joinLines({}), "");
}

TEST(LatinUpper, FoldsOnlyAToZ)
{
    EXPECT_EQ(latinUpper("color: \xe0\xff z;"), "COLOR: \xe0\xff Z;");
}

TEST(Cp1251, EveryByteSurvivesTheWayThroughText)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(cp1251::encode(cp1251::decode(all)), all);
}

TEST(Cp1251, ShowsCyrillicLetters)
{
    EXPECT_EQ(cp1251::decode("\xcf\xf0\xe8\xe2\xe5\xf2 \xa8\xb8"), QStringLiteral("Привет Ёё"));
    EXPECT_EQ(cp1251::encode(QStringLiteral("Стиль")), "\xd1\xf2\xe8\xeb\xfc");
    EXPECT_EQ(cp1251::encode(QStringLiteral("€™")), "\x88\x99");
    EXPECT_EQ(cp1251::encode(QStringLiteral("中")), "?");
}

} // namespace
