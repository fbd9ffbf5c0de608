// The preview and the rule list linked both ways in a real browser engine:
// what a rule matches is counted and outlined, an element picked in the
// page selects its rule, the page takes a changed sheet in place, and the
// page is laid out at the chosen width.
#include "../support/window_fixture.h"
#include "window/preview/outline_overlay.h"

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

class PageLinkTest : public WindowTest
{
protected:
    void SetUp() override
    {
        const QString page = dir.filePath(QStringLiteral("page.html"));
        QFile out(page);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><link rel=\"stylesheet\" href=\"site.css\">"
                  "</head><body style=\"margin: 0\"><div class=\"alert\" id=\"a\" style=\"height: 40px\">Внимание</div>"
                  "<button class=\"btn\">1</button><button class=\"btn primary\">2</button>"
                  "<a class=\"btn\" id=\"link\" href=\"other.html\">3</a><p id=\"x\">Текст</p></body></html>");
        out.close();
        startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8()
                  + ";\r\n}\r\n.btn {\r\ncolor: red;\r\n}\r\ndiv.alert {\r\ncolor: blue;\r\n}\r\n"
                    "p, .alert {\r\nmargin: 0;\r\n}\r\n@media (max-width: 500px) {\r\n.btn {\r\ncolor: green;\r\n}\r\n}\r\n"
                    "a:hover {\r\ncolor: black;\r\n}\r\nhtml > * {\r\n}\r\np:no-such-state {\r\n}\r\n"
                    // Anything added after the body would take this away.
                    "body:last-child {\r\nbackground-color: yellow;\r\n}\r\n");
        view = child<QWebEngineView>("PreBrowser");
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        ASSERT_TRUE(loaded.wait(30000));
        list = child<QListWidget>("ListTag");
        count = child<QLabel>("MatchCount");
    }

    // Runs a script in the page's own world and waits for its answer.
    QVariant evaluate(const QString &script)
    {
        QVariant result;
        bool answered = false;
        view->page()->runJavaScript(script, [&](const QVariant &value) {
            result = value;
            answered = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 20000));
        return result;
    }

    void selectRule(int row)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    // Waits for the count to read the text.
    ::testing::AssertionResult countReads(const QString &text)
    {
        if (QTest::qWaitFor([&] { return count->text() == text; }, 10000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "count reads \"" << count->text().toStdString() << "\"";
    }

    // The outlines drawn over the view.
    int outlines() { return int(child<OutlineOverlay>("PreviewOutlines")->matches().size()); }

    // Every computed value of every element of the page's own.
    QString ownStyles()
    {
        return evaluate(QStringLiteral(
                            "JSON.stringify(Array.from(document.querySelectorAll('html, html *'))"
                            ".map(e => Array.from(getComputedStyle(e)).map(p => p + ':' +"
                            " getComputedStyle(e).getPropertyValue(p)).join(';')))"))
            .toString();
    }

    QPoint centreOf(const char *id)
    {
        const QVariantList box = evaluate(QStringLiteral("(function(){ const r = document.getElementById('%1')"
                                                         ".getBoundingClientRect(); return [r.left + r.width / 2,"
                                                         " r.top + r.height / 2]; })()")
                                              .arg(QLatin1String(id)))
                                     .toList();
        return QPoint(int(box.value(0).toDouble()), int(box.value(1).toDouble()));
    }

    // The rules reach the page before any script run after them answers.
    void pageHasTheRules() { evaluate(QStringLiteral("1")); }

    void pickAt(const char *id)
    {
        const QPoint at = centreOf(id);
        QWidget *surface = view->focusProxy();
        QTest::mouseMove(surface, at);
        QTest::mouseClick(surface, Qt::LeftButton, {}, at);
    }

    void chooseWidth(const QString &text)
    {
        auto *box = child<QComboBox>("PreviewWidth");
        box->setFocus();
        const int target = box->findText(text);
        while (box->currentIndex() < target)
            QTest::keyClick(box, Qt::Key_Down);
        while (box->currentIndex() > target)
            QTest::keyClick(box, Qt::Key_Up);
    }

    QWebEngineView *view = nullptr;
    QListWidget *list = nullptr;
    QLabel *count = nullptr;
};

TEST_F(PageLinkTest, SelectedRuleIsCountedAndOutlinedWithoutRestylingThePage)
{
    EXPECT_TRUE(countReads(QString()));
    const QString before = ownStyles();
    const int elements = evaluate(QStringLiteral("document.getElementsByTagName('*').length")).toInt();
    selectRule(1);
    EXPECT_TRUE(countReads(QStringLiteral("Элементов: 3")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return outlines() == 3; }, 10000));
    EXPECT_EQ(ownStyles(), before);
    EXPECT_EQ(evaluate(QStringLiteral("getComputedStyle(document.body).backgroundColor")).toString(),
              QStringLiteral("rgb(255, 255, 0)"));
    EXPECT_EQ(evaluate(QStringLiteral("document.getElementsByTagName('*').length")).toInt(), elements);
    // Each outline is the element's own box, as the page lays it out.
    const QVariantList button = evaluate(QStringLiteral("(function(){ const r = document.querySelector('.primary')"
                                                        ".getBoundingClientRect(); return [r.left, r.top, r.width,"
                                                        " r.height]; })()"))
                                    .toList();
    EXPECT_TRUE(child<OutlineOverlay>("PreviewOutlines")
                    ->matches()
                    .contains(QRectF(button[0].toDouble(), button[1].toDouble(), button[2].toDouble(),
                                     button[3].toDouble())));

    selectRule(3);
    EXPECT_TRUE(countReads(QStringLiteral("Элементов: 2"))) << "every selector of the list together";
    EXPECT_TRUE(QTest::qWaitFor([&] { return outlines() == 2; }, 10000));
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        child<QAction>("RefreshView")->trigger();
        ASSERT_TRUE(loaded.wait(30000));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return outlines() == 2; }, 10000)) << "the outline comes back after a reload";
    selectRule(7);
    EXPECT_TRUE(countReads(QStringLiteral("Селектор не понят браузером")));
    selectRule(5);
    EXPECT_TRUE(countReads(QStringLiteral("Элементов: 1 (при :hover)")));
    selectRule(6);
    EXPECT_TRUE(countReads(QStringLiteral("Элементов: 2"))) << "head and body";
    selectRule(5);
    EXPECT_TRUE(countReads(QStringLiteral("Элементов: 1 (при :hover)")));

    child<QAction>("HighlightMatches")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return outlines() == 0; }, 10000));
    EXPECT_EQ(count->text(), QStringLiteral("Элементов: 1 (при :hover)")) << "the count stays";

    selectRule(0);
    EXPECT_TRUE(countReads(QString())) << "the base page rule is not a style";
}

