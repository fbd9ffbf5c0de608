// The HTML editor as the user types into it, inserts and saves.
#include "../support/window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>
#include <QWebEngineView>

namespace {

class HtmlEditorTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith("p {\r\n}\r\n");
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        page = dir.filePath(QStringLiteral("page.html"));
        QFile out(page);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<html>\r\n<body><h1>Old</h1></body>\r\n</html>\r\n");
        out.close();
        html = child<QTextEdit>("HTML");
    }

    // Loads the page through the address box and "Открыть HTML для
    // редактирования".
    void loadPage()
    {
        auto *location = child<QComboBox>("LocationView");
        location->setEditText(page);
        child<QAction>("ActionToEditor")->trigger();
        ASSERT_TRUE(html->hasFocus());
    }

    QToolButton *button(const char *name)
    {
        return child<QWidget>("ToolBar1")->findChild<QToolButton *>(QLatin1String(name));
    }

    // The colour the character before the caret is drawn in.
    QColor colourBeforeCaret() const { return colourAt(html->textCursor().position() - 1); }
    QColor colourAt(int position) const
    {
        const QTextBlock block = html->document()->findBlock(position);
        for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
            const int offset = position - block.position();
            if (offset >= range.start && offset < range.start + range.length)
                return range.format.foreground().color();
        }
        return QColor();
    }

    void typeAtEnd(const QString &text)
    {
        html->moveCursor(QTextCursor::End);
        QTest::keyClicks(html, text);
    }

    QString page;
    QTextEdit *html = nullptr;
};

const QColor kMaroon(128, 0, 0);
const QColor kBlue(0, 0, 255);

TEST_F(HtmlEditorTest, TypingKeepsTheTagsColoured)
{
    loadPage();
    EXPECT_EQ(html->toPlainText(), QStringLiteral("<html>\n<body><h1>Old</h1></body>\n</html>\n"));
    typeAtEnd(QStringLiteral("<p"));
    EXPECT_EQ(colourBeforeCaret(), kMaroon);
    QTest::keyClicks(html, QStringLiteral(" a=\"v"));
    EXPECT_EQ(colourBeforeCaret(), kBlue);
    QTest::keyClicks(html, QStringLiteral("\">x"));
    EXPECT_EQ(colourBeforeCaret(), QColor(Qt::black));

    // Deleting the ">" makes the text after it part of the tag.
    QTest::keyClick(html, Qt::Key_Left);
    QTest::keyClick(html, Qt::Key_Backspace);
    html->moveCursor(QTextCursor::End);
    EXPECT_EQ(colourBeforeCaret(), kMaroon);
}

TEST_F(HtmlEditorTest, TypedTextTakesTheColourOfWhereItStands)
{
    loadPage();
    typeAtEnd(QStringLiteral("<a b=\"v\" c"));
    EXPECT_EQ(colourBeforeCaret(), kMaroon) << "after a closing quote the tag goes on";
    // A line break or a tab after ">" is page text, as any other key is.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Tab}) {
        QTest::keyClicks(html, QStringLiteral(">"));
        QTest::keyClick(html, key);
        QTest::keyClicks(html, QStringLiteral("t"));
        EXPECT_EQ(colourBeforeCaret(), QColor(Qt::black)) << key;
        QTest::keyClicks(html, QStringLiteral("<i"));
    }
    // Shift+Enter is a line break like any other, in the file too.
    QTest::keyClick(html, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(html, QStringLiteral(">"));
    child<QAction>("ActionFormEditor")->trigger();
    EXPECT_TRUE(fileText(page).endsWith("<a b=\"v\" c>\r\nt<i>\tt<i\r\n>")) << fileText(page).constData();
}

TEST_F(HtmlEditorTest, QuickInsertsGoWhereTheCaretIs)
{
    html->setFocus();
    html->clear();
    QTest::mouseClick(button("InsertHyperLinkToHTML"), Qt::LeftButton);
    EXPECT_EQ(html->toPlainText(), QStringLiteral("<a href=\"\">  </a>"));
    EXPECT_EQ(html->textCursor().position(), 9);
    QTest::mouseClick(button("SpeedButton7"), Qt::LeftButton);
    EXPECT_EQ(html->toPlainText(), QStringLiteral("<a href=\"<h1>\">  </a>"));

    child<QComboBox>("LocationView")->lineEdit()->setFocus();
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    EXPECT_FALSE(html->toPlainText().contains(QStringLiteral("<p>"))) << "no focus, no insert";
}

