#include "core/sheet/sheet_encoding.h"
#include "core/editor/editor.h"
#include "core/sheet/sheet_file_io.h"

#include "../support/fake_host.h"
#include "../support/file_bytes.h"
#include "../support/scripted_questioner.h"
#include "../support/settings_reset.h"

#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

const QByteArray kCyrillicUtf8 = QStringLiteral("кнопка").toUtf8();
const QByteArray kCyrillic1251 = "\xea\xed\xee\xef\xea\xe0"; // "кнопка"

TEST(SheetEncoding, DecidedByMarkThenCharsetThenTheBytes)
{
    using E = SheetEncoding;
    const struct {
        const char *name;
        QByteArray text;
        E expected;
    } cases[] = {
        {"Empty", "", E::Utf8},
        {"AsciiOnly", "p { color: red }", E::Utf8},
        {"Charset1251OnAscii", "@charset \"windows-1251\";\r\np {}", E::Windows1251},
        {"FourByteSequence", ".a\xF0\x9F\x98\x80 {}", E::Utf8},
        {"HalfASurrogatePair", ".a\xED\xA0\x80 {}", E::Windows1251},
        {"ValidUtf8", "." + kCyrillicUtf8 + " {}", E::Utf8},
        {"Windows1251Bytes", "." + kCyrillic1251 + " {}", E::Windows1251},
        {"Utf8UpToOneStrayByte", "." + kCyrillicUtf8 + " {}\r\n/* \xff */", E::Windows1251},
        {"ByteOrderMark", "\xEF\xBB\xBFp {}", E::Utf8},
        {"ByteOrderMarkAlone", "\xEF\xBB\xBF", E::Utf8},
        {"ByteOrderMarkOverBadBytes", "\xEF\xBB\xBF." + kCyrillic1251 + " {}", E::Windows1251},
        {"CharsetUtf8OnAscii", "@charset \"UTF-8\";\r\np {}", E::Utf8},
        {"CharsetLowerCase", "@charset \"utf-8\";\r\np {}", E::Utf8},
        {"Charset1251OverValidUtf8", "@charset \"Windows-1251\";\r\n." + kCyrillicUtf8 + " {}", E::Windows1251},
        {"CharsetCp1251Alias", "@charset \"cp1251\";\r\np {}", E::Windows1251},
        {"CharsetUtf8OverBadBytes", "@charset \"utf-8\";\r\n." + kCyrillic1251 + " {}", E::Windows1251},
        {"UnknownCharsetFallsBack", "@charset \"koi8-r\";\r\n." + kCyrillicUtf8 + " {}", E::Utf8},
        {"CharsetNotAtTheStart", "p {}\r\n@charset \"windows-1251\";", E::Utf8},
    };
    for (const auto &c : cases)
        EXPECT_EQ(detectSheetEncoding(splitText(c.text)), c.expected) << c.name;
}

TEST(SheetCodec, TextComesBackAndWhatTheEncodingLacksBecomesAnEscape)
{
    const SheetCodec utf8(SheetEncoding::Utf8), cp1251(SheetEncoding::Windows1251);
    const QString typed = QStringLiteral("content: \"→ Привет «😀»\"");
    EXPECT_EQ(utf8.decode(utf8.encode(typed)), typed);
    EXPECT_EQ(utf8.encode(typed), typed.toUtf8());
    // Windows-1251 has the Cyrillic letters and the quotes, not the arrow
    // or the face.
    EXPECT_EQ(cp1251.encode(typed), QByteArray("content: \"\\2192  \xcf\xf0\xe8\xe2\xe5\xf2 \xab\\1F600 \xbb\""));
    EXPECT_EQ(cp1251.decode(cp1251.encode(QStringLiteral("Привет"))), QStringLiteral("Привет"));
    // Separators are line breaks in either encoding.
    for (const SheetCodec *codec : {&utf8, &cp1251}) {
        EXPECT_EQ(codec->encode(QStringLiteral("a") + QChar(QChar::LineSeparator) + QStringLiteral("b")), "a\nb");
        EXPECT_EQ(codec->encode(QStringLiteral("a") + QChar(QChar::ParagraphSeparator) + QStringLiteral("b")), "a\nb");
    }
    // Every byte of a Windows-1251 sheet comes back.
    QByteArray everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte += char(b);
    EXPECT_EQ(cp1251.encode(cp1251.decode(everyByte)), everyByte);
}

