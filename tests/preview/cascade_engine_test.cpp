// The cascade the program tells for a picked element is the one the
// preview's engine computes: layers however they are named, imported
// sheets, revert-layer, logical sides, rules that do not apply, scopes
// and forced states. And a pick selects the rule that wins the most
// declarations as written.
#include "../support/page_click.h"
#include "../support/page_script.h"
#include "../support/window_fixture.h"

#include "core/editor/editor.h"
#include "core/preview/element_cascade.h"
#include "core/preview/element_rules.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QWebEngineView>

namespace {

class CascadeEngineTest : public WindowTest
{
protected:
    // `head`: what must open the sheet, before its base page rule.
    void openPage(const QByteArray &html, const QByteArray &sheet, const QByteArray &head = {})
    {
        const QString page = dir.filePath(QStringLiteral("page.html"));
        QFile out(page);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"site.css\"></head><body>" + html
                  + "</body></html>");
        out.close();
        startWith(head + "LINK_HTML {\r\nLINK_HTML=" + page.toUtf8() + ";\r\n}\r\n" + sheet);
        view = child<QWebEngineView>("PreBrowser");
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        ASSERT_TRUE(loaded.wait(30000));
        list = child<QListWidget>("ListTag");
    }

    void pick(const QString &id)
    {
        ElementCascade &cascade = form->editor().cascade();
        QSignalSpy changed(&cascade, &ElementCascade::changed);
        child<QAction>("PickElement")->trigger();
        clickElementInPage(view, id);
        ASSERT_TRUE(changed.wait(10000) || !changed.isEmpty());
        movePointerAway(view);
    }

    // The winner's value, set on a sibling of the same kind, against what
    // the engine computes for the element; empty when they agree.
    std::string disagreement(const QString &id, const QString &property)
    {
        const CascadeEntry *winner = form->editor().cascade().winner(property);
        if (!winner)
            return "no winner";
        const QString script = QStringLiteral(
            "(function(){ const el = document.getElementById('%1'); const probe = document.createElement(el.localName);"
            " el.parentElement.appendChild(probe); probe.style.setProperty('%2', '%3');"
            " const want = getComputedStyle(probe).getPropertyValue('%2'); probe.remove();"
            " return want + ' | ' + getComputedStyle(el).getPropertyValue('%2'); })()")
                                   .arg(id, property, winner->value);
        const QStringList pair = runInPage(view->page(), script).toString().split(QStringLiteral(" | "));
        if (pair.value(0) == pair.value(1))
            return {};
        return ("winner " + winner->value + " computes to " + pair.value(0) + ", the element has " + pair.value(1)).toStdString();
    }

    QWebEngineView *view = nullptr;
    QListWidget *list = nullptr;
};

TEST_F(CascadeEngineTest, TheWinnerOfEachCaseIsWhatTheEngineComputes)
{
    QFile imported(dir.filePath(QStringLiteral("imported.css")));
    ASSERT_TRUE(imported.open(QIODevice::WriteOnly));
    imported.write("#e6 { color: green; }\n");
    imported.close();
    const bool scope = engineOfThisTree().scope;
    openPage("<i id=\"e1\">1</i> <i id=\"e2\">2</i> <i id=\"e3\">3</i> <i id=\"e4\">4</i> <i id=\"e5\">5</i> "
             "<i id=\"e6\">6</i> <i id=\"e7\">7</i> <i id=\"e8\" class=\"e8 f8\">8</i> <i id=\"e9\">9</i> "
             "<i id=\"e10\">10</i><div class=\"card\"><span id=\"e11\">11</span></div><span id=\"e12\">12</span>",
             "@layer a, b;\r\n/* @layer theme, base; */\r\n"
             "#e1 { color: green; }\r\n@layer a { @layer b { #e1 { color: red; } } }\r\n"
             "@layer b { #e2 { color: green; } }\r\n@layer a.x { #e2 { color: red; } }\r\n"
             "@layer base { #e3 { color: green; } }\r\n@layer base.reset { #e3 { color: red; } }\r\n"
             "#e4 { color: green; }\r\n@layer { #e4 { color: red; } }\r\n"
             "@layer base { #e5 { color: red; } }\r\n@layer theme { #e5 { color: green; } }\r\n"
             "@layer a { #e6 { color: red; } }\r\n"
             "@layer a { #e7 { color: green; } }\r\n@layer b { #e7 { color: revert-layer; } }\r\n"
             ".e8 { margin-left: 10px; }\r\n.e8.f8 { margin-inline-start: 3px; }\r\n"
             "#e9 { color: green; }\r\n@starting-style { #e9 { color: red; } }\r\n"
             "#e10 { color: green; }\r\n@container (min-width: 1px) { #e10 { color: red; } }\r\n"
             "span { color: green; }\r\n@scope (.card) { span { color: red; } }\r\n",
             "@import url(imported.css);\r\n");
    const struct {
        const char *id, *property;
        bool needsScope;
    } cases[] = {
        {"e1", "color", false},  {"e2", "color", false},      {"e3", "color", false}, {"e4", "color", false},
        {"e5", "color", false},  {"e6", "color", false},      {"e7", "color", false}, {"e8", "margin-left", false},
        {"e9", "color", false},  {"e10", "color", false},     {"e11", "color", true}, {"e12", "color", false},
    };
    for (const auto &c : cases) {
        if (c.needsScope && !scope)
            continue;
        pick(QLatin1String(c.id));
        EXPECT_EQ(disagreement(QLatin1String(c.id), QLatin1String(c.property)), "") << c.id;
    }
    // A rule whose condition the program cannot check is said to be so.
    pick(QStringLiteral("e10"));
    bool told = false;
    for (int row = 0; row < list->count(); ++row) {
        if (const ElementRules::Rule *rule = form->editor().elementRules().find(row); rule && rule->unknown)
            told = ElementRules::stateNote(*rule).contains(QStringLiteral("@container"));
    }
    EXPECT_TRUE(told);
}

