// What the page says of the sheet, in the real window with the real
// engine: the rules no element uses, and the contrast of a picked
// element's text.
#include "../support/page_click.h"
#include "../support/page_script.h"
#include "../support/window_fixture.h"

#include "core/editor/editor.h"
#include "core/preview/element_cascade.h"
#include "core/preview/page_sheets.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <string_view>
#include <QWebEngineView>

namespace {

class PageUsageTest : public WindowTest
{
protected:
    // The page links the edited sheet, between what `before` and `after`
    // put in its head.
    void openPage(const QByteArray &html, const QByteArray &rules, const QByteArray &before = {},
                  const QByteArray &after = {})
    {
        const QString page = dir.filePath(QStringLiteral("page.html"));
        QFile out(page);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<!DOCTYPE html><html><head>" + before + "<link rel=\"stylesheet\" href=\"site.css\">" + after
                  + "</head><body>" + html + "</body></html>");
        out.close();
        startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8() + ";\r\n}\r\n" + rules);
        view = child<QWebEngineView>("PreBrowser");
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        ASSERT_TRUE(loaded.wait(30000));
        list = child<QListWidget>("ListTag");
    }

    // A pick as the user makes it: the action, then a click on the element.
    void pick(const QString &id)
    {
        child<QAction>("PickElement")->trigger();
        clickElementInPage(view, id);
    }

    QWebEngineView *view = nullptr;
    QListWidget *list = nullptr;
};

TEST_F(PageUsageTest, RulesNoElementUsesAreGreyedInItalicsAndCounted)
{
    openPage("<div class=\"a\">a</div><p class=\"b\">b</p><span id=\"c\">c</span>",
             ".a { color: red; }\r\n.b:hover { color: red; }\r\n#c::before { content: 'x'; }\r\n.d { color: red; }\r\n"
             ".e { color: red; }\r\n.f > .a { color: red; }\r\n@media (max-width: 10px) {\r\n.a { color: blue; }\r\n}\r\n"
             "ul li { color: red; }\r\n.g { color: red; }\r\n.h { color: red; }\r\n"
             ".a:no-such-state { color: red; }\r\n");
    ASSERT_EQ(list->count(), 12);
    child<QAction>("UnusedRules")->trigger();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return form->statusBar()->currentMessage()
                   == QStringLiteral("Не используются на странице: 6 из 12; не проверить: 1");
        },
        10000))
        << form->statusBar()->currentMessage().toStdString();
    // A selector the engine cannot read tells nothing: neither used nor not.
    EXPECT_FALSE(list->item(11)->font().italic());
    EXPECT_EQ(list->item(11)->foreground().style(), Qt::NoBrush);
    EXPECT_TRUE(list->item(11)->toolTip().contains(QStringLiteral("не проверить")));
    // A state is taken as holding, a pseudo-element by its element.
    const QColor ink = list->palette().color(QPalette::Text);
    for (int row : {1, 2, 3}) {
        EXPECT_FALSE(list->item(row)->font().italic()) << row;
        EXPECT_EQ(list->item(row)->foreground().style(), Qt::NoBrush) << row;
    }
    for (int row : {4, 5, 6, 8, 9, 10}) {
        EXPECT_TRUE(list->item(row)->font().italic()) << row;
        EXPECT_NE(list->item(row)->foreground().color(), ink) << row;
    }
    EXPECT_FALSE(list->item(7)->font().italic()) << "used, but its @media does not hold: greyed upright";
    EXPECT_NE(list->item(7)->foreground().style(), Qt::NoBrush);

    // Off, the list is as before and the count is gone.
    child<QAction>("UnusedRules")->trigger();
    EXPECT_FALSE(list->item(4)->font().italic());
    EXPECT_EQ(list->item(4)->foreground().style(), Qt::NoBrush);
    EXPECT_TRUE(form->statusBar()->currentMessage().isEmpty());
}

