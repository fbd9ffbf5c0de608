// A new installation: a few panel changes and a save touch only the rule
// changed; the rest of the file keeps its bytes.
#include "../support/window_fixture.h"

#include <QAction>
#include <QListWidget>
#include <QToolButton>

namespace {

const QByteArray kSheet = "/* Site */\n"
                          "body {\n"
                          "    BackGround-color: #fff;\n"
                          "    Margin-top: 0;\n"
                          "}\n"
                          "\n"
                          ".card {\n"
                          "    padding: 1rem;\n"
                          "}\n"
                          "\n"
                          "h1 { color: navy }\n";

class FirstSaveTest : public WindowTest
{
};

TEST_F(FirstSaveTest, PanelChangesAndASaveLeaveEveryUntouchedLineAsItWas)
{
    startWith(kSheet);
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    auto *list = child<QListWidget>("ListTag");
    ASSERT_EQ(list->count(), 3);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>("Text_Align_Right"), Qt::LeftButton);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);

    const QByteArray saved = fileText();
    EXPECT_FALSE(saved.contains('\r')) << saved.constData();
    const QList<QByteArray> before = kSheet.split('\n');
    const QList<QByteArray> after = saved.split('\n');
    // Only the lines of ".card" differ.
    EXPECT_EQ(after.mid(0, 6), before.mid(0, 6)) << saved.constData();
    EXPECT_EQ(after.mid(after.size() - 3), before.mid(before.size() - 3)) << saved.constData();
    EXPECT_TRUE(saved.contains("text-align: right;")) << saved.constData();
    EXPECT_TRUE(saved.contains("padding: 1rem;")) << saved.constData();
}

} // namespace