TEST_F(CascadeEngineTest, AForcedStateHoldsOnTheAncestorsAndItsSelectorsWeighInFull)
{
    openPage("<div class=\"card\" id=\"nav\"><span class=\"title x btn\" id=\"t\">t</span></div>",
             ".card:hover .title { background-color: red; }\r\n"
             ".btn, #nav .btn:hover { color: red; }\r\n.x.btn { color: blue; }\r\n");
    pick(QStringLiteral("t"));
    EXPECT_EQ(disagreement(QStringLiteral("t"), QStringLiteral("color")), "");
    ElementCascade &cascade = form->editor().cascade();
    QSignalSpy changed(&cascade, &ElementCascade::changed);
    child<QAction>("ForceHover")->trigger();
    ASSERT_TRUE(changed.wait(10000) || !changed.isEmpty());
    QTest::qWait(100);
    EXPECT_EQ(runInPage(view->page(), QStringLiteral("getComputedStyle(document.getElementById('t')).backgroundColor"))
                  .toString(),
              QStringLiteral("rgb(255, 0, 0)"))
        << "the card is hovered with the title in it";
    EXPECT_EQ(disagreement(QStringLiteral("t"), QStringLiteral("color")), "") << "#nav .btn:hover weighs (1,2,0)";
    EXPECT_EQ(disagreement(QStringLiteral("t"), QStringLiteral("background-color")), "");
}

TEST_F(CascadeEngineTest, APickSelectsTheRuleThatWinsTheMostDeclarationsAsWritten)
{
    const struct {
        const char *sheet, *html, *id, *expected;
    } cases[] = {
        // A shorthand counts once.
        {"div {\r\nmargin: 0;\r\n}\r\n.alert.alert-warning {\r\ncolor: maroon;\r\n}\r\n",
         "<div id=\"a\" class=\"alert alert-warning\">a</div>", "a", ".alert.alert-warning"},
        {"* {\r\nmargin: 0;\r\npadding: 0;\r\nborder: 0;\r\n}\r\n.alert.alert-warning {\r\ncolor: maroon;\r\nfont-weight: 700;\r\n"
         "font-style: italic;\r\n}\r\n",
         "<div id=\"a\" class=\"alert alert-warning\">a</div>", "a", ".alert.alert-warning"},
        {".btn {\r\ncolor: red;\r\npadding: 4px 8px;\r\n}\r\nbutton:not(:disabled) {\r\ncursor: pointer;\r\n}\r\n",
         "<button id=\"b\" class=\"btn\">b</button>", "b", ".btn"},
        // Of equal winners, the later; of equal counts, the more specific.
        {".a {\r\ncolor: red;\r\n}\r\n.b {\r\nmargin-top: 0;\r\n}\r\n", "<p id=\"p\" class=\"a b\">p</p>", "p", ".b"},
        {"#p {\r\ncolor: red;\r\n}\r\n.b {\r\nmargin-top: 0;\r\n}\r\n", "<p id=\"p\" class=\"a b\">p</p>", "p", "#p"},
    };
    for (const auto &c : cases) {
        openPage(c.html, c.sheet);
        pick(QLatin1String(c.id));
        EXPECT_TRUE(QTest::qWaitFor([&] { return list->currentItem() && list->currentItem()->text() == QLatin1String(c.expected); },
                                    5000))
            << c.sheet << " picked " << (list->currentItem() ? list->currentItem()->text().toStdString() : "");
        form->store().setSheetModified(false);
        form->close();
    }
}

} // namespace