TEST_F(PageUsageTest, TheContrastLabelReadsThePickedElementAndFollowsAColourChange)
{
    openPage("<p id=\"g1\">a</p><p id=\"g2\">b</p><p id=\"b\">c</p><div id=\"t\"><p id=\"over\">d</p></div>"
             "<div id=\"f\"><p id=\"faded\">e</p></div>",
             "#g1 { color: #777; }\r\n#g2 { color: #767676; }\r\n#b { color: #fff; background-color: #0d6efd; }\r\n"
             "#t { background-color: rgba(0, 0, 0, 0.5); }\r\n#over { color: #000; }\r\n#b:hover { background-color: #000; }\r\n"
             "#f { opacity: 0.5; }\r\n#faded { color: #000; }\r\n");
    auto *label = child<QLabel>("ContrastLabel");
    EXPECT_EQ(label->text(), QStringLiteral("Контраст: выберите элемент на странице"));
    const struct {
        const char *id, *expected;
    } cases[] = {
        {"g1", "Контраст 4,47:1 — ниже AA"},
        {"g2", "Контраст 4,54:1 — AA"},
        {"b", "Контраст 4,50:1 — AA"},
        {"over", "Контраст 5,24:1 — AA"},
        {"faded", "Контраст 3,97:1 — ниже AA"},
    };
    for (const auto &c : cases) {
        pick(QString::fromLatin1(c.id));
        // The click leaves the pointer on the element, in :hover; it is
        // read again as it stands once the pointer leaves.
        if (c.id == std::string_view("b")) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return label->text() == QStringLiteral("Контраст 21,00:1 — AAA"); }, 10000))
                << label->text().toStdString();
            QTest::mouseMove(view->focusProxy(), QPoint(view->width() - 5, view->height() - 5));
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return label->text() == QString::fromUtf8(c.expected); }, 10000))
            << c.id << ": " << label->text().toStdString();
    }

    // With automatic refresh on, a colour set on the panel is read off the
    // page again.
    {
        QSignalSpy reloaded(view, &QWebEngineView::loadFinished);
        child<QAction>("AutoRefreshAction")->trigger();
        ASSERT_TRUE(reloaded.wait(30000));
    }
    pick(QStringLiteral("g1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return label->text() == QStringLiteral("Контраст 4,47:1 — ниже AA"); }, 10000));
    ASSERT_EQ(list->currentRow(), 1);
    form->editor().panelController().swatchColorChosen(Swatch::Font, Rgb{0, 0, 0});
    EXPECT_TRUE(QTest::qWaitFor([&] { return label->text() == QStringLiteral("Контраст 21,00:1 — AAA"); }, 10000))
        << label->text().toStdString();
}

} // namespace

namespace {

// A state forced on the picked element styles it as the state itself does,
// specificity included: a :hover rule beats a less specific one, as when
// the pointer is there.
TEST_F(PageUsageTest, AForcedStateStylesThePickedElementAsTheRealStateDoes)
{
    openPage("<p><button id=\"b\" class=\"btn\">b</button></p><p id=\"far\">far</p>",
             ".btn { color: black; background-color: #0d6efd; transition: background-color .15s; }\r\n"
             "button.btn { color: blue; }\r\n.btn:hover { color: red; background-color: #0b5ed7; }\r\n"
             ".btn:focus { outline: 0; box-shadow: 0 0 0 4px rgba(13, 110, 253, 0.5); }\r\n"
             "p:focus-within { background-color: yellow; }\r\n");
    const QString style = QStringLiteral("(function(){ const s = getComputedStyle(document.getElementById('b')); "
                                         "return [s.color, s.backgroundColor, s.boxShadow, "
                                         "getComputedStyle(document.querySelector('p')).backgroundColor].join('|'); })()");
    auto settled = [&] {
        QTest::qWait(400); // the sheet's own transition
        return runInPage(view->page(), style).toString();
    };
    auto *hover = child<QAction>("ForceHover");
    auto *focus = child<QAction>("ForceFocus");
    auto *within = child<QAction>("ForceFocusWithin");
    EXPECT_FALSE(hover->isEnabled()) << "only after a pick";
    const QString plain = settled();
    pick(QStringLiteral("b"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return hover->isEnabled(); }, 10000));
    QTest::mouseMove(view->focusProxy(), QPoint(2, view->height() - 2)); // the pointer away
    ASSERT_EQ(settled(), plain);

    hover->trigger();
    const QString forcedHover = settled();
    // .btn:hover (0,2,0) outweighs button.btn (0,1,1): the marker keeps it so.
    EXPECT_TRUE(forcedHover.startsWith(QStringLiteral("rgb(255, 0, 0)|rgb(11, 94, 215)"))) << forcedHover.toStdString();
    hover->trigger();
    EXPECT_EQ(settled(), plain);
    const QVariantList box = runInPage(view->page(), QStringLiteral("(function(){ const r = document.getElementById('b')"
                                                                    ".getBoundingClientRect(); return [r.left + 3, r.top + 3]; })()"))
                                 .toList();
    QTest::mouseMove(view->focusProxy(), QPoint(box.value(0).toInt(), box.value(1).toInt()));
    EXPECT_EQ(settled(), forcedHover) << "a real hover";
    QTest::mouseMove(view->focusProxy(), QPoint(2, view->height() - 2));

