// The preview's engine predates nesting and today's colours: the page gets
// the sheet lowered. The engine judges: lowered nested rules compute as the
// same rules written flat by hand, and the window's page shows them.
#include "../support/page_script.h"
#include "../support/window_fixture.h"

#include "core/preview/sheet_lowering.h"

#include <QAction>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

const char *const kBody = R"(<div class="card big"><h2 class="title">t</h2><p>p <a href="#">a</a></p></div>
<div class="card"><p class="title">q</p><span>s</span></div><ul class="list"><li>1</li><li class="on">2</li></ul>)";

// Every element's computed style, one "element property value" a line.
QString computed(const QByteArray &css)
{
    QWebEnginePage page;
    QEventLoop loop;
    QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
    page.setHtml(QStringLiteral("<!DOCTYPE html><html><head><style>%1</style></head><body>%2</body></html>")
                     .arg(QString::fromUtf8(css), QString::fromLatin1(kBody)));
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    QString result;
    page.runJavaScript(QStringLiteral("Array.from(document.querySelectorAll('body *')).map((e, i) => {"
                                      "const s = getComputedStyle(e); return Array.from(s).map(n => i + ' ' + n + ' '"
                                      " + s.getPropertyValue(n)).join('\\n'); }).join('\\n')"),
                       [&](const QVariant &v) {
                           result = v.toString();
                           loop.quit();
                       });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

TEST(PreviewLowering, NestedRulesComputeAsTheSameRulesWrittenFlat)
{
    const QByteArray nested = ".card { color: rgb(1, 2, 3); padding: 3px;\n"
                              "  .title { font-size: 31px; }\n"
                              "  &.big { border: 2px solid red; }\n"
                              "  > p { margin: 7px; a { color: oklch(62.7955% 0.257683 29.2339); } }\n"
                              "  @media (min-width: 1px) { span { font-weight: 700; } }\n"
                              "  margin-left: 5px;\n}\n"
                              ".list { li { color: green; &.on { color: blue; } } & + & { x: 1 } }\n";
    // An engine that reads oklch() computes it as oklch(); the lowering
    // gives the older one the rgb() it stands for.
    const EngineFeatures engine = engineOfThisTree();
    const QByteArray red = engine.readsColour("oklch(") ? "oklch(62.7955% 0.257683 29.2339)" : "rgb(255, 0, 0)";
    const QByteArray flat = ".card { color: rgb(1, 2, 3); padding: 3px; }\n"
                            ".card .title { font-size: 31px; }\n"
                            ".card.big { border: 2px solid red; }\n"
                            ".card > p { margin: 7px; }\n"
                            ".card > p a { color: " + red + "; }\n"
                            "@media (min-width: 1px) { .card span { font-weight: 700; } }\n"
                            ".card { margin-left: 5px; }\n"
                            ".list li { color: green; }\n.list li.on { color: blue; }\n";
    const QString expected = computed(flat);
    ASSERT_GT(expected.count(QLatin1Char('\n')), 1000);
    // An engine that reads nesting gets the rules as written.
    if (engine.nesting) {
        EXPECT_EQ(computed(nested), expected);
        if (engine.readsColour("oklch("))
            EXPECT_EQ(lowerForPreview(nested, "", engine).text, nested) << "as written";
    } else {
        EXPECT_NE(computed(nested), expected) << "this engine cannot read nesting itself";
    }
    EXPECT_EQ(computed(lowerForPreview(nested, "", engine).text), expected);
}

// What the lowering does with today's colours, as the engine computes the
// page: a value the same wherever it is used is lowered, conditions on
// today's colours hold, and what depends on the element is left as written
// and named, never turned into another colour.
TEST(PreviewLowering, ColoursAreLoweredOnlyWhereTheirValueIsKnownAndConditionsOnThemHold)
{
    // What the engine reads by itself reaches it as written: then neither
    // lowered nor said to be unshown.
    const EngineFeatures engine = engineOfThisTree();
    const struct {
        const char *name;
        QByteArray sheet, flat, kept, unshown;
        bool engineReadsIt;
    } cases[] = {
        {"StableRootVariable", ":root { --l: 62.7955%; } .card { color: oklch(var(--l) 0.257683 29.2339); }",
         ".card { color: rgb(255, 0, 0); }", "", "", engine.readsColour("oklch(")},
        {"SupportsOnATodaysColour",
         "@supports (color: oklch(0 0 0)) { .card { color: rgb(0, 128, 0); } }\n"
         "@supports not (color: oklch(0 0 0)) { .card { color: rgb(255, 0, 0); } }",
         ".card { color: rgb(0, 128, 0); }", "", "", engine.readsColour("oklch(")},
        {"VariableSetElsewhereToo",
         ":root { --l: 62.7955%; } .big { --l: 10%; } .card { color: oklch(var(--l) 0.257683 29.2339); }",
         "", "oklch(var(--l) 0.257683 29.2339)", "oklch() (1)", engine.readsColour("oklch(")},
        {"VariableUnderMedia", "@media print { :root { --x: red; } } .card { color: color-mix(in srgb, var(--x), blue); }",
         "", "color-mix(in srgb, var(--x), blue)", "color-mix() (1)", engine.readsColour("color-mix(")},
        {"CurrentColor", ".card { color: red; border: 4px solid color-mix(in srgb, currentColor 50%, transparent); }", "",
         "color-mix(in srgb, currentColor 50%, transparent)", "color-mix() (1)", engine.readsColour("color-mix(")},
        {"SeparateTransforms",
         ".card { transform: rotate(2deg) scale(1.5); Rotate : 2deg; }\n.x:hover { translate: 0 -1px; scale: 1.1 }", "",
         "translate: 0 -1px", "translate (1), rotate (1), scale (1)", engine.individualTransforms},
    };
    for (const auto &c : cases) {
        const LoweredSheet lowered = lowerForPreview(c.sheet, "", engine);
        if (c.engineReadsIt) {
            EXPECT_EQ(lowered.text, c.sheet) << c.name << ": this engine reads it as written";
            EXPECT_TRUE(lowered.unshown.isEmpty()) << c.name;
            continue;
        }
        if (!c.flat.isEmpty())
            EXPECT_EQ(computed(lowered.text), computed(c.flat)) << c.name << ": " << lowered.text.constData();
        else
            EXPECT_TRUE(lowered.text.contains(c.kept)) << c.name << ": left as written\n" << lowered.text.constData();
        EXPECT_EQ(unshownMessage(lowered).toStdString(),
                  c.unshown.isEmpty() ? std::string() : "Просмотр не показывает: " + c.unshown.toStdString())
            << c.name;
    }
}

class PreviewLoweringWindow : public WindowTest
{
};

TEST_F(PreviewLoweringWindow, ThePageShowsNestedRulesAndTodaysColoursAndNamesWhatItCannot)
{
    const QString page = dir.filePath(QStringLiteral("page.html"));
    QFile out(page);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"site.css\"></head>"
              "<body style=\"margin: 0\"><div class=\"card\"><h2 class=\"title\" id=\"in\">t</h2></div>"
              "<h2 class=\"title\">u</h2></body></html>");
    out.close();
    startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8()
              + ";\r\n}\r\n.card {\r\ncolor: oklch(62.7955% 0.257683 29.2339);\r\n"
                "& .title {\r\nfont-size: 31px;\r\n}\r\n}\r\n@container (min-width: 1px) {\r\np {\r\nx: 1;\r\n}\r\n}\r\n");
    auto *view = child<QWebEngineView>("PreBrowser");
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    ASSERT_TRUE(loaded.wait(30000));
    auto evaluate = [view](const QString &script) { return runInPage(view->page(), script).toString(); };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return evaluate(QStringLiteral("getComputedStyle(document.querySelector('.title')).fontSize")) == "31px"; },
        10000));
    // As this tree's engine draws it: the colour as written where it reads
    // it, lowered where not; @container named only where it cannot be shown.
    const EngineFeatures engine = engineOfThisTree();
    const QString asWritten = evaluate(QStringLiteral(
        "(function(){ const p = document.createElement('i'); p.style.color = 'oklch(62.7955% 0.257683 29.2339)';"
        " document.body.appendChild(p); const c = getComputedStyle(p).color; p.remove(); return c; })()"));
    EXPECT_EQ(evaluate(QStringLiteral("getComputedStyle(document.querySelector('.card')).color")),
              engine.readsColour("oklch(") ? asWritten : QStringLiteral("rgb(255, 0, 0)"));
    EXPECT_EQ(child<QLabel>("PreviewUnshown")->text(),
              engine.container ? QString() : QStringLiteral("Просмотр не показывает: @container (1)"));
    // The file keeps what the user wrote.
    EXPECT_TRUE(fileText().contains("& .title")) << fileText().constData();

    // The nested rule counts the titles inside cards only, and a pick on
    // one selects it: it outweighs its parent.
    auto *list = child<QListWidget>("ListTag");
    ASSERT_EQ(list->item(2)->text(), QStringLiteral(".card \u203A & .title"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return child<QLabel>("MatchCount")->text() == "Элементов: 1"; }, 10000))
        << child<QLabel>("MatchCount")->text().toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    child<QAction>("PickElement")->trigger();
    evaluate(QStringLiteral("1"));
    const QVariantList box = runInPage(view->page(), QStringLiteral("(function(){ const r = document.getElementById('in')"
                                                                    ".getBoundingClientRect(); return [r.left + 5, r.top + 5]; })()"))
                                 .toList();
    const QPoint at(box.value(0).toInt(), box.value(1).toInt());
    QTest::mouseMove(view->focusProxy(), at);
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->currentRow() == 2; }, 10000)) << list->currentRow();
}

