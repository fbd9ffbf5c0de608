// The cascade the program works out for a picked element agrees with the
// engine's, on a page styled by Bootstrap 5 as a second linked sheet after
// the edited one: every property's winner computes to the element's value.
#include "corpus_sheets.h"

#include "../support/page_script.h"
#include "../support/window_fixture.h"

#include "core/preview/element_cascade.h"
#include "core/preview/page_sheets.h"

#include <QSignalSpy>
#include <QWebEngineView>

namespace {

// Forty elements that are leaves, so a click on them picks them, each by id.
const char *const kElements[] = {
    "<nav class='navbar navbar-expand bg-light'><a id='e0' class='navbar-brand' href='#'>Brand</a>"
    "<ul class='navbar-nav'><li class='nav-item'><a id='e1' class='nav-link active' href='#'>Home</a></li>"
    "<li class='nav-item'><a id='e2' class='nav-link' href='#'>Link</a></li>"
    "<li class='nav-item'><a id='e3' class='nav-link' aria-current='page' href='#'>Here</a></li></ul></nav>",
    "<div class='container'><h1 id='e4' class='display-6'>Title</h1><h2 id='e5'>Second</h2><h3 id='e6' class='h5'>Third</h3>",
    "<p id='e7' class='lead'>Lead text</p><p id='e8' class='text-muted small'>Muted</p>",
    "<button id='e9' class='btn btn-primary'>Primary</button> <button id='e10' class='btn btn-outline-secondary btn-sm'>Sm</button>",
    "<button id='e11' class='btn btn-success btn-lg'>Lg</button> <a id='e12' class='btn btn-link' href='#'>Link</a>",
    "<span id='e13' class='badge bg-danger'>4</span> <span id='e14' class='badge rounded-pill text-bg-info'>9</span>",
    "<div class='alert alert-warning'><strong id='e15'>Note</strong> <a id='e16' class='alert-link' href='#'>here</a></div>",
    "<div class='card'><div class='card-body'><h5 id='e17' class='card-title'>Card</h5><p id='e18' class='card-text'>Body</p>"
    "<a id='e19' class='card-link' href='#'>Go</a></div></div>",
    "<ul class='list-group'><li id='e20' class='list-group-item active'>One</li><li id='e21' class='list-group-item'>Two</li>"
    "<li id='e22' class='list-group-item list-group-item-danger'>Three</li></ul>",
    "<label id='e23' class='form-label' for='e24'>Name</label><input id='e24' class='form-control' value='x'>",
    "<input id='e25' class='form-control form-control-sm' placeholder='s'><select id='e26' class='form-select'><option>a</option></select>",
    "<input id='e27' type='checkbox' class='form-check-input' checked><label id='e28' class='form-check-label'>Check</label>",
    "<table class='table table-striped'><thead><tr><th id='e29'>H</th><th id='e30'>I</th></tr></thead>"
    "<tbody><tr><td id='e31'>1</td><td id='e32' class='text-end'>2</td></tr><tr><td id='e33'>3</td><td id='e34'>4</td></tr></tbody></table>",
    "<code id='e35'>code</code> <kbd id='e36'>Ctrl</kbd> <small id='e37' class='fw-bold'>small</small>",
    "<blockquote class='blockquote'><p id='e38'>Quote</p></blockquote><a id='e39' href='#' class='link-danger'>Danger</a></div>",
};
constexpr int kElementCount = 40;

// Properties whose resolved value is the used one, which depends on the
// element's box and content, not on the declaration alone.
bool resolvedFromLayout(const QString &name)
{
    static const QStringList prefixes = {"width", "height", "min-", "max-", "inline-size", "block-size", "margin",
                                         "padding", "top", "left", "right", "bottom", "inset", "grid-template",
                                         "transform-origin", "perspective-origin"};
    return std::any_of(prefixes.begin(), prefixes.end(), [&](const QString &p) { return name.startsWith(p); });
}

class CorpusCascade : public WindowTest
{
protected:
    void SetUp() override
    {
        QFile bootstrap(corpusDir() + QStringLiteral("/bootstrap.css"));
        ASSERT_TRUE(bootstrap.open(QIODevice::ReadOnly)) << "run scripts/fetch-corpus";
        QFile copy(dir.filePath(QStringLiteral("bootstrap.css")));
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
        copy.write(bootstrap.readAll());
        copy.close();
        QByteArray body;
        for (const char *part : kElements)
            body += part;
        const QString page = dir.filePath(QStringLiteral("page.html"));
        QFile out(page);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"site.css\">"
                  "<link rel=\"stylesheet\" href=\"bootstrap.css\"></head><body>" + body + "</body></html>");
        out.close();
        // The edited sheet comes first: of equal weight, Bootstrap's rules
        // win by order; a layer loses to every unlayered rule, !important wins.
        startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8() + ";\r\n}\r\n"
                  "@layer base {\r\n.btn {\r\ncolor: rgb(1, 1, 1);\r\nletter-spacing: 3px;\r\n}\r\n}\r\n"
                  ".btn {\r\nfont-weight: 300;\r\nword-spacing: 2px;\r\n}\r\n"
                  ".nav-link {\r\ncolor: rgb(200, 0, 0) !important;\r\n}\r\n"
                  "a {\r\ncolor: green;\r\ntext-decoration-line: overline;\r\n}\r\n"
                  "@layer base {\r\ntd {\r\nfont-style: italic !important;\r\n}\r\n}\r\n"
                  ".table > :not(caption) > * > * {\r\nfont-style: normal !important;\r\n}\r\n");
        view = child<QWebEngineView>("PreBrowser");
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        ASSERT_TRUE(loaded.wait(30000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->editor().pageSheets().sheets().size() == 1; }, 10000));
    }

    void pick(const QString &id)
    {
        child<QAction>("PickElement")->trigger();
        const QVariantList box = runInPage(view->page(), QStringLiteral(
            "(function(){ const el = document.getElementById('%1'); el.scrollIntoView({block: 'center'});"
            " const r = el.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()")
                                                             .arg(id))
                                     .toList();
        const QPoint at(box.value(0).toInt(), box.value(1).toInt());
        QTest::mouseMove(view->focusProxy(), at);
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, at);
        // Off the element, so that it is compared without :hover, once its
        // transitions have run.
        QTest::mouseMove(view->focusProxy(), QPoint(view->width() - 5, view->height() - 5));
        QTest::qWait(300);
    }

    QWebEngineView *view = nullptr;
};

