// States forced on a picked element of a page styled by Bootstrap 5 look
// as the real states do: a button under the pointer, a field with focus.
#include "corpus_sheets.h"

#include "../support/page_script.h"
#include "../support/window_fixture.h"

#include <QSignalSpy>
#include <QWebEngineView>

namespace {

class CorpusForcedState : public WindowTest
{
protected:
    void SetUp() override
    {
        QFile bootstrap(corpusDir() + QStringLiteral("/bootstrap.css"));
        ASSERT_TRUE(bootstrap.open(QIODevice::ReadOnly)) << "run scripts/fetch-corpus";
        const QString page = dir.filePath(QStringLiteral("page.html"));
        QFile out(page);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"site.css\"></head><body>"
                  "<p style=\"padding: 20px\"><button id=\"b\" class=\"btn btn-primary\">Кнопка</button></p>"
                  "<p style=\"padding: 20px\"><input id=\"i\" class=\"form-control\"></p></body></html>");
        out.close();
        startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8() + ";\r\n}\r\n" + bootstrap.readAll());
        view = child<QWebEngineView>("PreBrowser");
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        ASSERT_TRUE(loaded.wait(30000));
    }

    QPoint inside(const QString &id)
    {
        const QVariantList box = runInPage(view->page(), QStringLiteral("(function(){ const r = document.getElementById('%1')"
                                                                        ".getBoundingClientRect(); return [r.left + 5, r.top + 5]; })()")
                                                             .arg(id))
                                     .toList();
        return {box.value(0).toInt(), box.value(1).toInt()};
    }
    void pick(const QString &id)
    {
        child<QAction>("PickElement")->trigger();
        runInPage(view->page(), QStringLiteral("1"));
        const QPoint at = inside(id);
        QTest::mouseMove(view->focusProxy(), at);
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, at);
        ASSERT_TRUE(QTest::qWaitFor([&] { return child<QAction>("ForceHover")->isEnabled(); }, 10000));
        QTest::mouseMove(view->focusProxy(), QPoint(view->width() - 5, view->height() - 5));
    }
    // The element's look once Bootstrap's transitions (0.15 s) have run.
    QString look(const QString &id)
    {
        QTest::qWait(400);
        return runInPage(view->page(), QStringLiteral("(function(){ const s = getComputedStyle(document.getElementById('%1')); "
                                                      "return [s.color, s.backgroundColor, s.borderColor, s.boxShadow, "
                                                      "s.outlineStyle].join('|'); })()")
                                           .arg(id))
            .toString();
    }

    QWebEngineView *view = nullptr;
};

TEST_F(CorpusForcedState, ForcedHoverAndFocusLookAsTheRealOnes)
{
    pick(QStringLiteral("b"));
    const QString plainButton = look(QStringLiteral("b"));
    child<QAction>("ForceHover")->trigger();
    const QString forcedHover = look(QStringLiteral("b"));
    EXPECT_NE(forcedHover, plainButton);
    child<QAction>("ForceHover")->trigger();
    EXPECT_EQ(look(QStringLiteral("b")), plainButton);
    QTest::mouseMove(view->focusProxy(), inside(QStringLiteral("b")));
    EXPECT_EQ(look(QStringLiteral("b")), forcedHover) << "the pointer on the button";
    QTest::mouseMove(view->focusProxy(), QPoint(view->width() - 5, view->height() - 5));

    pick(QStringLiteral("i"));
    const QString plainField = look(QStringLiteral("i"));
    child<QAction>("ForceFocus")->trigger();
    child<QAction>("ForceFocusVisible")->trigger();
    const QString forcedFocus = look(QStringLiteral("i"));
    EXPECT_NE(forcedFocus, plainField);
    child<QAction>("ForceFocus")->trigger();
    child<QAction>("ForceFocusVisible")->trigger();
    EXPECT_EQ(look(QStringLiteral("i")), plainField);
    view->setFocus();
    runInPage(view->page(), QStringLiteral("document.getElementById('i').focus()"));
    EXPECT_EQ(look(QStringLiteral("i")), forcedFocus) << "the field with the focus";
}

} // namespace
