#include "core/editor/editor.h"
#include "core/sheet/sheet_file_io.h"

#include "../support/fake_browser.h"
#include "../support/fake_host.h"
#include "../support/scripted_questioner.h"
#include "../support/settings_reset.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

class ViewerChangeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        clearProgramSettings();
        editor.files().NewSheet();
        editor.showDiskSheet = [this] { ++diskShown; };
    }

    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
    int diskShown = 0;
};

TEST_F(ViewerChangeTest, NewSheetIsShownAtOnce)
{
    EXPECT_EQ(editor.sheetView().text(), "Body {\n}\n");
}

TEST_F(ViewerChangeTest, CurrentSheetPageShowsWhatWasTyped)
{
    editor.store().memo().setLines({"color: navy;"});
    editor.ViewerChange(Editor::ViewerPage::CurrentSheet);
    EXPECT_EQ(editor.sheetView().text(), "Body {\ncolor: navy;\n}\n");
}

TEST_F(ViewerChangeTest, DiskPageNeedsASavedSheet)
{
    editor.ViewerChange(Editor::ViewerPage::DiskSheet);
    ASSERT_EQ(questioner.asked.size(), 1);
    EXPECT_EQ(questioner.asked[0].text, QStringLiteral("Для возможности просмотра файл должен быть \rпредварительно "
                                                       "сохранен на диске.\rИспользуйте команду меню \"Файл-Сохранить\""));
    EXPECT_EQ(diskShown, 0);

    QTemporaryDir dir;
    const QString path = dir.filePath("a.css");
    ASSERT_TRUE(writeSheetFile(path, {"p {", "}"}, nullptr));
    ASSERT_TRUE(editor.files().OpenSheet(path));
    editor.ViewerChange(Editor::ViewerPage::DiskSheet);
    EXPECT_EQ(diskShown, 1);
    EXPECT_EQ(editor.store().diskLines(), (ByteLines{"p {", "}"}));
    EXPECT_TRUE(editor.files().ConfirmDiscard());
}

TEST_F(ViewerChangeTest, BrowserPageRefreshesThePreview)
{
    FakeBrowser browser;
    editor.setBrowser(&browser);
    editor.ViewerChange(Editor::ViewerPage::Browser);
    EXPECT_EQ(browser.reloads, 1);
}

} // namespace
