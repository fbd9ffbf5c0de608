// The live preview in a real browser engine: the sheet's base page, panel
// changes reaching the page, and the browser's history.
#include "../support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QMenu>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTabBar>
#include <QToolButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

class PreviewTest : public WindowTest
{
protected:
    void SetUp() override
    {
        page = writePage("page.html", "<p id=\"x\">Текст</p>");
        startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8() + ";\r\n}\r\np {\r\ncolor: red;\r\n}\r\n");
        view = child<QWebEngineView>("PreBrowser");
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        ASSERT_TRUE(loaded.wait(30000));
    }

    QString writePage(const char *name, const char *body)
    {
        const QString file = dir.filePath(QLatin1String(name));
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><link rel=\"stylesheet\" href=\"site.css\">"
                  "</head><body>");
        out.write(body);
        out.write("</body></html>");
        return file;
    }

    // Runs a script in the page and waits for its answer.
    QString evaluate(const QString &script)
    {
        QString result;
        bool answered = false;
        view->page()->runJavaScript(script, [&](const QVariant &value) {
            result = value.toString();
            answered = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 20000));
        return result;
    }

    QString alignment() { return evaluate(QStringLiteral("getComputedStyle(document.getElementById('x')).textAlign")); }

    // Does something that reloads the page and waits for the reload.
    void andReload(const std::function<void()> &gesture)
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        gesture();
        ASSERT_TRUE(loaded.wait(30000));
    }

    void selectRule(int row)
    {
        auto *list = child<QListWidget>("ListTag");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    QString page;
    QWebEngineView *view = nullptr;
};

TEST_F(PreviewTest, BasePageShowsAndFollowsPanelChangesWhileAutoRefreshIsOn)
{
    EXPECT_EQ(child<QTabWidget>("Viewer")->currentWidget()->objectName(), QStringLiteral("PreView"));
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(page));
    EXPECT_EQ(child<QComboBox>("LocationView")->currentText(), QUrl::fromLocalFile(page).toString());
    EXPECT_EQ(evaluate(QStringLiteral("getComputedStyle(document.getElementById('x')).color")),
              QStringLiteral("rgb(255, 0, 0)"));
    selectRule(1);

    andReload([this] { child<QAction>("AutoRefreshAction")->trigger(); });
    QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([this] { return alignment() == QStringLiteral("center"); }, 10000));

    child<QAction>("AutoRefreshAction")->trigger();
    QTest::mouseClick(child<QToolButton>("Text_Align_Right"), Qt::LeftButton);
    QTest::qWait(300);
    EXPECT_EQ(alignment(), QStringLiteral("center")) << "nothing is written without auto-refresh";
    andReload([this] { child<QAction>("RefreshView")->trigger(); });
    EXPECT_EQ(alignment(), QStringLiteral("right"));

    child<QAction>("VisualEditHTML")->trigger();
    EXPECT_EQ(evaluate(QStringLiteral("document.designMode")), QStringLiteral("on"));
}

TEST_F(PreviewTest, BackAndForwardFollowThePagesHistory)
{
    const QString second = writePage("second.html", "<p>2</p>");
    auto *location = child<QComboBox>("LocationView");
    andReload([&] {
        location->lineEdit()->setFocus();
        location->lineEdit()->selectAll();
        QTest::keyClicks(location->lineEdit(), second);
        QTest::keyClick(location->lineEdit(), Qt::Key_Return);
    });
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(second));
    EXPECT_TRUE(child<QAction>("GotoBack")->isEnabled());
    EXPECT_FALSE(child<QAction>("GotoForward")->isEnabled());
    EXPECT_EQ(location->count(), 2);
    EXPECT_EQ(location->itemText(0), QUrl::fromLocalFile(second).toString());

    andReload([this] { child<QAction>("GotoBack")->trigger(); });
    EXPECT_EQ(view->url(), QUrl::fromLocalFile(page));
    EXPECT_TRUE(child<QAction>("GotoForward")->isEnabled());
    EXPECT_EQ(location->count(), 2) << "each address once";
    EXPECT_EQ(location->itemText(0), QUrl::fromLocalFile(page).toString());
}

} // namespace