// The sheet's imports reach the page as they do when it links the file:
// the imported sheet's rules apply and its fonts load, whether the import
// names a string or an url(), in a sheet that is lowered for the engine.
TEST_F(PreviewLoweringWindow, ImportsAndTheirFontsLoadAsFromTheLinkedFile)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"), dir.filePath("f.ttf")));
    for (const char *name : {"fonts.css", "more.css"}) {
        QFile imported(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(imported.open(QIODevice::WriteOnly));
        imported.write(name == QByteArray("fonts.css")
                           ? "@font-face { font-family: Mine; src: url(f.ttf); }\n.a { font-family: Mine; color: rgb(1, 2, 3); }\n"
                           : ".b { color: rgb(4, 5, 6); }\n");
    }
    const QString page = dir.filePath(QStringLiteral("page.html"));
    QFile out(page);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"site.css\"></head>"
              "<body><p class=\"a\">a</p><p class=\"b\">b</p></body></html>");
    out.close();
    startWith("@import \"fonts.css\";\r\n@import url(more.css);\r\nLINK_HTML {\r\nLINK_HTML=" + page.toUtf8()
              + ";\r\n}\r\np {\r\nmargin: 1px;\r\nborder-color: oklch(50% 0.1 20);\r\n}\r\n");
    auto *view = child<QWebEngineView>("PreBrowser");
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    ASSERT_TRUE(loaded.wait(30000));
    auto evaluate = [view](const QString &script) { return runInPage(view->page(), script).toString(); };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return evaluate(QStringLiteral("getComputedStyle(document.querySelector('.a')).color")) == "rgb(1, 2, 3)"; },
        10000));
    EXPECT_EQ(evaluate(QStringLiteral("getComputedStyle(document.querySelector('.b')).color")), QStringLiteral("rgb(4, 5, 6)"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return evaluate(QStringLiteral("Array.from(document.fonts).filter(f => f.family.replace(/\"/g, '') == 'Mine')"
                                           ".map(f => f.status).join()")) == "loaded";
        },
        10000))
        << evaluate(QStringLiteral("Array.from(document.fonts).map(f => f.family + ' ' + f.status).join()")).toStdString();

    // A change swapped into the page keeps them.
    {
        QSignalSpy reloaded(view, &QWebEngineView::loadFinished);
        child<QAction>("AutoRefreshAction")->trigger();
        ASSERT_TRUE(reloaded.wait(30000));
    }
    auto *list = child<QListWidget>("ListTag");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(list->count() - 1)).center());
    QTest::mouseClick(child<QToolButton>("Text_Align_Right"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return evaluate(QStringLiteral("getComputedStyle(document.querySelector('.b')).textAlign")) == "right"; },
        10000));
    EXPECT_EQ(evaluate(QStringLiteral("getComputedStyle(document.querySelector('.a')).color")), QStringLiteral("rgb(1, 2, 3)"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return evaluate(QStringLiteral("String(document.fonts.check('16px Mine'))")) == "true"; },
                                10000));
}

} // namespace

