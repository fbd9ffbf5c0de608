#include "core/preview/base_page.h"
#include "core/editor/editor.h"
#include "core/preview/html_source.h"
#include "core/preview/page_address.h"
#include "core/sheet/sheet_file_io.h"
#include "core/preview/sheet_navigation.h"

#include "../support/fake_browser.h"
#include "../support/fake_host.h"
#include "../support/scripted_questioner.h"
#include "../support/settings_reset.h"
#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

TEST(PageAddress, FileAddressesGiveTheirPathBack)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Мой сайт"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString page = folder + QStringLiteral("/index.htm");
    const QString beside = dir.filePath(QStringLiteral("near.htm"));
    for (const QString &file : {page, beside}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString sheet = dir.filePath(QStringLiteral("a.css"));
    const QString encoded = QString::fromLatin1(QUrl::fromLocalFile(page).toEncoded());
    struct Case {
        QString address;
        QString path;
    };
    const Case cases[] = {
        {encoded, page},
        {encoded + QStringLiteral("#top"), page},
        {QUrl::fromLocalFile(page).toString(), page},
        {QStringLiteral("http://example.org/docs/near.htm"), beside},
        {QStringLiteral("http://example.org/docs/far.htm"), QStringLiteral("http://example.org/docs/far.htm")},
        {QStringLiteral("res://shdoclc.dll/navcancl.htm#x"), QStringLiteral("shdoclc.dll/navcancl.htm")},
        {QStringLiteral("file:///nowhere/near.htm"), beside},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PageAddressToPath(c.address, sheet), c.path) << c.address.toStdString();
}

TEST(PageAddress, HistoryKeepsEachAddressOnceNewestFirst)
{
    QStringList history;
    for (const char *address : {"file:///C:/a.htm", "file:///C:/b.htm", "FILE:///C:/A.HTM", "res://x/y.htm", ""})
        rememberAddress(history, QLatin1String(address));
    EXPECT_EQ(history, (QStringList{QStringLiteral("FILE:///C:/A.HTM"), QStringLiteral("file:///C:/b.htm")}));
}

TEST(BasePage, AddressesComeFromEveryLineThatNamesOne)
{
    EXPECT_EQ(baseAddresses({"LINK_HTML {", "LINK_HTML=C:\\a;b\\p.htm;", "}", "p { LINK_HTML=/s/b.htm }",
                             "LINK_HTML{LINK_HTML=index.html;} Body {"}),
              (QStringList{QStringLiteral("C:\\a;b\\p.htm"), QStringLiteral("/s/b.htm"), QStringLiteral("index.html")}));
    EXPECT_TRUE(baseAddresses({"p {", "}"}).isEmpty());
}

TEST(SheetNavigation, CaretLineChoosesThePropertyPage)
{
    struct Case {
        const char *line;
        std::optional<int> page;
    };
    const Case cases[] = {
        {"border-color: #FF0000;", 0},         {" margin-top: 5px;", 1},
        {"padding: 2px; position: relative;", 4}, {"padding: 2px;position: relative;", 4},
        {"background-position: top", 2},       {"background-color: red", 0},
        {"border-top: 1px", 0},                {"; Display: none; Overflow: auto;", 3},
        {"position: absolute;", 4},            {"", std::nullopt},
        // Whole names: a property named in a value, or a longer name, is no match.
        {"transition: color .2s, border-color .2s;", 6}, {"border-radius: 4px;", 6}, {"outline-color: red", 6},
        {"-webkit-flex-direction: column;", 5}, {"  gap: 1rem;", 5},
        {"grid-template-columns: repeat(3, 1fr);", 5}, {"place-items: center;", 5},
        {"text-align: center;", std::nullopt}, {"--brand-color: red;", std::nullopt},
        {"max-width: none; z-index: 3;", 5}, {"width: 5px; max-width: none;", 5},
    };
    for (const Case &c : cases)
        EXPECT_EQ(propertyPageForLine(c.line), c.page) << c.line;
}

