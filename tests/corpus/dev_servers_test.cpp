// The user's real setup: the sheet previewed on a page its dev server
// serves, with the server's own hot reload on. For Vite (a page that links
// the sheet, and one that imports it from a script) and Hugo's server:
// a panel change reaches the page in place, a forced :hover shows the
// hover colour of a rule in another served sheet, the cascade lists that
// rule, and after the server's own reload the page still shows the
// editor's text. Each server runs on 127.0.0.1, on a free port.
#include "corpus_sheets.h"

#include "../support/local_server.h"
#include "../support/page_click.h"
#include "../support/page_script.h"
#include "../support/window_fixture.h"

#include "core/preview/element_cascade.h"
#include "core/preview/page_sheets.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QToolButton>
#include <QWebEngineView>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A port nothing listens on now.
int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray kSheet = ".title {\n  color: rgb(10, 20, 30);\n}\n";
const QByteArray kOther = ".btn {\n  color: rgb(0, 0, 0);\n}\n.btn:hover {\n  color: rgb(1, 2, 3);\n}\n";
const QByteArray kBody = "<h1 class=\"title\" id=\"t\">T</h1><button class=\"btn\" id=\"b\">B</button>"
                         "<div style=\"height: 3000px\"></div>";

struct Server {
    const char *name;
    const char *page; // the page's path on the server
};

class DevServer : public WindowTest, public testing::WithParamInterface<Server>
{
protected:
    // Makes the project, starts its server; the edited sheet's path.
    QString startServer()
    {
        const QString project = dir.filePath(QStringLiteral("project"));
        const QString name = QLatin1String(GetParam().name);
        const int port = freePort();
        if (name.startsWith(QLatin1String("vite"))) {
            write(project + "/index.html", "<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"/src/other.css\">"
                                           "<link rel=\"stylesheet\" href=\"/src/site.css\"></head><body>" + kBody
                                               + "</body></html>");
            write(project + "/imported.html", "<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"/src/other.css\">"
                                              "<script type=\"module\" src=\"/src/main.js\"></script></head><body>" + kBody
                                                  + "</body></html>");
            write(project + "/src/main.js", "import './site.css';\n");
            write(project + "/src/site.css", kSheet);
            write(project + "/src/other.css", kOther);
            const QString vite = corpusDir() + QStringLiteral("/vite-7.3.8/node_modules/vite/bin/vite.js");
            EXPECT_TRUE(QFileInfo::exists(vite)) << "run scripts/fetch-corpus";
            qputenv("NO_COLOR", "1");
            EXPECT_TRUE(server.start(QStringLiteral("node"),
                                     {vite, "--host", "127.0.0.1", "--port", QString::number(port), "--strictPort"}, project,
                                     QStringLiteral("127\\.0\\.0\\.1:(\\d+)")))
                << server.log().toStdString();
            return project + "/src/site.css";
        }
        write(project + "/config.toml", "baseURL = \"/\"\ntitle = \"t\"\ndisableKinds = [\"taxonomy\", \"term\", \"RSS\", \"sitemap\"]\n");
        write(project + "/layouts/index.html", "<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"/css/other.css\">"
                                               "<link rel=\"stylesheet\" href=\"/css/site.css\"></head><body>" + kBody
                                                   + "</body></html>");
        write(project + "/static/css/site.css", kSheet);
        write(project + "/static/css/other.css", kOther);
        EXPECT_TRUE(server.start(QStringLiteral("hugo"),
                                 {"server", "--bind", "127.0.0.1", "--port", QString::number(port), "--source", project,
                                  "--disableFastRender", "--noHTTPCache"},
                                 project, QStringLiteral("localhost:(\\d+)")))
            << server.log().toStdString();
        return project + "/static/css/site.css";
    }

    QString computed(const char *id, const char *property)
    {
        return runInPage(view->page(), QStringLiteral("getComputedStyle(document.getElementById('%1')).%2")
                                           .arg(QLatin1String(id), QLatin1String(property)))
            .toString();
    }

    LocalServer server;
    QWebEngineView *view = nullptr;
};

TEST_P(DevServer, AChangeForcedStatesAndTheCascadeWorkAndTheServersReloadKeepsTheEditorsText)
{
    startWith("a {\n}\n");
    const QString sheet = startServer();
    ASSERT_GT(server.port(), 0);
    ASSERT_TRUE(form->editor().files().OpenSheet(sheet));
    view = child<QWebEngineView>("PreBrowser");
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        QLineEdit *box = child<QComboBox>("LocationView")->lineEdit();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("http://127.0.0.1:%1%2").arg(server.port()).arg(QLatin1String(GetParam().page)));
        QTest::keyClick(box, Qt::Key_Return);
        ASSERT_TRUE(loaded.wait(60000));
    }
    PageSheets &sheets = form->editor().pageSheets();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sheets.editedHref().isEmpty() || !sheets.editedDevId().isEmpty(); }, 20000))
        << server.log().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return computed("t", "color") == QLatin1String("rgb(10, 20, 30)"); }, 10000));

    // A panel change, in place.
    runInPage(view->page(), QStringLiteral("window.__kept = 7; window.scrollTo(0, 400); 1"));
    child<QAction>("AutoRefreshAction")->setChecked(true);
    auto *list = child<QListWidget>("ListTag");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return computed("t", "textAlign") == QLatin1String("center"); }, 10000));
    EXPECT_EQ(runInPage(view->page(), QStringLiteral("window.__kept")).toInt(), 7) << "no reload";
    EXPECT_EQ(runInPage(view->page(), QStringLiteral("window.scrollY")).toInt(), 400);

    // The server's own reload, after the file it watches was written: the
    // page still shows the editor's text, a moment later as much as at once.
    QTest::qWait(2500);
    EXPECT_EQ(computed("t", "textAlign"), QStringLiteral("center")) << server.log().toStdString();
    QTest::mouseClick(child<QToolButton>("Text_Align_Right"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return computed("t", "textAlign") == QLatin1String("right"); }, 10000));
    QTest::qWait(2500);
    EXPECT_EQ(computed("t", "textAlign"), QStringLiteral("right"));

    // A forced :hover in the other served sheet, and the cascade lists it.
    ElementCascade &cascade = form->editor().cascade();
    QSignalSpy changed(&cascade, &ElementCascade::changed);
    runInPage(view->page(), QStringLiteral("window.scrollTo(0, 0); 1"));
    child<QAction>("PickElement")->trigger();
    clickElementInPage(view, QStringLiteral("b"));
    ASSERT_TRUE(changed.wait(10000) || !changed.isEmpty());
    movePointerAway(view);
    child<QAction>("ForceHover")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return computed("b", "color") == QLatin1String("rgb(1, 2, 3)"); }, 10000))
        << computed("b", "color").toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return cascade.winner(QStringLiteral("color")); }, 10000));
    const CascadeEntry *winner = cascade.winner(QStringLiteral("color"));
    EXPECT_GE(winner->sheet, 0);
    EXPECT_EQ(winner->value, QStringLiteral("rgb(1, 2, 3)"));
}

INSTANTIATE_TEST_SUITE_P(Servers, DevServer,
                         testing::Values(Server{"viteLink", "/index.html"}, Server{"viteImport", "/imported.html"},
                                         Server{"hugo", "/"}),
                         [](const testing::TestParamInfo<Server> &info) { return std::string(info.param.name); });

} // namespace
