// The help menu: integration with the desktop and the about box.
#include "../support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace {

class HelpMenuTest : public WindowTest
{
protected:
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", xdg.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", xdg.filePath("config").toUtf8());
        startWith("p {\r\n}\r\n");
    }

    void TearDown() override
    {
        WindowTest::TearDown();
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
    }

    QTemporaryDir xdg;
};

TEST_F(HelpMenuTest, IntegrationAsksAndNoWritesNothing)
{
    questioner->answers = {Questioner::No};
    child<QAction>("N36")->trigger();
    ASSERT_EQ(questioner->asked.size(), 1);
    EXPECT_EQ(questioner->asked[0].caption, QStringLiteral("Интегрировать Quillbox в систему?"));
    EXPECT_TRUE(questioner->asked[0].text.startsWith(QStringLiteral("ИНТЕГРАЦИЯ сделает Quillbox основным редактором файлов CSS")));
    for (const char *foreign : {"реестр", "Windows"})
        EXPECT_FALSE(questioner->asked[0].text.contains(QString::fromUtf8(foreign))) << foreign;
    EXPECT_TRUE(QDir(xdg.path()).isEmpty());

    questioner->answers = {Questioner::Yes};
    child<QAction>("N36")->trigger();
    EXPECT_TRUE(QFile::exists(xdg.filePath("data/applications/quillbox.desktop")));
    EXPECT_TRUE(QFile::exists(xdg.filePath("data/icons/hicolor/256x256/apps/quillbox.png")));
}

TEST_F(HelpMenuTest, AboutBoxShowsTheProgramAndCloses)
{
    QSize size;
    QString version, engine;
    QTimer::singleShot(0, form.get(), [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        size = box->size();
        version = box->findChild<QLabel *>(QStringLiteral("Version"))->text();
        engine = box->findChild<QLabel *>(QStringLiteral("EngineVersion"))->text();
        QTest::mouseClick(box->findChild<QWidget *>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
    child<QAction>("HelpAbout")->trigger();
    EXPECT_EQ(size, QSize(298, 222));
    EXPECT_EQ(version, QStringLiteral("Версия 1.8  2004 г."));
    // The engine this Qt was built with, by its major version.
    EXPECT_EQ(engine, QStringLiteral("Движок предпросмотра: Chromium ")
                          + QString::fromLatin1(qWebEngineChromiumVersion()).section(QLatin1Char('.'), 0, 0));
}

} // namespace