namespace {

// :has(), @container and @scope show in the preview as far as this tree's
// engine allows, and the status bar names exactly what it cannot show.
TEST_F(PreviewLoweringWindow, HasContainerAndScopeShowAsThisEngineAllowsAndTheRestIsNamed)
{
    const QString page = dir.filePath(QStringLiteral("page.html"));
    QFile out(page);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"site.css\"></head><body>"
              "<div class=\"box\"><span class=\"x\">x</span></div><div class=\"c\"><p id=\"p\">p</p></div></body></html>");
    out.close();
    startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8()
              + ";\r\n}\r\n.box:has(.x) {\r\ncolor: rgb(1, 2, 3);\r\n}\r\n.c {\r\ncontainer-type: inline-size;\r\n}\r\n"
                "@container (min-width: 1px) {\r\n#p {\r\ncolor: rgb(4, 5, 6);\r\n}\r\n}\r\n"
                "@scope (.c) {\r\np {\r\ntext-align: right;\r\n}\r\n}\r\n");
    auto *view = child<QWebEngineView>("PreBrowser");
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    ASSERT_TRUE(loaded.wait(30000));
    auto style = [view](const char *selector, const char *property) {
        return runInPage(view->page(), QStringLiteral("getComputedStyle(document.querySelector('%1')).%2")
                                           .arg(QLatin1String(selector), QLatin1String(property)))
            .toString();
    };
    const EngineFeatures engine = engineOfThisTree();
    EXPECT_EQ(style(".box", "color"), engine.has ? "rgb(1, 2, 3)" : "rgb(0, 0, 0)");
    EXPECT_EQ(style("#p", "color"), engine.container ? "rgb(4, 5, 6)" : "rgb(0, 0, 0)");
    EXPECT_EQ(style("#p", "textAlign"), engine.scope ? "right" : "start");
    QStringList unshown;
    if (!engine.container)
        unshown.append(QStringLiteral("@container (1)"));
    if (!engine.has)
        unshown.append(QStringLiteral(":has() (1)"));
    if (!engine.scope)
        unshown.append(QStringLiteral("@scope (1)"));
    EXPECT_EQ(child<QLabel>("PreviewUnshown")->text(),
              unshown.isEmpty() ? QString() : QStringLiteral("Просмотр не показывает: ") + unshown.join(QStringLiteral(", ")));
}

} // namespace