TEST_F(PageLinkTest, PickedElementSelectsTheRuleThatWinsAndTheClickGoesNoFurther)
{
    const QUrl shown = view->url();
    auto *pick = child<QAction>("PickElement");
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(pick->isChecked());
    pageHasTheRules();
    pickAt("a");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->currentRow() == 2; }, 10000))
        << "div.alert outweighs the later .alert; row " << list->currentRow();
    EXPECT_FALSE(pick->isChecked()) << "one pick ends the mode";

    pick->trigger();
    pageHasTheRules();
    pickAt("link");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->currentRow() == 1; }, 10000)) << list->currentRow();
    QTest::qWait(300);
    EXPECT_EQ(view->url(), shown) << "the link was not followed";

    pick->trigger();
    pageHasTheRules();
    pickAt("x");
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->currentRow() == 3; }, 10000)) << list->currentRow();
}

TEST_F(PageLinkTest, TheRulesOfThePickedElementAreListedWithTheirSpecificity)
{
    auto *rules = child<QAction>("ElementRules");
    EXPECT_FALSE(rules->isEnabled()) << "nothing picked yet";
    child<QAction>("PickElement")->trigger();
    pageHasTheRules();
    pickAt("link");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rules->isEnabled(); }, 10000));
    rules->trigger();
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) {
        if (!list->isRowHidden(i))
            shown.append(list->item(i)->toolTip());
    }
    // The one in @media is there, greyed: the page is wider than 500 px. So
    // is the one that styles the link on hover, until :hover is forced.
    EXPECT_EQ(shown, (QStringList{".btn (0,1,0)", QStringLiteral("@media (max-width: 500px) \u203A .btn (0,1,0)"),
                                  QStringLiteral("a:hover (0,1,1) (при :hover)")}));
    EXPECT_EQ(list->currentRow(), 1) << "the winner stays selected";
    EXPECT_NE(list->item(4)->foreground(), QBrush()) << "greyed";
    EXPECT_EQ(list->item(1)->foreground(), QBrush());
    EXPECT_NE(list->item(5)->foreground(), QBrush()) << "greyed";
    child<QAction>("ForceHover")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->item(5)->foreground() == QBrush(); }, 10000)) << "forced, it holds";
    // Another pick lists the new element's rules; off brings the whole list.
    child<QAction>("PickElement")->trigger();
    pageHasTheRules();
    pickAt("a");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isRowHidden(1) && !list->isRowHidden(2); }, 10000));
    EXPECT_FALSE(list->isRowHidden(3)) << "p, .alert";
    rules->trigger();
    for (int i = 0; i < list->count(); ++i)
        EXPECT_FALSE(list->isRowHidden(i)) << i;
}

