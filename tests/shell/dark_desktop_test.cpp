// The window on a dark desktop: every text and drawn icon stands out from
// the ground it is on.
#include "window/shell/main_form.h"
#include "window/panels/panel_widgets.h"
#include "window/stylelist/create_selector.h"

#include "../support/settings_reset.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

namespace {

// The difference in lightness, 0 to 255.
int contrast(const QColor &a, const QColor &b)
{
    return std::abs(a.lightness() - b.lightness());
}

// A length in use, a font box in use and out of use, the rule's text, the
// HTML editor, the constructor's lists: each one's text reads on its ground.
void expectLightGroundsRead(TMainForm &form)
{
    auto *margin = form.findChild<QLineEdit *>(QStringLiteral("MarginTop"));
    setInUse(margin, true);
    auto *family = form.findChild<QComboBox *>(QStringLiteral("Font_Family"));
    setInUse(family, true);
    auto *weight = form.findChild<QComboBox *>(QStringLiteral("Font_Weight"));
    setInUse(weight, false);
    QList<QWidget *> fields = {margin, family, weight, form.findChild<QWidget *>(QStringLiteral("CSSMemo")),
                               form.findChild<QWidget *>(QStringLiteral("HTML"))};
    for (QListWidget *constructorList : form.createSelector()->findChildren<QListWidget *>())
        fields.append(constructorList);
    for (QWidget *field : fields) {
        ASSERT_NE(field, nullptr);
        const QPalette p = field->palette();
        EXPECT_GE(contrast(p.color(QPalette::Base), p.color(QPalette::Text)), 100) << field->objectName().toStdString();
    }
}

TEST(DarkDesktop, ListHintsAndIconsReadOnADarkPalette)
{
    clearProgramSettings();
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2A, 0x2A, 0x2A));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    QApplication::setPalette(dark);
    {
        TMainForm form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

        auto *list = form.findChild<QListWidget *>(QStringLiteral("ListTag"));
        EXPECT_GE(contrast(list->palette().color(QPalette::Base), list->palette().color(QPalette::Text)), 100);

        auto *hints = form.findChild<QLabel *>(QStringLiteral("StatusPanel"));
        EXPECT_GE(contrast(hints->palette().color(QPalette::WindowText), dark.color(QPalette::Window)), 100);

        auto *button = form.findChild<QToolButton *>(QStringLiteral("Text_Align_Center"));
        const QImage icon = button->icon().pixmap(16, 16).toImage();
        int inked = 0, readable = 0;
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x) {
                const QColor c = icon.pixelColor(x, y);
                if (c.alpha() < 128)
                    continue;
                ++inked;
                readable += contrast(c, dark.color(QPalette::Button)) >= 100;
            }
        }
        ASSERT_GT(inked, 0);
        EXPECT_GE(readable * 2, inked) << readable << " of " << inked << " pixels stand out";
        // The selector constructor's titles.
        for (const char *name : {"Label1", "GroupBox1"}) {
            auto *title = form.createSelector()->findChild<QWidget *>(QLatin1String(name));
            ASSERT_TRUE(title) << name;
            title->ensurePolished();
            EXPECT_GE(contrast(title->palette().color(QPalette::WindowText), dark.color(QPalette::Window)), 100)
                << name;
        }
        expectLightGroundsRead(form);
        form.store().setSheetModified(false);
        form.close();
    }
    QApplication::setPalette(light);
}

// The desktop turns dark while the program runs: every place the program
// grounds in a light colour of its own still writes dark text on it, and
// the hints and the list follow the new palette.
TEST(DarkDesktop, LightGroundsKeepDarkTextAndHintsFollowWhenTheDesktopTurnsDark)
{
    clearProgramSettings();
    const QPalette light = QApplication::palette();
    {
        TMainForm form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2A, 0x2A, 0x2A));
        dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
        dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
        dark.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
        dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
        QApplication::setPalette(dark);
        QApplication::processEvents();

        auto *hints = form.findChild<QLabel *>(QStringLiteral("StatusPanel"));
        EXPECT_GE(contrast(hints->palette().color(QPalette::WindowText), dark.color(QPalette::Window)), 100);
        auto *list = form.findChild<QListWidget *>(QStringLiteral("ListTag"));
        EXPECT_GE(contrast(list->palette().color(QPalette::Base), list->palette().color(QPalette::Text)), 100);

        expectLightGroundsRead(form);
        form.store().setSheetModified(false);
        form.close();
    }
    QApplication::setPalette(light);
}

} // namespace