    focus->trigger();
    within->trigger();
    const QString forcedFocus = settled();
    EXPECT_NE(forcedFocus, plain);
    focus->trigger();
    within->trigger();
    EXPECT_EQ(settled(), plain);
    view->setFocus();
    runInPage(view->page(), QStringLiteral("document.getElementById('b').focus()"));
    EXPECT_EQ(settled(), forcedFocus) << "a real focus";
    runInPage(view->page(), QStringLiteral("document.getElementById('b').blur()"));

    // A new pick undoes what was forced on the old one.
    hover->trigger();
    pick(QStringLiteral("far"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !hover->isChecked(); }, 10000));
    EXPECT_EQ(settled(), plain);
    EXPECT_EQ(runInPage(view->page(), QStringLiteral("document.querySelectorAll('[data-quillbox-hover]').length")).toInt(), 0);
}

} // namespace

namespace {

// The declaration the cascade names the winner of each property computes
// to what the engine computes for the picked element: !important, layers
// (declared by a statement before their blocks), the style attribute,
// specificity and order.
TEST_F(PageUsageTest, TheCascadesWinnerIsWhatTheEngineComputes)
{
    openPage("<div id=\"x\" class=\"t u\" style=\"padding-left: 9px\">x</div><p id=\"y\" class=\"t\">y</p>",
             "@layer base, theme;\r\n@layer theme {\r\n.t {\r\ncolor: green;\r\ntext-align: left;\r\n}\r\n}\r\n"
             "@layer base {\r\n.t {\r\ncolor: blue !important;\r\ntext-align: right;\r\nfont-weight: 100 !important;\r\n}\r\n}\r\n"
             "@layer theme {\r\n.u {\r\nfont-weight: 500 !important;\r\nborder-top-style: dotted;\r\n}\r\n}\r\n"
             ".t {\r\ncolor: red;\r\ntext-align: center;\r\npadding-left: 4px;\r\n}\r\n#x {\r\nmargin-top: 5px;\r\n}\r\n"
             ".t.u {\r\nmargin-top: 7px !important;\r\n}\r\np {\r\npadding-left: 3px;\r\n}\r\n"
             "div.t {\r\nborder-top-style: dashed;\r\n}\r\n");
    const QStringList names = {"color", "text-align", "font-weight", "margin-top", "padding-left", "border-top-style"};
    ElementCascade &cascade = form->editor().cascade();
    for (const QString &id : {QStringLiteral("x"), QStringLiteral("y")}) {
        QSignalSpy changed(&cascade, &ElementCascade::changed);
        pick(id);
        ASSERT_TRUE(changed.wait(10000) || !changed.isEmpty());
        // The winner's value set on a sibling of the same kind computes as
        // the element's own value does.
        for (const QString &name : names) {
            const CascadeEntry *winner = cascade.winner(name);
            // No rule of the paragraph sets its margin or border: the
            // browser's own sheet does, and the cascade names none.
            const bool set = id == QLatin1String("x") || (name != "margin-top" && name != "border-top-style");
            ASSERT_EQ(winner != nullptr, set) << id.toStdString() << " " << name.toStdString();
            if (!winner)
                continue;
            const QString script = QStringLiteral(
                "(function(){ const el = document.getElementById('%1'); const probe = document.createElement(el.localName);"
                " el.parentElement.appendChild(probe); probe.style.setProperty('%2', '%3');"
                " const want = getComputedStyle(probe).getPropertyValue('%2'); probe.remove();"
                " return want + ' | ' + getComputedStyle(el).getPropertyValue('%2'); })()")
                                       .arg(id, name, winner->value);
            const QStringList pair = runInPage(view->page(), script).toString().split(QStringLiteral(" | "));
            EXPECT_EQ(pair.value(0).toStdString(), pair.value(1).toStdString())
                << id.toStdString() << " " << name.toStdString() << ": " << winner->value.toStdString();
        }
    }

    // The cascade page shows the paragraph's: the winner on the property's
    // row, what it overrides struck through under it; a click selects a rule.
    auto *tree = child<QTreeWidget>("CascadeTree");
    const QList<QTreeWidgetItem *> colour = tree->findItems(QStringLiteral("color"), Qt::MatchExactly);
    ASSERT_EQ(colour.size(), 1);
    EXPECT_EQ(colour[0]->text(1), QStringLiteral("rgb(0, 0, 255)")) << "as computed";
    EXPECT_EQ(colour[0]->text(2), QStringLiteral("blue !important"));
    EXPECT_TRUE(colour[0]->text(3).startsWith(QStringLiteral("@layer base")));
    ASSERT_EQ(colour[0]->childCount(), 2) << "red unlayered, green in theme";
    EXPECT_EQ(colour[0]->child(0)->text(2), QStringLiteral("red"));
    EXPECT_TRUE(colour[0]->child(0)->font(2).strikeOut());
    auto *viewer = child<QTabWidget>("Viewer");
    viewer->setCurrentWidget(child<QWidget>("CascadePage"));
    tree->expandAll();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(colour[0]->child(0)).center());
    EXPECT_EQ(list->item(list->currentRow())->text(), QStringLiteral(".t"));
}

} // namespace

