#include "core/host/init_settings.h"
#include "window/shell/main_form.h"

#include "../support/settings_reset.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>

#include <functional>

namespace {

std::unique_ptr<QSettings> settings()
{
    return std::unique_ptr<QSettings>(openProgramSettings());
}

void storeInit(const QList<QPair<QString, QVariant>> &values)
{
    clearProgramSettings();
    auto s = settings();
    s->beginGroup(QStringLiteral("Init"));
    for (const auto &[key, value] : values)
        s->setValue(key, value);
    s->endGroup();
    s->sync();
}

TEST(WindowSettings, ClosingWritesEveryValue)
{
    clearProgramSettings();
    {
        TMainForm form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.findChild<QAction *>(QStringLiteral("AutoRefreshAction"))->setChecked(true);
        form.findChild<QAction *>(QStringLiteral("KeepUntouchedLayout"))->setChecked(true);
        form.findChild<QAction *>(QStringLiteral("HighlightMatches"))->setChecked(false);
        form.findChild<QComboBox *>(QStringLiteral("PreviewWidth"))->setCurrentIndex(2);
        form.findChild<QTabWidget *>(QStringLiteral("Viewer"))->setCurrentIndex(2);
        form.findChild<QTabWidget *>(QStringLiteral("TABPANEL"))->setCurrentIndex(3);
        EXPECT_TRUE(form.close());
    }
    auto s = settings();
    s->beginGroup(QStringLiteral("Init"));
    EXPECT_EQ(s->childKeys().size(), 12);
    EXPECT_EQ(s->value("KeepUntouchedLayout").toInt(), 1);
    EXPECT_EQ(s->value("HighlightMatches").toInt(), 0);
    EXPECT_EQ(s->value("PreviewWidth").toInt(), 375);
    EXPECT_EQ(s->value("Maximized").toInt(), 0);
    EXPECT_EQ(s->value("FloatPanel").toInt(), 0);
    EXPECT_EQ(s->value("AutoRefresh").toInt(), 1);
    EXPECT_EQ(s->value("Viewer").toInt(), 2);
    EXPECT_EQ(s->value("TabPanel").toInt(), 3);
    EXPECT_EQ(s->value("HomePage").toString(), QStringLiteral("about:blank"));
    EXPECT_EQ(s->value("PanelListWidth").toInt(), 176);
    EXPECT_GT(s->value("PHTMLHeight").toInt(), 0);
}

TEST(WindowSettings, NextStartRestoresTheWindow)
{
    storeInit({{"Maximized", 1}, {"FloatPanel", 1}, {"AutoRefresh", 1}, {"Viewer", 3}, {"PanelListWidth", 250},
               {"PHTMLHeight", 200}, {"HighlightMatches", 0}, {"PreviewWidth", 768}});
    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(50);
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(form.findChild<QAction *>(QStringLiteral("FloatPanel"))->isChecked());
    EXPECT_TRUE(form.findChild<QAction *>(QStringLiteral("AutoRefreshAction"))->isChecked());
    EXPECT_EQ(form.findChild<QTabWidget *>(QStringLiteral("Viewer"))->currentIndex(), 3);
    EXPECT_EQ(form.findChild<QWidget *>(QStringLiteral("PanelList"))->width(), 250);
    EXPECT_EQ(form.findChild<QSplitter *>(QStringLiteral("Splitter1"))->sizes().value(1), 200);
    EXPECT_FALSE(form.findChild<QAction *>(QStringLiteral("HighlightMatches"))->isChecked());
    EXPECT_EQ(form.findChild<QComboBox *>(QStringLiteral("PreviewWidth"))->currentText(), QStringLiteral("768"));
}

TEST(WindowSettings, AWindowClosedMaximisedComesBackMaximised)
{
    storeInit({{"Maximized", 1}});
    {
        TMainForm form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        auto *view = form.findChild<QWidget *>(QStringLiteral("PreBrowser"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }, 10000));
        // The web view's first show gives the window a new surface, which
        // the window system then reports as not maximized.
        form.setWindowState(Qt::WindowNoState);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.isMaximized(); }, 5000));
        form.close();
    }
    EXPECT_EQ(settings()->value(QStringLiteral("Init/Maximized")).toInt(), 1);
}