TEST_F(PageLinkTest, ASheetTakenAgainFromItsFileIsShownAtOnce)
{
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    QByteArray sheet = fileText();
    sheet.replace("color: red;", "color: rgb(1, 2, 3);");
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(sheet);
    out.close();
    ASSERT_TRUE(loaded.wait(10000)) << "another program's change reaches the page";
    EXPECT_EQ(evaluate(QStringLiteral("getComputedStyle(document.querySelector('.btn')).color")).toString(),
              QStringLiteral("rgb(1, 2, 3)"));
}

TEST_F(PageLinkTest, EscEndsPickingAndAnElementNoRuleMatchesIsNamed)
{
    auto *pick = child<QAction>("PickElement");
    auto *overlay = child<OutlineOverlay>("PreviewOutlines");
    pick->trigger();
    pageHasTheRules();
    // The pointer comes onto the element from elsewhere: a move to where
    // it already is would be no move.
    const QPoint onElement = centreOf("x");
    bool outlined = false;
    for (int attempt = 0; attempt < 10 && !outlined; ++attempt) {
        QTest::mouseMove(view->focusProxy(), onElement + QPoint(0, 200));
        QTest::mouseMove(view->focusProxy(), onElement);
        outlined = QTest::qWaitFor([&] { return overlay->picked().size() == 1; }, 1000);
    }
    EXPECT_TRUE(outlined) << "the element under the pointer is outlined";
    view->setFocus();
    QTest::keyClick(view->focusProxy(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pick->isChecked(); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return overlay->picked().isEmpty(); }, 10000));
    pick->trigger();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(pick->isChecked()) << "Esc outside the page too";

    evaluate(QStringLiteral("document.body.insertAdjacentHTML('beforeend', '<span id=\"free\" class=\"a b\">'"
                            " + 'x</span>')"));
    pick->trigger();
    pageHasTheRules();
    pickAt("free");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return form->statusBar()->currentMessage() == QStringLiteral("Ни одно правило не подходит к span#free.a.b");
        },
        10000))
        << form->statusBar()->currentMessage().toStdString();
}

TEST_F(PageLinkTest, PageFollowsTheChosenWidthAndMediaRulesSayWhetherTheyApply)
{
    selectRule(4);
    chooseWidth(QStringLiteral("375"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return evaluate(QStringLiteral("window.innerWidth")).toInt() == 375; }, 10000));
    EXPECT_TRUE(countReads(QStringLiteral("Элементов: 3")));
    chooseWidth(QStringLiteral("1280"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return evaluate(QStringLiteral("window.innerWidth")).toInt() == 1280; }, 10000));
    EXPECT_TRUE(countReads(QStringLiteral("Элементов: 3 (условие @media сейчас не выполняется)")));
    chooseWidth(QStringLiteral("По окну"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return evaluate(QStringLiteral("window.innerWidth")).toInt() == view->width(); }, 10000));
}