namespace {

// A long value does not push the other columns out of sight: all four
// show, elided, the whole text in the tip. The same when the element was
// picked with the page in sight and the cascade's tab is clicked after.
TEST_F(PageUsageTest, EveryColumnOfTheCascadeShowsBesideALongValue)
{
    const QByteArray family = "\"A very long family name number one\", \"Another quite long family name\", "
                              "\"Yet another family with a long name\", \"Liberation Sans\", \"DejaVu Sans\", sans-serif";
    openPage("<p id=\"x\">x</p>", "#x {\r\nfont-family: " + family + ";\r\ncolor: red;\r\n}\r\n");
    auto *viewer = child<QTabWidget>("Viewer");
    auto *tree = child<QTreeWidget>("CascadeTree");
    for (const bool pickedOnThePage : {true, false}) {
        SCOPED_TRACE(pickedOnThePage ? "tab clicked after the pick" : "cascade shown first");
        viewer->setCurrentWidget(child<QWidget>(pickedOnThePage ? "PreView" : "CascadePage"));
        pick(QStringLiteral("x"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !tree->findItems(QStringLiteral("font-family"), Qt::MatchExactly).isEmpty(); }, 10000));
        if (pickedOnThePage) {
            QTabBar *tabs = viewer->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(viewer->indexOf(child<QWidget>("CascadePage"))).center());
            ASSERT_EQ(viewer->currentWidget(), child<QWidget>("CascadePage"));
        }
        QTreeWidgetItem *row = tree->findItems(QStringLiteral("font-family"), Qt::MatchExactly).first();
        const int room = tree->viewport()->width();
        for (int column = 0; column < 4; ++column) {
            EXPECT_LT(tree->header()->sectionViewportPosition(column), room - 30) << column;
            EXPECT_GT(tree->columnWidth(column), 30) << column;
        }
        EXPECT_GE(tree->columnWidth(0), tree->indentation() + tree->fontMetrics().horizontalAdvance(QStringLiteral("font-family")))
            << "the property's name shows whole";
        EXPECT_LE(tree->header()->sectionViewportPosition(3) + 30, room);
        EXPECT_TRUE(row->toolTip(1).contains(QStringLiteral("Yet another family"))) << row->toolTip(1).toStdString();
        EXPECT_TRUE(row->toolTip(2).contains(QStringLiteral("Yet another family"))) << row->toolTip(2).toStdString();
        viewer->setCurrentWidget(child<QWidget>("PreView"));
    }
}

// A pick goes to the rule that wins the most of the element's properties,
// not to the most specific one that sets a single thing.
TEST_F(PageUsageTest, APickSelectsTheRuleThatWinsTheMostProperties)
{
    openPage("<button id=\"b\" type=\"button\" class=\"btn\">b</button>",
             ".btn {\r\ncolor: red;\r\npadding: 4px 8px;\r\nmargin: 0;\r\n--bs-x: 1;\r\n}\r\n"
             "button:not(:disabled), [type=button]:not(:disabled) {\r\ncursor: pointer;\r\n}\r\n"
             "#b {\r\n--a: 1;\r\n--b: 2;\r\n}\r\n");
    pick(QStringLiteral("b"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->currentRow() == 1; }, 10000))
        << list->item(std::max(0, list->currentRow()))->text().toStdString();
    EXPECT_EQ(form->editor().cascade().mainRule(), 1) << "custom properties aside";
}

} // namespace