TEST_F(HtmlEditorTest, SavedPageIsWrittenAndShown)
{
    loadPage();
    QTextCursor cursor = html->document()->find(QStringLiteral("Old"));
    html->setTextCursor(cursor);
    QTest::keyClicks(html, QStringLiteral("New"));
    QSignalSpy loaded(child<QWebEngineView>("PreBrowser"), &QWebEngineView::loadFinished);
    child<QAction>("ActionFormEditor")->trigger();
    EXPECT_EQ(fileText(page), QByteArray("<html>\r\n<body><h1>New</h1></body>\r\n</html>\r\n"));
    EXPECT_TRUE(loaded.wait(30000));
    EXPECT_EQ(child<QWebEngineView>("PreBrowser")->url(), QUrl::fromLocalFile(page));

    // The file is gone: nothing is written, and the user is told.
    QFile::remove(page);
    child<QAction>("ActionFormEditor")->trigger();
    EXPECT_FALSE(QFile::exists(page));
    EXPECT_EQ(questioner->asked.last().text, QStringLiteral("Невозможно перезаписать ") + page);
}

TEST_F(HtmlEditorTest, ThePagesFileChangedElsewhereIsTakenOrAskedAbout)
{
    loadPage();
    auto writeElsewhere = [this](const QByteArray &bytes) {
        QFile out(page);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    };
    // Nothing typed: the editor follows the file.
    writeElsewhere("<html>\r\n<body><h1>Theirs</h1></body>\r\n</html>\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return html->toPlainText().contains(QStringLiteral("Theirs")); }, 5000));
    EXPECT_TRUE(questioner->asked.isEmpty());
    // Typed: asked first, and No keeps the typing; the save then writes it.
    typeAtEnd(QStringLiteral("<p>mine</p>"));
    questioner->answers = {Questioner::No};
    writeElsewhere("<html>\r\n<body><h1>Again</h1></body>\r\n</html>\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !questioner->asked.isEmpty(); }, 5000));
    EXPECT_TRUE(html->toPlainText().contains(QStringLiteral("mine")));
    child<QAction>("ActionFormEditor")->trigger();
    EXPECT_TRUE(fileText(page).contains("mine"));
    EXPECT_EQ(questioner->asked.size(), 1);
}

// A page is shown in its tag colours however it comes: loaded with the
// focus on the tool bar, or read again after another program's change
// while the focus is elsewhere.
TEST_F(HtmlEditorTest, ALoadedOrReReadPageIsShownInItsColours)
{
    auto *location = child<QComboBox>("LocationView");
    location->setEditText(page);
    location->setFocus();
    child<QAction>("ActionToEditor")->trigger();
    const int tag = int(html->toPlainText().indexOf(QStringLiteral("<body")));
    EXPECT_EQ(colourAt(tag + 1), kMaroon);
    location->setFocus();
    QFile out(page);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<html>\r\n<body class=\"x\"><h1>Theirs</h1></body>\r\n</html>\r\n");
    out.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return html->toPlainText().contains(QStringLiteral("Theirs")); }, 5000));
    const QString text = html->toPlainText();
    EXPECT_EQ(colourAt(int(text.indexOf(QStringLiteral("<body"))) + 1), kMaroon);
    EXPECT_EQ(colourAt(int(text.indexOf(QStringLiteral("\"x\""))) + 1), kBlue);
}

TEST_F(HtmlEditorTest, NoPageToLoadIsSaidAndTheEditorKept)
{
    const QString before = html->toPlainText();
    child<QComboBox>("LocationView")->setEditText(QStringLiteral("about:blank"));
    child<QAction>("ActionToEditor")->trigger();
    EXPECT_EQ(questioner->asked.last().text, QStringLiteral("Сначала нужно Открыть HTML (меню-Браузер)"));
    EXPECT_EQ(html->toPlainText(), before);

    child<QComboBox>("LocationView")->setEditText(dir.filePath(QStringLiteral("none.html")));
    child<QAction>("ActionToEditor")->trigger();
    EXPECT_TRUE(html->toPlainText().contains(QStringLiteral("Файл HTML с указанным именем открыть не удалось.")));
}

} // namespace