TEST(SheetNavigation, CaretSelectsTheRuleWhoseHeaderStandsBeforeIt)
{
    const QByteArray text = "Body {\r\n}\r\nh1 {\r\n}\r\np {\r\n}\r\n";
    const QList<QByteArray> rules = {"Body", "h1", "p"};
    const int h1 = int(text.indexOf("h1 {"));
    struct Case {
        int caret;
        int rule;
    };
    const Case cases[] = {{0, -1}, {1, 0}, {h1 - 1, 0}, {h1, 1}, {h1 + 7, 1}, {int(text.indexOf("p {")), 2},
                          {int(text.size()), 2}};
    for (const Case &c : cases)
        EXPECT_EQ(ruleAtCaret(text, c.caret, rules), c.rule) << c.caret;
    // A selector that repeats is found in its own place.
    const QByteArray nested = "a {\r\n}\r\n.x {\r\n&:hover {\r\n}\r\n}\r\n.y {\r\nb: c;\r\n&:hover {\r\n}\r\n}\r\n";
    const QList<QByteArray> nestedRules = {"a", ".x", "&:hover", ".y", "&:hover"};
    EXPECT_EQ(ruleAtCaret(nested, int(nested.indexOf("b: c")), nestedRules), 3);
    EXPECT_EQ(ruleAtCaret(nested, int(nested.lastIndexOf("&:hover")) + 2, nestedRules), 4);
}

class BasePageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        clearProgramSettings();
        path = dir.filePath(QStringLiteral("a.css"));
        ASSERT_TRUE(writeSheetFile(path, {"Body {", "}"}, nullptr));
        editor.setBrowser(&browser);
        ASSERT_TRUE(editor.files().OpenSheet(path));
    }

    void TearDown() override
    {
        editor.store().setSheetModified(false);
        editor.files().ConfirmDiscard();
    }

    QTemporaryDir dir;
    QString path;
    FakeHost host;
    ScriptedQuestioner questioner;
    FakeBrowser browser;
    Editor editor{host, questioner};
};

TEST_F(BasePageTest, StoredPageBecomesTheFirstRuleAndIsReplacedLater)
{
    PreviewNavigation &nav = editor.navigation();
    browser.location = QStringLiteral("/s/a.htm");
    questioner.answers = {Questioner::No};
    nav.SaveHomePageExecute();
    EXPECT_EQ(editor.store().list().count(), 1);

    questioner.answers = {Questioner::Yes};
    nav.SaveHomePageExecute();
    EXPECT_EQ(questioner.asked.last().caption, QStringLiteral("LINK_HTML"));
    EXPECT_EQ(editor.store().list().items(), (QList<QByteArray>{"LINK_HTML", "Body"}));
    EXPECT_EQ(editor.store().list().selected(), 0);
    EXPECT_TRUE(editor.store().sheetModified());
    EXPECT_TRUE(editor.store().sheetText().startsWith("LINK_HTML {\r\n")) << editor.store().sheetText().constData();

    browser.location = QStringLiteral("/s/other.htm");
    questioner.answers = {Questioner::Yes};
    nav.SaveHomePageExecute();
    EXPECT_EQ(editor.store().list().count(), 2);
    nav.GoNavigatorToLINK_HTMLExecute();
    EXPECT_EQ(browser.navigated.last(), QStringLiteral("/s/other.htm"));
    EXPECT_EQ(editor.store().homePageAddress(), QStringLiteral("/s/other.htm"));
}