namespace {

// A linked sheet before the edited one and a <style> block after it take
// part: their rules are listed, read-only, naming where they are; the
// controls and variables whose declaration loses to them are marked, and
// a mark leads to the winner.
TEST_F(PageUsageTest, ThePagesOtherSheetsTakePartAndTheControlsTheyBeatAreMarked)
{
    QFile base(dir.filePath(QStringLiteral("base.css")));
    ASSERT_TRUE(base.open(QIODevice::WriteOnly));
    base.write(".nav-link {\r\ncolor: rgb(1, 2, 3);\r\n--x: 1;\r\n}\r\n.other {\r\ncolor: blue;\r\n}\r\n");
    base.close();
    openPage("<a id=\"n\" class=\"nav-link\" href=\"#\">n</a>",
             "a {\r\ncolor: red;\r\npadding-top: 1px;\r\nmargin-top: 2px;\r\n--x: 2;\r\n}\r\n.nav-link {\r\nfont-weight: 700;\r\n}\r\n",
             "<link rel=\"stylesheet\" href=\"base.css\">", "<style>#n { padding-top: 3px; }</style>");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->editor().pageSheets().sheets().size() == 2; }, 10000));
    ElementCascade &cascade = form->editor().cascade();
    QSignalSpy changed(&cascade, &ElementCascade::changed);
    pick(QStringLiteral("n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return cascade.winner(QStringLiteral("color")); }, 10000));
    // The engine agrees on who wins.
    EXPECT_EQ(runInPage(view->page(), QStringLiteral("getComputedStyle(document.getElementById('n')).color")).toString(),
              QStringLiteral("rgb(1, 2, 3)"));
    EXPECT_EQ(cascade.winner(QStringLiteral("color"))->sheet, 0);
    EXPECT_EQ(cascade.winner(QStringLiteral("padding-top"))->sheet, 1);
    EXPECT_EQ(cascade.winner(QStringLiteral("margin-top"))->sheet, -1);
    const auto computed = std::find_if(cascade.properties().begin(), cascade.properties().end(),
                                        [](const ElementCascade::Property &p) { return p.name == "padding-top"; });
    ASSERT_NE(computed, cascade.properties().end());
    EXPECT_EQ(computed->computed, QStringLiteral("3px"));

    // The rule "a" is selected; its colour and padding are marked, its margin is not.
    form->editor().ListTagClick(1);
    const auto marks = [&] {
        QMap<QString, QString> out;
        for (QToolButton *mark : form->findChildren<QToolButton *>(QStringLiteral("OverrideMark")))
            out.insert(mark->property("control").toString(), mark->toolTip().section(QLatin1Char('\n'), 0, 0));
        return out;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return marks().size() == 2; }, 5000)) << marks().size();
    EXPECT_EQ(marks().value(QStringLiteral("FontColor")), QStringLiteral("Перекрыто: base.css › .nav-link (0,1,0)"));
    EXPECT_EQ(marks().value(QStringLiteral("PaddingTop")), QStringLiteral("Перекрыто: <style> › #n (1,0,0)"));
    // So is its variable, which base.css sets again.
    auto *vars = child<QTableWidget>("VarTable");
    ASSERT_TRUE(vars);
    ASSERT_TRUE(QTest::qWaitFor([&] { return vars->rowCount() > 0 && !vars->item(0, 0)->icon().isNull(); }, 5000));
    EXPECT_TRUE(vars->item(0, 0)->toolTip().startsWith(QStringLiteral("Перекрыто: base.css › .nav-link (0,1,0)")));

    // The element's rules: the other sheets' follow, read-only.
    child<QAction>("ElementRules")->trigger();
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("base.css › .nav-link"));
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("<style> › #n"));
    EXPECT_FALSE(list->item(3)->flags() & Qt::ItemIsSelectable);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
    EXPECT_EQ(list->currentRow(), 1) << "a click on another sheet's rule selects nothing";

    // A click on the colour's mark opens base.css at its rule, after the
    // question about the edited sheet's changes.
    form->store().setSheetModified(true);
    questioner->answers = {Questioner::No};
    QToolButton *colourMark = nullptr;
    for (QToolButton *mark : form->findChildren<QToolButton *>(QStringLiteral("OverrideMark")))
        if (mark->property("control") == QStringLiteral("FontColor"))
            colourMark = mark;
    ASSERT_TRUE(colourMark);
    colourMark->click();
    ASSERT_EQ(questioner->asked.size(), 1) << questioner->asked.value(1).text.toStdString();
    EXPECT_EQ(QFileInfo(form->store().currentFileName()).fileName(), QStringLiteral("base.css"));
    EXPECT_EQ(list->item(list->currentRow())->text(), QStringLiteral(".nav-link"));
    EXPECT_TRUE(view->url().path().endsWith(QLatin1String("page.html"))) << "the page that links it stays";
}

} // namespace
