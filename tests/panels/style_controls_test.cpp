// Font boxes, the background picture and the panels' layout, as the user
// meets them in the window.
#include "../support/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

class StyleControlsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkpath(QStringLiteral("img"));
        startWith("p {\r\nmargin-top: 4px;\r\n}\r\n", Layout::Program);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
    }

    // Chooses a picture through the real file dialog.
    void choosePicture(const QString &picture)
    {
        QFile file(picture);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        QTimer::singleShot(0, form.get(), [picture] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->objectName(), QStringLiteral("OpenDialogBackGround"));
            // The user types the picture's path into the name field.
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(picture);
            static_cast<QDialog *>(dialog)->accept();
        });
        child<QTabWidget>("TABPANEL")->setCurrentIndex(2);
        QTest::mouseClick(child<QWidget>("OpenBackGround"), Qt::LeftButton);
    }

    QByteArray sheet() { return form->store().sheetText(); }
};

TEST_F(StyleControlsTest, DoubleClickOnTheFamilySwitchesItOff)
{
    auto *family = child<QComboBox>("Font_Family");
    family->setCurrentIndex(1);
    emit family->activated(1);
    QTest::qWait(100);
    ASSERT_TRUE(sheet().contains("Font-Family: serif;")) << sheet().constData();
    ASSERT_TRUE(child<QComboBox>("Font_Family2")->isEnabled());

    doubleClick(family->lineEdit());
    EXPECT_EQ(family->currentText(), QStringLiteral("Шрифт выкл."));
    EXPECT_FALSE(child<QComboBox>("Font_Family2")->isEnabled());
    QTest::qWait(100);
    EXPECT_FALSE(sheet().contains("Font-Family")) << sheet().constData();
}

TEST_F(StyleControlsTest, PictureBesideTheSheetIsRelativeAndOthersKeepTheirPath)
{
    auto *attached = child<QCheckBox>("BackGroundAttCheck");
    EXPECT_FALSE(child<QToolButton>("BGrRepX")->isEnabled());
    choosePicture(dir.filePath(QStringLiteral("img/bg.gif")));
    EXPECT_EQ(attached->text(), QStringLiteral("img/bg.gif"));
    EXPECT_EQ(attached->toolTip(), QStringLiteral("img/bg.gif"));
    EXPECT_TRUE(attached->isChecked());
    EXPECT_TRUE(child<QToolButton>("BGrRepX")->isEnabled());
    EXPECT_TRUE(sheet().contains("url(img/bg.gif)")) << sheet().constData();
    EXPECT_EQ(form->focusWidget(), child<QWidget>("ZF"));

    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath(QStringLiteral("far.gif"));
    choosePicture(outside);
    EXPECT_EQ(attached->text(), outside);
    EXPECT_TRUE(sheet().contains("url(" + outside.toUtf8() + ")")) << sheet().constData();

    QTest::mouseClick(child<QToolButton>("BGrRepX"), Qt::LeftButton);
    EXPECT_TRUE(sheet().contains("repeat-x")) << sheet().constData();
    QTest::mouseClick(attached, Qt::LeftButton);
    EXPECT_FALSE(child<QToolButton>("BGrRepX")->isEnabled());
}

TEST_F(StyleControlsTest, EveryPageFitsItsPanelWithNothingCutOff)
{
    auto *pages = child<QTabWidget>("TABPANEL");
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        // The property pages scroll; the variables page is a table of its own.
        auto *page = qobject_cast<QScrollArea *>(pages->widget(i));
        QWidget *content = page ? page->widget() : pages->widget(i);
        SCOPED_TRACE(pages->widget(i)->objectName().toStdString());
        if (page)
            EXPECT_FALSE(page->horizontalScrollBar()->isVisible());
        EXPECT_LE(content->minimumSizeHint().width(), page ? page->viewport()->width() : content->width());
        for (QWidget *w : content->findChildren<QWidget *>()) {
            if (!w->isVisible() || w->objectName() == QLatin1String("BackGroundAttCheck"))
                continue;
            if (auto *box = qobject_cast<QGroupBox *>(w)) {
                QFont bold = box->font();
                bold.setBold(true);
                EXPECT_LT(QFontMetrics(bold).horizontalAdvance(box->title()), box->width()) << box->objectName().toStdString();
            } else if (auto *label = qobject_cast<QLabel *>(w); label && !label->text().isEmpty()) {
                EXPECT_GE(w->width(), w->minimumSizeHint().width()) << label->text().toStdString();
            } else if (auto *unit = qobject_cast<QToolButton *>(w); unit && !unit->text().isEmpty()) {
                EXPECT_LT(unit->fontMetrics().horizontalAdvance(QStringLiteral("mm")), unit->width());
            } else if (auto *button = qobject_cast<QAbstractButton *>(w); button && !button->text().isEmpty()) {
                EXPECT_GE(w->width(), w->minimumSizeHint().width()) << button->text().toStdString();
            }
        }
    }
}

} // namespace
