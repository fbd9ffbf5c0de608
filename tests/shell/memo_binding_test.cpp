#include "window/shell/main_form.h"
#include "window/shell/memo_binding.h"

#include "../support/window_fixture.h"

#include <gtest/gtest.h>

#include <QTabWidget>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// Every byte but the line breaks, in lines of 32.
ByteLines everyByte()
{
    ByteLines lines;
    QByteArray line;
    for (int b = 0; b < 256; ++b) {
        if (b == '\r' || b == '\n')
            continue;
        line.append(static_cast<char>(b));
        if (line.size() == 32) {
            lines.append(line);
            line.clear();
        }
    }
    lines.append(line);
    return lines;
}

class MemoBytes : public WindowTest
{
protected:
    // Every byte is a character in Windows-1251.
    void SetUp() override
    {
        startWith("Body {\r\n}\r\n");
        form->store().setEncoding(SheetEncoding::Windows1251, false);
    }
};

TEST_F(MemoBytes, EveryByteComesBackFromTheRuleMemo)
{
    auto *memo = child<QPlainTextEdit>("CSSMemo");
    form->store().memo().setLines(everyByte());
    EXPECT_EQ(memoLines(memo, form->store().codec()), everyByte());
    // A user's edit elsewhere reads the whole text back into the rule.
    QTextCursor cursor = memo->textCursor();
    cursor.movePosition(QTextCursor::End);
    memo->setTextCursor(cursor);
    memo->insertPlainText(QStringLiteral("x"));
    ByteLines expected = everyByte();
    expected.append("x");
    EXPECT_EQ(form->store().memo().lines(), expected);
}

TEST_F(MemoBytes, EveryByteComesBackFromTheSheetViews)
{
    form->store().memo().setLines(everyByte());
    form->editor().commit().CommitStyleChange(false);
    form->store().RegenerateSheet();
    form->editor().commit().RefreshSheetView();
    child<QTabWidget>("Viewer")->setCurrentIndex(1); // the view is filled when it is shown
    const ByteLines shown = memoLines(child<QPlainTextEdit>("HCSSMemo"), form->store().codec());
    EXPECT_EQ(shown, form->store().sheetLines());

    showLines(child<QPlainTextEdit>("HCssInDiskMemo"), everyByte(), form->store().codec());
    EXPECT_EQ(memoLines(child<QPlainTextEdit>("HCssInDiskMemo"), form->store().codec()), everyByte());
}

TEST_F(MemoBytes, EveryByteComesBackFromTheHtmlEditor)
{
    auto *html = child<QTextEdit>("HTML");
    showLines(html, everyByte(), form->store().codec());
    EXPECT_EQ(memoLines(html, form->store().codec()), everyByte());
}

} // namespace
