#include "core/editor/desktop_integration.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(DesktopIntegration, WritesTheEntryTheIconAndTheDefault)
{
    QTemporaryDir home;
    DesktopIntegration integration(QStringLiteral("/opt/My Apps/quillbox"), "PNG", home.filePath("data"),
                                   home.filePath("config"));
    QStringList asked;
    integration.runXdgMime = [&asked](const QStringList &arguments) {
        asked = arguments;
        return false;
    };
    QString error;
    ASSERT_TRUE(integration.integrate(&error)) << error.toStdString();
    EXPECT_EQ(asked, (QStringList{"default", "quillbox.desktop", "text/css"}));
    const QByteArray entry = readAll(home.filePath("data/applications/quillbox.desktop"));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/My Apps/quillbox\" %f\n")) << entry.constData();
    EXPECT_TRUE(entry.contains("\nMimeType=text/css;\n"));
    EXPECT_TRUE(entry.contains("\nIcon=quillbox\n"));
    EXPECT_EQ(readAll(home.filePath("data/icons/hicolor/256x256/apps/quillbox.png")), "PNG");
    EXPECT_EQ(readAll(home.filePath("config/mimeapps.list")), "[Default Applications]\ntext/css=quillbox.desktop\n");
    EXPECT_EQ(QDir(home.filePath("config")).entryList(QDir::Files), QStringList{"mimeapps.list"});
}

TEST(DesktopIntegration, ExecQuotesWhatTheEntryFormatReserves)
{
    const QString entry = DesktopIntegration::desktopEntryText(QStringLiteral("/a\"b\\c$d%e`f"));
    EXPECT_TRUE(entry.contains(QStringLiteral("Exec=\"/a\\\\\"b\\\\\\\\c\\\\$d%%e\\\\`f\" %f\n"))) << entry.toStdString();
}

TEST(DesktopIntegration, DefaultJoinsTheUsersList)
{
    struct Case {
        const char *before;
        const char *after;
    };
    const Case cases[] = {
        {"", "[Default Applications]\ntext/css=quillbox.desktop\n"},
        {"[Default Applications]\ntext/html=web.desktop\n\n[Added Associations]\ntext/css=old.desktop\n",
         "[Default Applications]\ntext/html=web.desktop\ntext/css=quillbox.desktop\n\n[Added Associations]\n"
         "text/css=old.desktop\n"},
        {"[Default Applications]\ntext/css=old.desktop\n", "[Default Applications]\ntext/css=quillbox.desktop\n"},
        {"[Added Associations]\nimage/png=v.desktop\n",
         "[Added Associations]\nimage/png=v.desktop\n\n[Default Applications]\ntext/css=quillbox.desktop\n"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DesktopIntegration::withCssDefault(c.before, QStringLiteral("quillbox.desktop")), c.after) << c.before;
}

TEST(DesktopIntegration, UnwritableFolderIsNamedAndNothingHalfWritten)
{
    QTemporaryDir home;
    QFile blocker(home.filePath("data"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    DesktopIntegration integration(QStringLiteral("/usr/bin/quillbox"), "PNG", home.filePath("data"),
                                   home.filePath("config"));
    integration.runXdgMime = nullptr;
    QString error;
    EXPECT_FALSE(integration.integrate(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("quillbox.desktop"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(home.filePath("config/mimeapps.list")));
}

TEST(MailAddress, SubjectIsPercentEncodedUtf8)
{
    const QString url = QString::fromLatin1(mailAddress().toEncoded());
    EXPECT_TRUE(url.startsWith(QStringLiteral("mailto:"))) << url.toStdString();
    EXPECT_TRUE(url.contains(QStringLiteral(",")));
    EXPECT_TRUE(url.endsWith(QStringLiteral("?subject=Quillbox%20%28%D1%82%D0%B5%D0%BC%D1%83%20%D0%BD%D0%B5%20"
                                            "%D0%BC%D0%B5%D0%BD%D1%8F%D0%B9%D1%82%D0%B5%29")))
        << url.toStdString();
}

} // namespace
