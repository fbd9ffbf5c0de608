// A page from a server on this machine, previewed as a page file is: the
// edited sheet found among its sheets by its address, a change taken in
// place, every later request for the sheet answered with the editor's
// text, forced states in its other sheets, and those sheets in the cascade.
// The server is Python's http.server on 127.0.0.1, a free port.
#include "../support/local_server.h"
#include "../support/page_click.h"
#include "../support/page_script.h"
#include "../support/window_fixture.h"

#include "core/editor/editor.h"
#include "core/preview/element_cascade.h"
#include "core/preview/page_sheets.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolButton>
#include <QWebEngineView>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class ServedPageTest : public WindowTest
{
protected:
    void SetUp() override
    {
        site = dir.filePath(QStringLiteral("site"));
        write(site + "/index.html",
              "<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"/css/other.css\">"
              "<link rel=\"stylesheet\" href=\"/css/site.css\"></head><body>"
              "<h1 class=\"title\" id=\"t\">T</h1><button class=\"btn\" id=\"b\">B</button>"
              "<div style=\"height: 3000px\"></div></body></html>");
        write(site + "/css/other.css", ".btn { color: rgb(0, 0, 0); }\n.btn:hover { color: rgb(1, 2, 3); }\n");
        sheet = site + "/css/site.css";
        write(sheet, ".title {\n  color: rgb(10, 20, 30);\n}\n.title:hover {\n  color: rgb(4, 5, 6);\n}\n");
        startWith("a {\n}\n");
        ASSERT_TRUE(server.start(QStringLiteral("python3"),
                                 {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", site}, site,
                                 QStringLiteral("port (\\d+)")))
            << server.log().toStdString();
        ASSERT_TRUE(form->editor().files().OpenSheet(sheet));
        view = child<QWebEngineView>("PreBrowser");
        list = child<QListWidget>("ListTag");
    }

    // Typed into the address box, as a user opens a page.
    void openPage(const QString &address)
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        QLineEdit *box = child<QComboBox>("LocationView")->lineEdit();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, address);
        QTest::keyClick(box, Qt::Key_Return);
        ASSERT_TRUE(loaded.wait(30000));
    }

    QString computed(const char *id, const char *property)
    {
        return runInPage(view->page(), QStringLiteral("getComputedStyle(document.getElementById('%1')).%2")
                                           .arg(QLatin1String(id), QLatin1String(property)))
            .toString();
    }

    int requestsFor(const QString &path) { return int(server.log().count(QStringLiteral("\"GET ") + path)); }

    QString site;
    QString sheet;
    LocalServer server;
    QWebEngineView *view = nullptr;
    QListWidget *list = nullptr;
};

TEST_F(ServedPageTest, AChangeReachesTheServedPageInPlaceAndEveryLaterRequestGetsTheEditorsText)
{
    openPage(server.origin() + QStringLiteral("/index.html"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->statusBar()->currentMessage().startsWith(QStringLiteral("Лист страницы /css/site.css — файл")); },
                                10000))
        << form->statusBar()->currentMessage().toStdString();
    EXPECT_EQ(form->editor().pageSheets().editedHref(), server.origin() + QStringLiteral("/css/site.css"));

    runInPage(view->page(), QStringLiteral("window.__kept = 7; window.scrollTo(0, 500); 1"));
    child<QAction>("AutoRefreshAction")->setChecked(true);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return computed("t", "textAlign") == QLatin1String("center"); }, 10000));
    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return computed("t", "textAlign") == QLatin1String("start"); }, 10000));
    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return computed("t", "textAlign") == QLatin1String("center"); }, 10000));
    // In place: the page's script state and scroll are kept, the page was
    // fetched once.
    EXPECT_EQ(runInPage(view->page(), QStringLiteral("window.__kept")).toInt(), 7);
    EXPECT_EQ(runInPage(view->page(), QStringLiteral("window.scrollY")).toInt(), 500);
    EXPECT_EQ(requestsFor(QStringLiteral("/index.html")), 1) << server.log().toStdString();

    // A reload asks the server again: the sheet it gets is the editor's,
    // states marked, not the server's copy.
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    view->reload();
    ASSERT_TRUE(loaded.wait(30000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return computed("t", "textAlign") == QLatin1String("center"); }, 10000));
    const QString rules = runInPage(view->page(), QStringLiteral(
        "Array.from(document.styleSheets).map(s => Array.from(s.cssRules).map(r => r.cssText).join(' ')).join(' ')")).toString();
    EXPECT_TRUE(rules.contains(QStringLiteral("data-quillbox-hover"))) << rules.toStdString();
}

TEST_F(ServedPageTest, AForcedStateHoldsInTheOtherServedSheetAndTheCascadeListsIt)
{
    openPage(server.origin() + QStringLiteral("/index.html"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->editor().pageSheets().editedHref().isEmpty(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->editor().pageSheets().sheets().empty(); }, 10000));
    EXPECT_EQ(form->editor().pageSheets().sheets().front().name, QStringLiteral("other.css"));

    ElementCascade &cascade = form->editor().cascade();
    QSignalSpy changed(&cascade, &ElementCascade::changed);
    child<QAction>("PickElement")->trigger();
    clickElementInPage(view, QStringLiteral("b"));
    ASSERT_TRUE(changed.wait(10000) || !changed.isEmpty());
    movePointerAway(view);
    child<QAction>("ForceHover")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return computed("b", "color") == QLatin1String("rgb(1, 2, 3)"); }, 10000))
        << computed("b", "color").toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return cascade.winner(QStringLiteral("color")); }, 10000));
    const CascadeEntry *winner = cascade.winner(QStringLiteral("color"));
    EXPECT_GE(winner->sheet, 0) << "a rule of the other served sheet";
    EXPECT_EQ(winner->value, QStringLiteral("rgb(1, 2, 3)"));
}

} // namespace