TEST_F(PageLinkTest, AutoRefreshedChangeReachesThePageWithoutReloadingIt)
{
    auto *autoRefresh = child<QAction>("AutoRefreshAction");
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        autoRefresh->trigger();
        ASSERT_TRUE(loaded.wait(30000)) << "turning it on refreshes at once";
    }
    evaluate(QStringLiteral("window.kept = 42"));
    selectRule(1);
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    QTest::mouseClick(child<QToolButton>("Text_Align_Right"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return evaluate(QStringLiteral("getComputedStyle(document.querySelector('.primary')).textAlign"))
                == QStringLiteral("right");
        },
        10000));
    EXPECT_EQ(evaluate(QStringLiteral("String(window.kept)")).toString(), QStringLiteral("42"));
    EXPECT_EQ(loaded.count(), 0);
    EXPECT_EQ(evaluate(QStringLiteral("document.querySelectorAll('link').length")).toInt(), 1)
        << "the old sheet went once the new one came";

    // Undo and redo reach the page the same way: scroll and script state kept.
    evaluate(QStringLiteral("document.body.style.minHeight = '4000px'; window.scrollTo(0, 300); 1"));
    const auto align = [&] {
        return evaluate(QStringLiteral("getComputedStyle(document.querySelector('.primary')).textAlign")).toString();
    };
    for (const auto &[keys, expected] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Z), false},
                                         std::pair{QKeySequence(Qt::CTRL | Qt::Key_Y), true}}) {
        QTest::keySequence(child<QListWidget>("ListTag"), keys);
        EXPECT_TRUE(QTest::qWaitFor([&] { return (align() == QLatin1String("right")) == expected; }, 10000))
            << keys.toString().toStdString();
        EXPECT_EQ(evaluate(QStringLiteral("window.scrollY")).toInt(), 300) << keys.toString().toStdString();
        EXPECT_EQ(evaluate(QStringLiteral("String(window.kept)")).toString(), QStringLiteral("42"));
        EXPECT_EQ(loaded.count(), 0);
    }

    child<QAction>("RefreshView")->trigger();
    ASSERT_TRUE(loaded.wait(30000)) << "F5 still reloads";
    EXPECT_EQ(evaluate(QStringLiteral("String(window.kept)")).toString(), QStringLiteral("undefined"));
}

TEST_F(PageLinkTest, TodaysDisplayAndPositionValuesReachThePage)
{
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        child<QAction>("AutoRefreshAction")->trigger();
        ASSERT_TRUE(loaded.wait(30000));
    }
    selectRule(1);
    const struct {
        const char *page;
        const char *button;
        const char *property;
        const char *value;
    } cases[] = {
        {"DisplayVis", "DisplayInLineBlock", "display", "inline-block"},
        {"DisplayVis", "DisplayFlex", "display", "flex"},
        {"DisplayVis", "DisplayInLineFlex", "display", "inline-flex"},
        {"DisplayVis", "DisplayGrid", "display", "grid"},
        {"DisplayVis", "DisplayInLineGrid", "display", "inline-grid"},
        {"DisplayVis", "DisplayContents", "display", "contents"},
        {"PositionFloat", "PositionSticky", "position", "sticky"},
    };
    auto *pages = child<QTabWidget>("TABPANEL");
    for (const auto &c : cases) {
        pages->setCurrentWidget(child<QWidget>(c.page));
        QTest::mouseClick(child<QToolButton>(c.button), Qt::LeftButton);
        const QString script = QStringLiteral("getComputedStyle(document.querySelector('.primary')).%1")
                                   .arg(QLatin1String(c.property));
        EXPECT_TRUE(QTest::qWaitFor([&] { return evaluate(script).toString() == QLatin1String(c.value); }, 10000))
            << c.button << ": " << evaluate(script).toString().toStdString();
    }
}

} // namespace
