#include "core/sheet/cp1251.h"
#include "core/sheet/canonical_text.h"
#include "window/shell/main_form.h"

#include "../support/window_fixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

class PanelWindowTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith("Body {\r\ncolor: red;\r\ncursor: Hand;\r\n}\r\nh1 {\r\nmargin-top: 4px;\r\n}\r\n", Layout::Program);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        memo = child<QPlainTextEdit>("CSSMemo");
        sheetView = child<QPlainTextEdit>("HCSSMemo");
    }

    QPlainTextEdit *memo = nullptr;
    QPlainTextEdit *sheetView = nullptr;
};

TEST_F(PanelWindowTest, AlignmentClickReachesTheRuleTheSheetAndTheView)
{
    const int before = form->store().history().pos;
    auto *center = child<QToolButton>("Text_Align_Center");
    QTest::mouseClick(center, Qt::LeftButton);
    EXPECT_TRUE(center->isChecked());
    EXPECT_TRUE(memo->toPlainText().startsWith(QStringLiteral("; Text-align: center;\n")));
    EXPECT_TRUE(form->store().sheetText().contains("Body {\r\nText-align: center;\r\ncolor: red;\r\n"));
    child<QTabWidget>("Viewer")->setCurrentIndex(1);
    EXPECT_TRUE(sheetView->toPlainText().contains(QStringLiteral("Text-align: center;")));
    EXPECT_EQ(form->store().history().pos, before + 1);
    EXPECT_TRUE(child<QAction>("BackEdit")->isEnabled());
    // Memo and table hold the same declarations; the memo shows them as read.
    EXPECT_EQ(CanonicalSheetText(joinLines(form->store().memo().lines())),
              CanonicalSheetText(joinLines(form->store().table().body(0))));
    EXPECT_TRUE(memo->toPlainText().contains(QStringLiteral("cursor:Hand;")));

    QTest::mouseClick(center, Qt::LeftButton);
    EXPECT_FALSE(center->isChecked());
    EXPECT_FALSE(form->store().sheetText().contains("Text-align"));
}

TEST_F(PanelWindowTest, UndoRestoresAndReselectsRedoBringsBack)
{
    QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton);
    auto *list = child<QListWidget>("ListTag");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QTest::mouseClick(child<QToolButton>("BorderDotted"), Qt::LeftButton);
    ASSERT_TRUE(form->store().sheetText().contains("Border-style: dotted;"));

    child<QAction>("BackEdit")->trigger();
    EXPECT_FALSE(form->store().sheetText().contains("dotted"));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(child<QToolButton>("Text_Align_Center")->isChecked());
    EXPECT_TRUE(child<QAction>("ForeEdit")->isEnabled());

    child<QAction>("ForeEdit")->trigger();
    EXPECT_TRUE(form->store().sheetText().contains("Border-style: dotted;"));
    // The view is patched in place; it must still read exactly as the sheet.
    child<QTabWidget>("Viewer")->setCurrentIndex(1);
    EXPECT_EQ(sheetView->toPlainText(), cp1251::decode(form->editor().sheetView().text()));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(child<QToolButton>("BorderDotted")->isChecked());
    EXPECT_FALSE(child<QAction>("ForeEdit")->isEnabled());
}

TEST_F(PanelWindowTest, LengthTypedAndConfirmedWithEnterIsCommitted)
{
    auto *edit = child<QLineEdit>("PaddingLeft");
    child<QTabWidget>("TABPANEL")->setCurrentIndex(1);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, QStringLiteral("1,5"));
    EXPECT_EQ(edit->text(), QStringLiteral("1.5"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(form->store().sheetText().contains("Padding-left: 1.5px;")) << form->store().sheetText().constData();
    EXPECT_TRUE(child<QWidget>("ZF")->hasFocus());
}

TEST_F(PanelWindowTest, EnterInTheMemoDoesNotCommit)
{
    const int before = form->store().history().pos;
    child<QTabWidget>("Viewer")->setCurrentIndex(0);
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(memo, QStringLiteral("float: left;"));
    EXPECT_TRUE(child<QPushButton>("BtnStyleUpdate")->isVisible());
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(form->store().history().pos, before);
    EXPECT_TRUE(memo->hasFocus());

    QTest::mouseClick(child<QPushButton>("BtnStyleUpdate"), Qt::LeftButton);
    EXPECT_FALSE(child<QPushButton>("BtnStyleUpdate")->isVisible());
    EXPECT_TRUE(child<QToolButton>("FloatLeft")->isChecked());
    EXPECT_TRUE(form->store().sheetText().contains("Float: left;"));
}

TEST_F(PanelWindowTest, CheckBoxReleaseCommitsTheSwatch)
{
    auto *check = child<QCheckBox>("BorderColorCheck");
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_TRUE(form->store().sheetText().contains("Border-color: GRAY;"));
    QTest::mouseClick(child<QCheckBox>("BackGroundTransparent"), Qt::LeftButton);
    EXPECT_FALSE(child<QCheckBox>("BackGroundColorCheck")->isEnabled());
    EXPECT_TRUE(form->store().sheetText().contains("BackGround-color: transparent;"));
}

TEST_F(PanelWindowTest, BackgroundButtonsFollowThePictureBox)
{
    EXPECT_FALSE(child<QToolButton>("BGrPosCC")->isEnabled());
    form->store().memo().setLines({"background-image: url(Img/Sky.gif);"});
    form->editor().panelController().applyTypedDeclarations();
    EXPECT_TRUE(child<QToolButton>("BGrPosCC")->isEnabled());
    EXPECT_EQ(child<QCheckBox>("BackGroundAttCheck")->text(), QStringLiteral("Img/Sky.gif"));
    QTest::mouseClick(child<QToolButton>("BGrPosCC"), Qt::LeftButton);
    EXPECT_TRUE(form->store().sheetText().contains("BackGround-Image: url(Img/Sky.gif);\r\n"
                                                   "BackGround-position: center center;"));
}

} // namespace