namespace {

// A static site of root-relative links, opened from disk: the status bar
// offers the site's folder, which serves the page through the program's
// scheme, and nothing out of that folder.
class SiteFolderTest : public WindowTest
{
};

TEST_F(SiteFolderTest, APageOfRootRelativeLinksIsShownAsItsSiteAndNothingOutsideTheFolderIsServed)
{
    const QString site = dir.filePath(QStringLiteral("site"));
    const QString page = site + "/pages/index.html";
    write(page, "<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"/css/other.css\">"
                "<link rel=\"stylesheet\" href=\"/css/site.css\"></head><body>"
                "<h1 class=\"title\" id=\"t\">T</h1></body></html>");
    write(site + "/css/other.css", ".btn {\n  color: rgb(0, 0, 0);\n}\n.btn:hover {\n  color: rgb(1, 2, 3);\n}\n");
    const QString sheet = site + "/css/site.css";
    write(sheet, ".title {\n  color: rgb(10, 20, 30);\n}\n");
    write(dir.filePath(QStringLiteral("outside/secret.txt")), "secret");
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("outside")), site + "/out"));
    startWith("a {\n}\n");
    ASSERT_TRUE(form->editor().files().OpenSheet(sheet));
    auto *view = child<QWebEngineView>("PreBrowser");
    const auto computed = [&](const char *property) {
        return runInPage(view->page(), QStringLiteral("getComputedStyle(document.getElementById('t')).%1").arg(QLatin1String(property)))
            .toString();
    };
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        QLineEdit *box = child<QComboBox>("LocationView")->lineEdit();
        box->selectAll();
        QTest::keyClicks(box, page);
        QTest::keyClick(box, Qt::Key_Return);
        ASSERT_TRUE(loaded.wait(30000));
    }
    EXPECT_NE(computed("color"), QStringLiteral("rgb(10, 20, 30)")) << "the root of the disk has no /css/site.css";
    auto *offer = child<QToolButton>("SiteFolderOffer");
    ASSERT_NE(offer, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return offer->isVisible(); }, 5000));
    EXPECT_TRUE(offer->text().contains(QDir::toNativeSeparators(site))) << offer->text().toStdString();
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        QTest::mouseClick(offer, Qt::LeftButton);
        ASSERT_TRUE(loaded.wait(30000));
    }
    EXPECT_EQ(computed("color"), QStringLiteral("rgb(10, 20, 30)"));
    EXPECT_EQ(view->url().scheme(), QStringLiteral("quillbox-site"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->editor().pageSheets().editedHref().isEmpty(); }, 10000));
    // The site's other sheet is read as it is written, its states marked
    // in the page only.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->editor().pageSheets().sheets().empty(); }, 10000));
    const QByteArray read = form->editor().pageSheets().sheets().front().store->sheetText();
    EXPECT_TRUE(read.contains(".btn:hover") && !read.contains("data-quillbox")) << read.constData();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return runInPage(view->page(), QStringLiteral("Array.from(document.styleSheets).some(s => !s.disabled && "
                                                      "Array.from(s.cssRules).some(r => /\\.btn:.*data-quillbox-hover/"
                                                      ".test(r.selectorText || '')))")).toBool();
    }, 10000));

    // A change reaches it in place.
    runInPage(view->page(), QStringLiteral("window.__kept = 7; 1"));
    child<QAction>("AutoRefreshAction")->setChecked(true);
    auto *list = child<QListWidget>("ListTag");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return computed("textAlign") == QLatin1String("center"); }, 10000));
    EXPECT_EQ(runInPage(view->page(), QStringLiteral("window.__kept")).toInt(), 7);

    // Only files inside the folder: no system file, no way up, no link out.
    runInPage(view->page(), QStringLiteral(
        "window.__answers = null; const ask = u => new Promise(done => { const x = new XMLHttpRequest();"
        " x.onload = () => done(x.status === 200 ? 'served' : 'refused'); x.onerror = () => done('refused');"
        " x.open('GET', u); x.send(); });"
        " Promise.all(['/css/site.css', '/etc/passwd', '/../outside/secret.txt', '/%2e%2e/outside/secret.txt',"
        " '/out/secret.txt', '/pages/../../outside/secret.txt'].map(ask)).then(v => { window.__answers = v.join(' '); }); 1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !runInPage(view->page(), QStringLiteral("window.__answers")).isNull(); }, 10000));
    EXPECT_EQ(runInPage(view->page(), QStringLiteral("window.__answers")).toString(),
              QStringLiteral("served refused refused refused refused refused"));

    // A page of another origin gets nothing of the folder.
    const QString stranger = dir.filePath(QStringLiteral("stranger.html"));
    write(stranger, "<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"quillbox-site://site/css/site.css\""
                    " onload=\"window.__linked = 'served'\" onerror=\"window.__linked = 'refused'\"></head>"
                    "<body><h1 class=\"title\" id=\"t\">T</h1></body></html>");
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        view->setUrl(QUrl::fromLocalFile(stranger));
        ASSERT_TRUE(loaded.wait(30000));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !runInPage(view->page(), QStringLiteral("window.__linked")).isNull(); }, 10000));
    EXPECT_EQ(runInPage(view->page(), QStringLiteral("window.__linked")).toString(), QStringLiteral("refused"));
}

} // namespace
