#include "core/sheet/byte_lines.h"
#include "core/sheet/cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitText, BreaksAtCrLfLoneCrAndLoneLf)
{
    EXPECT_EQ(splitText("a\r\nb\rc\nd"), (ByteLines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitText("a\r\n"), ByteLines{"a"});
    EXPECT_EQ(splitText("a\r\n\r\n"), (ByteLines{"a", ""}));
    EXPECT_EQ(splitText("\n\r"), (ByteLines{"", ""}));
    EXPECT_TRUE(splitText("").isEmpty());
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
