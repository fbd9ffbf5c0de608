// Pages from a server on this machine: which addresses count, which served
// sheet is the edited one, and which files a site folder gives.
#include "core/preview/page_sheets.h"
#include "core/preview/served_sheets.h"

#include "../support/sheet_fixture.h"

#include "core/sheet/sheet_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ServedSheets, OnlyAddressesOfThisMachineAreServedPages)
{
    for (const char *local : {"http://localhost:5173/", "http://127.0.0.1:8000/a", "https://127.1.2.3/", "http://[::1]:1313/",
                              "http://app.localhost/"})
        EXPECT_TRUE(isLocalServerUrl(QUrl(QLatin1String(local)))) << local;
    for (const char *remote : {"http://192.168.1.2:8000/", "https://example.org/", "file:///tmp/a.html", "http://127.0.0.1.example.org/",
                               "ftp://localhost/", "http://127.0.0.300/"})
        EXPECT_FALSE(isLocalServerUrl(QUrl(QLatin1String(remote)))) << remote;
}

TEST(ServedSheets, ASiteFolderGivesOnlyFilesInsideIt)
{
    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("site"));
    QDir().mkpath(site + "/css");
    QDir().mkpath(dir.filePath(QStringLiteral("outside")));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("outside")), site + "/out"));
    EXPECT_EQ(fileInSiteFolder(site, QUrl(QStringLiteral("http://localhost/css/site.css"))), site + "/css/site.css");
    for (const char *out : {"http://localhost/../outside/a.css", "http://localhost/css/%2e%2e/%2e%2e/outside/a.css",
                            "http://localhost/out/a.css"})
        EXPECT_EQ(fileInSiteFolder(site, QUrl(QLatin1String(out))), QString()) << out;
}

TEST(ServedSheets, TheEditedSheetIsTheServedOneThatSharesTheMostOfItsPath)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("site/assets/css/site.css"));
    SheetStore edited;
    openText(edited, ".a {\n}\n");
    edited.setCurrentFileName(file);
    PageSheets sheets(edited);
    QStringList told;
    sheets.tell = [&told](const QString &text) { told.append(text); };
    const QString origin = QStringLiteral("http://127.0.0.1:8000");
    const auto link = [&](const QString &path, const char *text) {
        return QVariant(QVariantList{"link", QVariant(), origin + path, QString::fromLatin1(text), false});
    };
    const QVariant page = QVariantList{"page", origin + "/index.html"};
    sheets.take({link("/vendor/site.css", ".v {}"), link("/css/site.css", ".c {}"), page});
    EXPECT_EQ(sheets.editedHref(), origin + "/css/site.css") << "two parts shared, not one";
    ASSERT_EQ(sheets.sheets().size(), 1u);
    EXPECT_EQ(sheets.sheets().front().name, QStringLiteral("site.css"));
    ASSERT_FALSE(told.isEmpty());
    EXPECT_TRUE(told.last().startsWith(QStringLiteral("Лист страницы /css/site.css — файл "))) << told.last().toStdString();

    // Of equals the first, and the status bar says so; none at all is said too.
    sheets.take({link("/a/site.css", ".a {}"), link("/b/site.css", ".b {}"), page});
    EXPECT_EQ(sheets.editedHref(), origin + "/a/site.css");
    EXPECT_TRUE(told.last().contains(QStringLiteral("из 2 листов"))) << told.last().toStdString();
    sheets.take({link("/css/other.css", ".o {}"), page});
    EXPECT_TRUE(sheets.editedHref().isEmpty());
    EXPECT_EQ(told.last(), QStringLiteral("Страница не подключает редактируемый лист"));

    // A site folder set for the origin maps exactly; another origin's
    // sheet is left out and counted.
    sheets.siteFolder = [&](const QString &o) { return o == origin ? dir.filePath(QStringLiteral("site/assets")) : QString(); };
    sheets.take({link("/vendor/site.css", ".v {}"), link("/css/site.css", ".c {}"),
                 QVariant(QVariantList{"link", QVariant(), "https://cdn.example.org/x.css", QVariant(), false}), page});
    EXPECT_EQ(sheets.editedHref(), origin + "/css/site.css");
    EXPECT_EQ(sheets.leftOut(), 1);
}

} // namespace