namespace {

// A UTF-8 sheet with a Cyrillic class and string, as most sheets today are.
class Utf8PreviewTest : public PreviewTest
{
protected:
    void SetUp() override
    {
        page = writePage("page.html", "<p id=\"x\" class=\"кнопка\">Текст</p>");
        startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8() + ";\r\n}\r\n"
                  + QStringLiteral(".кнопка::before {\r\ncontent: \"→ Привет\";\r\n}\r\n").toUtf8());
        view = child<QWebEngineView>("PreBrowser");
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        ASSERT_TRUE(loaded.wait(30000));
    }

    // Types the text key by key, letters beyond ASCII as the keyboard
    // delivers them.
    static void type(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClicks(widget, QString(c));
            else
                QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
        }
    }

    QString before() { return evaluate(QStringLiteral("getComputedStyle(document.getElementById('x'), '::before').content")); }
};

TEST_F(Utf8PreviewTest, CyrillicTypedIntoTheRuleIsSavedAsUtf8AndShownAsTyped)
{
    auto *list = child<QListWidget>("ListTag");
    EXPECT_EQ(list->item(1)->text(), QStringLiteral(".кнопка::before"));
    EXPECT_EQ(child<QToolButton>("EncodingLabel")->text(), QStringLiteral("UTF-8"));
    EXPECT_EQ(before(), QStringLiteral("\"→ Привет\""));

    selectRule(1);
    QTabBar *tabs = child<QTabWidget>("Viewer")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    auto *memo = child<QPlainTextEdit>("CSSMemo");
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    memo->selectAll();
    type(memo, QStringLiteral("content: \"«Жук» →\";"));
    QTest::mouseClick(child<QToolButton>("Text_Align_Center"), Qt::LeftButton);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);

    const QByteArray saved = fileText();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(saved);
    EXPECT_FALSE(decoder.hasError());
    EXPECT_TRUE(text.contains(QStringLiteral(".кнопка::before {"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("content:\"«Жук» →\";"))) << text.toStdString();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    andReload([this] { child<QAction>("RefreshView")->trigger(); });
    EXPECT_EQ(before(), QStringLiteral("\"«Жук» →\""));
}

// Clicks the encoding in the status bar and the item of its menu.
void chooseEncoding(QToolButton *button, const QString &item)
{
    bool chosen = false;
    QTimer::singleShot(0, button, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            if (action->text() == item) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                chosen = true;
            }
        }
    });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return chosen; }, 5000)) << item.toStdString();
}

TEST_F(Utf8PreviewTest, ChosenEncodingIsSavedAndThePageStillReadsTheSheet)
{
    auto *button = child<QToolButton>("EncodingLabel");
    chooseEncoding(button, QStringLiteral("Windows-1251"));
    EXPECT_EQ(button->text(), QStringLiteral("Windows-1251"));
    child<QAction>("Save")->trigger();
    EXPECT_TRUE(fileText().contains(QByteArray("content: \"\\2192  \xcf\xf0\xe8\xe2\xe5\xf2\""))) << fileText().constData();
    andReload([this] { child<QAction>("RefreshView")->trigger(); });
    EXPECT_EQ(before(), QStringLiteral("\"→ Привет\""));

    // The second time the menu is used, back to UTF-8.
    chooseEncoding(button, QStringLiteral("UTF-8"));
    EXPECT_EQ(button->text(), QStringLiteral("UTF-8"));
    child<QAction>("Save")->trigger();
    // The arrow stays the escape it became, which reads as the arrow.
    EXPECT_TRUE(fileText().contains(QStringLiteral("content: \"\\2192  Привет\"").toUtf8())) << fileText().constData();
    andReload([this] { child<QAction>("RefreshView")->trigger(); });
    EXPECT_EQ(before(), QStringLiteral("\"→ Привет\""));

    // The same choice in the Style menu, for the keyboard.
    QMenu *encodings = nullptr;
    for (QAction *item : child<QMenu>("StyleMenu")->actions()) {
        if (item->menu() && item->menu()->title() == QStringLiteral("Кодировка"))
            encodings = item->menu();
    }
    ASSERT_TRUE(encodings);
    for (QAction *item : encodings->actions()) {
        if (item->text() == QStringLiteral("Windows-1251"))
            item->trigger();
    }
    EXPECT_EQ(button->text(), QStringLiteral("Windows-1251"));
}

} // namespace