class Utf8SheetFile : public testing::Test
{
protected:
    void SetUp() override
    {
        clearProgramSettings();
        editor.files().NewSheet();
    }

    QTemporaryDir dir;
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
};

TEST_F(Utf8SheetFile, SavedWithItsMarkItsCharsetAndValidUtf8)
{
    const QString path = dir.filePath(QStringLiteral("u.css"));
    const QByteArray original = "\xEF\xBB\xBF@charset \"UTF-8\";\r\n." + kCyrillicUtf8 + " {\r\ncolor: red;\r\n}\r\n";
    ASSERT_TRUE(writeTextFile(path, original, nullptr));
    ASSERT_TRUE(editor.files().OpenSheet(path));
    EXPECT_EQ(editor.store().encoding(), SheetEncoding::Utf8);
    EXPECT_EQ(editor.store().codec().decode(editor.store().list().item(0)), QStringLiteral(".кнопка"));
    EXPECT_EQ(readAll(path + QStringLiteral(".ORIGINAL")), original) << "the copy is the file's bytes";

    // A letter the panels bring in and one typed into the rule.
    editor.store().memo().setLines(
        splitText(editor.store().codec().encode(QStringLiteral("color: red;\nquotes: \"«Ж»\";"))));
    editor.panelController().optionClicked("Text_Align_Center");
    ASSERT_TRUE(editor.files().SaveSheet());
    const QByteArray saved = readAll(path);
    EXPECT_TRUE(saved.startsWith("\xEF\xBB\xBF@charset \"UTF-8\";\r\n")) << saved.constData();
    EXPECT_EQ(saved.count("\xEF\xBB\xBF"), 1);
    EXPECT_TRUE(saved.contains(QStringLiteral("quotes:\"«Ж»\";").toUtf8())) << saved.constData();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder(saved);
    EXPECT_FALSE(decoder.hasError()) << saved.constData();

    // A new sheet is UTF-8, without a mark.
    editor.files().ConfirmDiscard();
    editor.files().NewSheet();
    EXPECT_EQ(editor.store().encoding(), SheetEncoding::Utf8);
    EXPECT_FALSE(editor.store().hasBom());
}

TEST_F(Utf8SheetFile, ChosenEncodingRewritesTheSheetAsOneUndoStep)
{
    const QByteArray utf8 = ".a::before {\r\ncontent: \"→ Привет\";\r\n}\r\n";
    openText(editor.store(), utf8);
    editor.store().RegenerateSheet();
    const QByteArray before = editor.store().sheetText();
    ASSERT_EQ(editor.store().encoding(), SheetEncoding::Utf8);
    editor.EncodingChosen(SheetEncoding::Windows1251);
    EXPECT_EQ(editor.store().encoding(), SheetEncoding::Windows1251);
    EXPECT_TRUE(editor.store().sheetModified());
    const QByteArray recoded = editor.store().sheetText();
    EXPECT_TRUE(recoded.startsWith("@charset \"windows-1251\";\r\n.a::before {\r\n")) << recoded.constData();
    EXPECT_TRUE(recoded.contains("\"\\2192  \xcf\xf0\xe8\xe2\xe5\xf2\"")) << recoded.constData();
    editor.undoRedo().BackEditExecute();
    EXPECT_EQ(editor.store().encoding(), SheetEncoding::Utf8);
    EXPECT_EQ(editor.store().sheetText(), before);
    editor.undoRedo().ForeEditExecute();
    EXPECT_EQ(editor.store().encoding(), SheetEncoding::Windows1251);
    editor.EncodingChosen(SheetEncoding::Utf8);
    EXPECT_TRUE(editor.store().sheetText().startsWith("@charset \"UTF-8\";\r\n"));

    // Plain ASCII reads the same either way; the choice is still a step.
    openText(editor.store(), "p {\r\n}\r\n");
    editor.EncodingChosen(SheetEncoding::Windows1251);
    ASSERT_TRUE(editor.store().backEditEnabled());
    editor.undoRedo().BackEditExecute();
    EXPECT_EQ(editor.store().encoding(), SheetEncoding::Utf8);
}

} // namespace