TEST(WindowSettings, TheLastSheetIsReadOnceTheWindowIsOnScreen)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("last.css"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("a {\r\n}\r\nh1 {\r\n}\r\n");
    file.close();
    storeInit({});
    settings()->setValue(QStringLiteral("PathToLastFile"), path);
    settings()->setValue(QStringLiteral("LastNameStyle"), QStringLiteral("h1"));
    TMainForm form;
    EXPECT_TRUE(form.store().currentFileName().isEmpty()) << "nothing is read before the window shows";
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto *list = form.findChild<QListWidget *>(QStringLiteral("ListTag"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 2; }, 10000));
    EXPECT_EQ(list->currentItem()->text(), QStringLiteral("h1"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quillbox 1.8 - ") + path);
    form.close();
}

TEST(WindowSettings, MissingValuesKeepTheDefaults)
{
    storeInit({{"AutoRefresh", 1}});
    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(form.findChild<QAction *>(QStringLiteral("FloatPanel"))->isChecked());
    EXPECT_TRUE(form.findChild<QAction *>(QStringLiteral("AutoRefreshAction"))->isChecked());
    EXPECT_EQ(form.findChild<QTabWidget *>(QStringLiteral("Viewer"))->currentIndex(), 3);
    EXPECT_EQ(form.findChild<QWidget *>(QStringLiteral("PanelList"))->width(), 176);
    EXPECT_TRUE(form.findChild<QAction *>(QStringLiteral("HighlightMatches"))->isChecked());
    EXPECT_EQ(form.findChild<QComboBox *>(QStringLiteral("PreviewWidth"))->currentText(), QStringLiteral("По окну"));
}

TEST(WindowSettings, ValueOfTheWrongTypeIsIgnored)
{
    storeInit({{"Viewer", QStringLiteral("страница")}, {"AutoRefresh", QStringList{"a", "b"}}, {"PanelListWidth", 230}});
    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.findChild<QTabWidget *>(QStringLiteral("Viewer"))->currentIndex(), 3);
    EXPECT_FALSE(form.findChild<QAction *>(QStringLiteral("AutoRefreshAction"))->isChecked());
    EXPECT_EQ(form.findChild<QWidget *>(QStringLiteral("PanelList"))->width(), 230);
}

// A settings file full of junk, or a folder where the file should be, gives
// the defaults; the window still opens and closes.
TEST(WindowSettings, BrokenSettingsFileGivesTheDefaults)
{
    clearProgramSettings();
    const QString path = settings()->fileName();
    const std::function<void()> breakFile[] = {
        [&] {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray("[Init\n\0\xff=\x01\nViewer=\"\n[[[", 24));
        },
        [&] {
            QFile::remove(path);
            ASSERT_TRUE(QDir().mkpath(path + "/inside"));
        },
    };
    for (const auto &spoil : breakFile) {
        spoil();
        {
            TMainForm form;
            form.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
            EXPECT_EQ(form.findChild<QTabWidget *>(QStringLiteral("Viewer"))->currentIndex(), 3);
            EXPECT_EQ(form.findChild<QWidget *>(QStringLiteral("PanelList"))->width(), 176);
            EXPECT_TRUE(form.close());
        }
        QDir(path).removeRecursively();
        QFile::remove(path);
    }
    clearProgramSettings();
}

TEST(InitSettings, ReadsNumbersStoredAsText)
{
    storeInit({{"Maximized", "1"}, {"Viewer", " 2 "}, {"PHTMLHeight", "x"}});
    auto s = settings();
    const InitSettings init = InitSettings::read(*s);
    EXPECT_EQ(init.maximized, std::optional<bool>(true));
    EXPECT_EQ(init.viewer, std::optional<int>(2));
    EXPECT_FALSE(init.phtmlHeight.has_value());
    EXPECT_FALSE(init.floatPanel.has_value());
}

} // namespace