namespace {

TEST_F(PanelWindowTest, TypedFontSizeIsCommittedWhenTheTypingIsDone)
{
    auto *size = child<QComboBox>("Font_Size");
    size->lineEdit()->setFocus();
    size->lineEdit()->selectAll();
    QTest::keyClicks(size->lineEdit(), QStringLiteral("13"));
    EXPECT_FALSE(form->store().sheetText().contains("Font-size")) << "nothing is written while typing";
    QTest::keyClick(size->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(form->store().sheetText().contains("Font-size: 13px;")) << form->store().sheetText().constData();
}

TEST_F(PanelWindowTest, TypedFontTextIsTakenBeforeTheNextPanelGesture)
{
    // The unit button and the option buttons take no focus: the box must
    // give up what was typed before they act.
    auto *size = child<QComboBox>("Font_Size");
    QTest::mouseClick(size->lineEdit(), Qt::LeftButton);
    size->lineEdit()->selectAll();
    QTest::keyClicks(size->lineEdit(), QStringLiteral("13"));
    QTest::mouseClick(child<QToolButton>("Font_Size_"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>("Z_8"), Qt::LeftButton);
    EXPECT_EQ(size->currentText(), QStringLiteral("13"));
    EXPECT_TRUE(form->store().sheetText().contains("Font-size: 13em;")) << form->store().sheetText().constData();

    auto *family = child<QComboBox>("Font_Family");
    QTest::mouseClick(family->lineEdit(), Qt::LeftButton);
    family->lineEdit()->selectAll();
    QTest::keyClicks(family->lineEdit(), QStringLiteral("cursive"));
    QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton);
    QTest::qWait(150);
    EXPECT_EQ(family->currentText(), QStringLiteral("cursive"));
    EXPECT_TRUE(form->store().sheetText().contains("Font-Family: cursive;")) << form->store().sheetText().constData();
    EXPECT_TRUE(form->store().sheetText().contains("Text-align: center;"));

    // A family this machine does not have is the user's to name.
    QTest::mouseClick(family->lineEdit(), Qt::LeftButton);
    family->lineEdit()->selectAll();
    QTest::keyClicks(family->lineEdit(), QStringLiteral("MyFamily"));
    QTest::mouseClick(child<QToolButton>("Text_Align_Left"), Qt::LeftButton);
    QTest::qWait(150);
    EXPECT_EQ(family->currentText(), QStringLiteral("MyFamily"));
    EXPECT_TRUE(form->store().sheetText().contains("Font-Family: MyFamily;")) << form->store().sheetText().constData();
}

TEST_F(PanelWindowTest, LineBreaksTypedOrPastedIntoTheRuleAreLineBreaks)
{
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("float: left;"));
    QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
    QApplication::clipboard()->setText(QStringLiteral("clear: both;") + QChar(QChar::LineSeparator) +
                                       QStringLiteral("cursor: move;"));
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    child<QAction>("Save")->trigger();
    EXPECT_TRUE(fileText().contains("float: left;\r\nclear: both;\r\ncursor: move;")) << fileText().constData();
    EXPECT_FALSE(fileText().contains('?')) << fileText().constData();
}

TEST_F(PanelWindowTest, TypingIntoTheRuleOffersTheBoldBlueUpdateButton)
{
    auto *update = child<QPushButton>("BtnStyleUpdate");
    QTabBar *tabs = child<QTabWidget>("Viewer")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    EXPECT_FALSE(update->isVisible());
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    QTest::keyClicks(memo, QStringLiteral("x"));
    EXPECT_TRUE(update->isVisible());
    EXPECT_TRUE(update->font().bold());
    EXPECT_EQ(update->palette().color(QPalette::ButtonText), QColor(Qt::blue));
}

TEST_F(PanelWindowTest, FamilyChosenFromTheListIsWrittenAMomentLater)
{
    auto *family = child<QComboBox>("Font_Family");
    family->setCurrentIndex(5);
    emit family->activated(5);
    EXPECT_TRUE(child<QComboBox>("Font_Family2")->isEnabled());
    QTest::qWait(150);
    EXPECT_TRUE(form->store().sheetText().contains("Font-Family: monospace;"));
}

} // namespace

namespace {

TEST_F(PanelWindowTest, EnterInTheRuleListCommitsNothingButEnterElsewhereDoes)
{
    auto *list = child<QListWidget>("ListTag");
    const int before = form->store().history().pos;
    form->store().memo().setLines({"float: right;"});
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(form->store().history().pos, before);
    EXPECT_TRUE(list->hasFocus());

    auto *location = child<QComboBox>("LocationView");
    location->setFocus();
    QTest::keyClick(location, Qt::Key_Return);
    EXPECT_EQ(form->store().history().pos, before + 1);
    EXPECT_TRUE(form->store().sheetText().contains("float: right;"));
    EXPECT_TRUE(child<QWidget>("ZF")->hasFocus());
}

} // namespace