TEST_F(BasePageTest, APageBesideTheSheetIsStoredRelativeAndShownFromWhereItLies)
{
    const QString page = dir.filePath(QStringLiteral("index.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    browser.location = QUrl::fromLocalFile(page).toString();
    questioner.answers = {Questioner::Yes};
    editor.navigation().SaveHomePageExecute();
    EXPECT_TRUE(editor.store().sheetText().contains("LINK_HTML=index.html;")) << editor.store().sheetText().constData();
    editor.navigation().GoNavigatorToLINK_HTMLExecute();
    EXPECT_EQ(browser.navigated.last(), page);
    EXPECT_EQ(editor.store().homePageAddress(), page);
}

TEST_F(BasePageTest, StoredPageGoesAfterTheStatementsThatOpenASheet)
{
    const struct {
        QByteArray sheet;
        QByteArray expected;
    } cases[] = {
        {"@charset \"utf-8\";\r\n@import url(\"a;b.css\") screen;\r\n/* c */ @namespace svg url(x);\r\n"
         "@layer base, site;\r\np {\r\n}\r\n",
         "@charset \"utf-8\";\r\n@import url(\"a;b.css\") screen;\r\n/* c */ @namespace svg url(x);\r\n"
         "@layer base, site;\r\nLINK_HTML {\r\n"},
        {"@import 'a.css'; p {\r\n}\r\n", "@import 'a.css';\r\nLINK_HTML {\r\n"},
        // A layer block is a rule like any other.
        {"@layer base {\r\np {\r\n}\r\n}\r\n", "LINK_HTML {\r\n"},
    };
    for (const auto &c : cases) {
        openText(editor.store(), c.sheet);
        browser.location = QStringLiteral("/s/a.htm");
        questioner.answers = {Questioner::Yes};
        editor.navigation().SaveHomePageExecute();
        EXPECT_EQ(editor.store().list().item(0), "LINK_HTML");
        EXPECT_TRUE(editor.store().sheetText().startsWith(c.expected)) << editor.store().sheetText().constData();
    }
}

TEST_F(BasePageTest, ALowerCaseBasePageRuleIsTheOneReplaced)
{
    openText(editor.store(), "link_html {\r\nLINK_HTML=/s/a.htm;\r\n}\r\np {\r\n}\r\n");
    browser.location = QStringLiteral("/s/new.htm");
    questioner.answers = {Questioner::Yes};
    editor.navigation().SaveHomePageExecute();
    EXPECT_EQ(editor.store().list().count(), 2) << editor.store().sheetText().constData();
    EXPECT_TRUE(editor.store().sheetText().contains("/s/new.htm")) << editor.store().sheetText().constData();
    EXPECT_FALSE(editor.store().sheetText().contains("/s/a.htm")) << editor.store().sheetText().constData();
}

TEST_F(BasePageTest, MissingBasePageIsSilentOnlyTheFirstTime)
{
    const int asked = int(questioner.asked.size());
    EXPECT_TRUE(browser.navigated.isEmpty()) << "the load at start-up said nothing";
    editor.navigation().GoNavigatorToLINK_HTMLExecute();
    ASSERT_EQ(questioner.asked.size(), asked + 1);
    EXPECT_EQ(questioner.asked.last().text, QStringLiteral("В текущем стиле не объявлена его базовая страница (LINK_HTML)"));

    const QString other = dir.filePath(QStringLiteral("b.css"));
    ASSERT_TRUE(writeSheetFile(other, {"p {", "LINK_HTML=/s/b.htm", "}"}, nullptr));
    ASSERT_TRUE(editor.files().OpenSheet(other));
    EXPECT_EQ(browser.navigated, QStringList{QStringLiteral("/s/b.htm")});
    EXPECT_EQ(browser.location, QStringLiteral("/s/b.htm"));
    EXPECT_GE(browser.pageTurns, 1);
}

TEST_F(BasePageTest, OpenedPageIsShownFromTheSheetsFolder)
{
    browser.htmlAnswers = {std::nullopt, QStringLiteral("/s/page.htm")};
    EXPECT_FALSE(editor.navigation().OpenHomePageExecute());
    EXPECT_TRUE(browser.navigated.isEmpty());
    EXPECT_TRUE(editor.navigation().OpenHomePageExecute());
    EXPECT_EQ(browser.htmlFolders.first(), dir.path());
    EXPECT_EQ(browser.navigated, QStringList{QStringLiteral("/s/page.htm")});
    EXPECT_EQ(browser.location, QStringLiteral("/s/page.htm"));
}

TEST_F(BasePageTest, ClickInTheSheetViewSelectsTheRuleUnderTheCaret)
{
    const QString other = dir.filePath(QStringLiteral("b.css"));
    ASSERT_TRUE(writeSheetFile(other, {"Body {", "}", "h1 {", "}"}, nullptr));
    ASSERT_TRUE(editor.files().OpenSheet(other));
    const QByteArray text = "Body {\r\n}\r\nh1 {\r\n}\r\n";
    editor.HCSSMemoClick(text, int(text.indexOf("h1")));
    EXPECT_EQ(editor.store().list().selected(), 1);
    EXPECT_EQ(editor.store().currentStyleIndex(), 1);
    editor.HCSSMemoClick(text, 0);
    EXPECT_EQ(editor.store().list().selected(), 0);
}

} // namespace

namespace {

TEST(PageAddress, ANameWithoutSchemeIsAFileBesideTheSheetOnlyWhereOneExists)
{
    QTemporaryDir dir;
    const QString sheet = dir.filePath(QStringLiteral("site.css"));
    for (const char *name : {"page.html", "intranet.local"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const struct {
        const char *address;
        bool withSheet;
        QUrl expected;
    } cases[] = {
        {"www.example.org", true, QUrl(QStringLiteral("http://www.example.org"))},
        {"www.example.org", false, QUrl(QStringLiteral("http://www.example.org"))},
        {"page.html", true, QUrl::fromLocalFile(dir.filePath(QStringLiteral("page.html")))},
        {"intranet.local", true, QUrl::fromLocalFile(dir.filePath(QStringLiteral("intranet.local")))},
        {"intranet.local", false, QUrl(QStringLiteral("http://intranet.local"))},
        {"https://example.org/a", true, QUrl(QStringLiteral("https://example.org/a"))},
    };
    for (const auto &c : cases)
        EXPECT_EQ(addressToUrl(QLatin1String(c.address), c.withSheet ? sheet : QString()), c.expected)
            << c.address << " " << c.withSheet;
    const QString absolute = dir.filePath(QStringLiteral("page.html"));
    EXPECT_EQ(addressToUrl(absolute, QString()), QUrl::fromLocalFile(absolute));
}

TEST(PageAddress, APageNearTheSheetIsNamedRelativeToIt)
{
    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("site"));
    const QString sheet = site + QStringLiteral("/css/site.css");
    const struct {
        QString address;
        QString sheet;
        QString expected;
    } cases[] = {
        {site + "/css/index.html", sheet, "index.html"},
        {site + "/index.html", sheet, "../index.html"},
        {QUrl::fromLocalFile(site + "/pages/about.html").toString(), sheet, "../pages/about.html"},
        {site + "/css/demo/a b.html", sheet, "demo/a b.html"},
        // Too far up, or sharing only the root: the address as it is.
        {"/srv/www/index.html", sheet, "/srv/www/index.html"},
        {"http://localhost:8000/index.html", sheet, "http://localhost:8000/index.html"},
        {site + "/index.html", QString(), site + "/index.html"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pageAddressForSheet(c.address, c.sheet), c.expected) << c.address.toStdString();
}

TEST(HtmlSourceText, Utf8IsTakenWhereDeclaredOrValid)
{
    EXPECT_TRUE(readsAsUtf8("<meta charset=\"UTF-8\">"));
    EXPECT_TRUE(readsAsUtf8(QStringLiteral("<p>Привет</p>").toUtf8()));
    EXPECT_FALSE(readsAsUtf8("<p>plain</p>"));
    EXPECT_FALSE(readsAsUtf8("<p>\xcf\xf0\xe8\xe2\xe5\xf2</p>")); // Windows-1251
    EXPECT_FALSE(readsAsUtf8("<meta charset=\"utf-8\"><p>\xcf\xf0\xe8\xe2\xe5\xf2</p>")) << "declared, not valid";
}

TEST_F(BasePageTest, APageThatCannotBeLoadedIsNeverWrittenOver)
{
    const QString page = dir.filePath(QStringLiteral("big.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kMaxSheetBytes + 1));
    file.close();
    HtmlSource &source = editor.htmlSource();
    browser.location = QUrl::fromLocalFile(page).toString();
    const std::optional<HtmlSource::Shown> shown = source.LoadHtmlIntoEditor();
    ASSERT_TRUE(shown);
    EXPECT_FALSE(shown->loaded);
    EXPECT_TRUE(editor.store().htmlFileName().isEmpty()) << "a page that was not read is not the editor's file";
    EXPECT_FALSE(source.SaveHTMLClick(shown->text));
    EXPECT_EQ(QFileInfo(page).size(), kMaxSheetBytes + 1);
    EXPECT_EQ(questioner.asked.last().text, QStringLiteral("Невозможно перезаписать ") + page);
}

TEST_F(BasePageTest, SavedPageIsRefreshedFromTheWebOrShownFromTheFile)
{
    const QString page = dir.filePath(QStringLiteral("p.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<p>\xcf\xf0\xe8\xe2\xe5\xf2</p>\r\n");
    file.close();
    HtmlSource &source = editor.htmlSource();
    browser.location = QUrl::fromLocalFile(page).toString();
    const std::optional<HtmlSource::Shown> shown = source.LoadHtmlIntoEditor();
    ASSERT_TRUE(shown && shown->loaded);
    EXPECT_EQ(shown->text, QStringLiteral("<p>Привет</p>\n"));

    EXPECT_TRUE(source.SaveHTMLClick(shown->text + QStringLiteral("<br>")));
    EXPECT_EQ(browser.navigated.last(), page);
    QFile saved(page);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("<p>\xcf\xf0\xe8\xe2\xe5\xf2</p>\r\n<br>"));

    browser.location = QStringLiteral("https://example.org/p.html");
    EXPECT_TRUE(source.SaveHTMLClick(shown->text));
    EXPECT_EQ(browser.reloads, 1);
}

} // namespace