TEST_F(CorpusCascade, EveryWinnerIsWhatTheEngineComputesOnFortyElements)
{
    ElementCascade &cascade = form->editor().cascade();
    int compared = 0, fromBootstrap = 0, fromEdited = 0, inherited = 0;
    for (int e = 0; e < kElementCount; ++e) {
        const QString id = QStringLiteral("e%1").arg(e);
        QSignalSpy changed(&cascade, &ElementCascade::changed);
        pick(id);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !changed.isEmpty() && !cascade.properties().isEmpty(); }, 10000)) << e;
        QJsonArray checks;
        for (const ElementCascade::Property &property : cascade.properties()) {
            const CascadeEntry &winner = property.entries.first();
            if (property.name.startsWith(QLatin1String("--")) || winner.value.isEmpty() || resolvedFromLayout(property.name))
                continue;
            checks.append(QJsonArray{property.name, winner.value});
            (winner.sheet >= 0 ? fromBootstrap : fromEdited) += 1;
        }
        // The element's own value, then the winner set on a copy of the
        // element in its place: the same rules match the copy, the winner
        // overrides them all, and it computes as the element's value does.
        const QString script = QStringLiteral(
            "(function(checks){ const el = document.getElementById('%1'); const out = [];"
            " for (const [name, value] of checks) {"
            "  const has = getComputedStyle(el).getPropertyValue(name);"
            "  const copy = el.cloneNode(false); copy.style.setProperty(name, value, 'important');"
            "  el.replaceWith(copy); const want = getComputedStyle(copy).getPropertyValue(name); copy.replaceWith(el);"
            "  if (want !== has) out.push(name + ': ' + value + ' gives ' + want + ', the element has ' + has);"
            " }"
            " return out; })(%2)")
                                   .arg(id, QString::fromUtf8(QJsonDocument(checks).toJson(QJsonDocument::Compact)));
        const QStringList wrong = runInPage(view->page(), script).toStringList();
        EXPECT_TRUE(wrong.isEmpty()) << id.toStdString() << ": " << wrong.join(QStringLiteral("; ")).toStdString();
        compared += int(checks.size());
        // Form controls take their colour from the browser's own sheet.
        const bool control = runInPage(view->page(), QStringLiteral("['INPUT', 'SELECT', 'TEXTAREA', 'BUTTON']"
                                                                    ".includes(document.getElementById('%1').tagName)").arg(id)).toBool();
        if (!cascade.winner(QStringLiteral("color")) && !control) {
            ++inherited;
            EXPECT_EQ(runInPage(view->page(), QStringLiteral("(function(){ const el = document.getElementById('%1');"
                                                             " return getComputedStyle(el).color === getComputedStyle(el.parentElement).color; })()")
                                                  .arg(id))
                          .toBool(),
                      true)
                << id.toStdString() << ": no rule sets its colour, so it is inherited";
        }
        // The rule the pick selects is the edited sheet's that wins most.
        if (const std::optional<int> main = cascade.mainRule())
            EXPECT_TRUE(QTest::qWaitFor([&] { return form->store().list().selected() == *main; }, 5000)) << e;
    }
    // The run did the work: both sheets won properties, and some colours were inherited.
    EXPECT_GT(compared, 400);
    EXPECT_GT(fromBootstrap, 300);
    EXPECT_GT(fromEdited, 10);
    EXPECT_GT(inherited, 3);
}

// The edited sheet's own weights: !important over Bootstrap, a layer under
// it, and of equal weight the later sheet.
TEST_F(CorpusCascade, ImportanceLayersAndSheetOrderDecide)
{
    ElementCascade &cascade = form->editor().cascade();
    const struct {
        const char *id, *property;
        bool edited;
        const char *value;
    } cases[] = {
        {"e1", "color", true, "rgb(200, 0, 0)"},           // .nav-link !important
        {"e9", "color", false, "var(--bs-btn-color)"},     // @layer base .btn loses
        {"e9", "letter-spacing", true, "3px"},             // layered, and no one else sets it
        {"e9", "font-weight", false, "var(--bs-btn-font-weight)"}, // .btn in both: bootstrap.css comes later
        {"e9", "word-spacing", true, "2px"},
        {"e19", "text-decoration-line", false, "underline"}, // "a" in both
        {"e31", "font-style", true, "italic"},             // a layer's !important beats an unlayered one
    };
    for (const auto &c : cases) {
        QSignalSpy changed(&cascade, &ElementCascade::changed);
        pick(QString::fromLatin1(c.id));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !changed.isEmpty() && !cascade.properties().isEmpty(); }, 10000));
        const CascadeEntry *winner = cascade.winner(QString::fromLatin1(c.property));
        ASSERT_TRUE(winner) << c.id << " " << c.property;
        EXPECT_EQ(winner->sheet < 0, c.edited) << c.id << " " << c.property << ": "
                                               << form->editor().pageSheets().ruleName(*winner, true).toStdString();
        EXPECT_EQ(winner->value, QString::fromLatin1(c.value)) << c.id << " " << c.property;
    }
}

} // namespace
