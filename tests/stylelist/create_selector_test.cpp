// The selector constructor as the user works it from "Новый стиль".
#include "window/stylelist/create_selector.h"

#include "../support/window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

class CreateSelectorTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith("p {\r\ncolor: red;\r\n}\r\n");
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        dialog = form->createSelector();
    }

    // Runs "Новый стиль"; the gesture works the dialog while it is open.
    void newStyle(const std::function<void()> &gesture)
    {
        bool ran = false;
        QTimer::singleShot(0, dialog, [&] {
            ran = dialog->isVisible();
            // A modal dialog is the active window, as on a desktop. Qt 6.8
            // calls this old; nothing newer makes a dialog active offscreen.
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            QApplication::setActiveWindow(dialog);
            QT_WARNING_POP
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            gesture();
        });
        child<QAction>("NewStyle")->trigger();
        EXPECT_TRUE(ran) << "the dialog opened and the gesture ran in it";
    }

    template <typename T>
    T *part(const char *name)
    {
        return dialog->findChild<T *>(QLatin1String(name));
    }

    QPoint itemCentre(QListWidget *list, const char *text)
    {
        const QList<QListWidgetItem *> found = list->findItems(QLatin1String(text), Qt::MatchExactly);
        return found.isEmpty() ? QPoint() : list->visualItemRect(found.first()).center();
    }

    void clickTag(const char *text)
    {
        auto *list = part<QListWidget>("ListBox1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemCentre(list, text));
    }

    void press(const char *button) { QTest::mouseClick(part<QAbstractButton>(button), Qt::LeftButton); }

    QStringList ruleNames()
    {
        QStringList names;
        auto *list = child<QListWidget>("ListTag");
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text());
        return names;
    }

    TCreateSelector *dialog = nullptr;
};

TEST_F(CreateSelectorTest, BuiltSelectorsBecomeOneNewRule)
{
    newStyle([this] {
        clickTag("UL");
        press("AddElement");
        clickTag("LI");
        press("AddPotomok");
        clickTag("H1");
        auto *list = part<QListWidget>("ListBox1");
        QTest::mouseDClick(dialog->windowHandle(), Qt::LeftButton, {},
                           list->viewport()->mapTo(dialog, itemCentre(list, "H1")));
        press("SpeedButton1");
        press("Ok");
    });
    EXPECT_EQ(ruleNames(), (QStringList{QStringLiteral("p"), QStringLiteral("H1, UL LI")}));
    child<QAction>("Save")->trigger();
    EXPECT_TRUE(fileText().contains("H1, UL LI {")) << fileText().constData();
}

TEST_F(CreateSelectorTest, PseudoClassAndIdReachTheSelector)
{
    newStyle([this] {
        clickTag("A");
        auto *pseudo = part<QListWidget>("psevdoclass");
        QTest::mouseClick(pseudo->viewport(), Qt::LeftButton, {}, itemCentre(pseudo, ":hover"));
        EXPECT_EQ(part<QLineEdit>("CurrentSelector")->text(), QStringLiteral("A:hover"));
        clickTag("P");
        EXPECT_FALSE(pseudo->isEnabled());
        QTest::keyClicks(part<QComboBox>("ComboID")->lineEdit(), QStringLiteral("main"));
        EXPECT_EQ(part<QLineEdit>("CurrentSelector")->text(), QStringLiteral("P#main"));
        press("Ok");
    });
    EXPECT_TRUE(ruleNames().contains(QStringLiteral("P#main")));

    // The ID of the sheet is offered the next time.
    newStyle([this] {
        EXPECT_EQ(part<QComboBox>("ComboID")->itemText(0), QStringLiteral("main"));
        EXPECT_TRUE(part<QLineEdit>("CurrentSelector")->text().isEmpty());
        press("Cancel");
    });
    EXPECT_EQ(ruleNames().size(), 2);
}

TEST_F(CreateSelectorTest, TypedNamesAreOfferedOnceTheBoxIsLeft)
{
    newStyle([this] {
        for (const char *name : {"ComboID", "ComboClass"}) {
            auto *box = part<QComboBox>(name);
            QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
            QTest::keyClicks(box->lineEdit(), QStringLiteral("typed"));
            QTest::keyClick(box->lineEdit(), Qt::Key_Tab);
            EXPECT_FALSE(box->hasFocus());
            EXPECT_GE(box->findText(QStringLiteral("typed")), 0) << name;
        }
        press("Cancel");
    });
}

TEST_F(CreateSelectorTest, HoveringATagDescribesIt)
{
    newStyle([this] {
        dialog->findChildren<QAbstractButton *>().first()->click(); // the page "Все"
        auto *all = part<QListWidget>("ListTagHTML");
        all->scrollToItem(all->findItems(QStringLiteral("TR"), Qt::MatchExactly).first());
        QTest::mouseMove(dialog->windowHandle(), all->viewport()->mapTo(dialog, itemCentre(all, "TR")));
        EXPECT_EQ(all->currentItem()->text(), QStringLiteral("TR"));
        EXPECT_EQ(part<QLabel>("LabelHint")->text(), QStringLiteral("Назначение тега в HTML: строка таблицы"));
        EXPECT_TRUE(part<QLineEdit>("CurrentSelector")->text().isEmpty()) << "hovering is no click";
        dialog->close();
    });
    EXPECT_EQ(ruleNames().size(), 1);
}

TEST_F(CreateSelectorTest, NothingInTheDialogIsCutOff)
{
    newStyle([this] {
        EXPECT_EQ(dialog->size(), QSize(582, 329));
        for (QWidget *w : dialog->findChildren<QWidget *>()) {
            if (!w->isVisible())
                continue;
            if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w))
                EXPECT_GE(w->width(), w->minimumSizeHint().width())
                    << w->objectName().toStdString() << " " << w->property("text").toString().toStdString();
        }
        press("Cancel");
    });
}

} // namespace
