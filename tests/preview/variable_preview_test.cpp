// A variable changed on the variables page reaches the page at once, as a
// panel change does, without a reload.
#include "../support/page_script.h"
#include "../support/window_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QWebEngineView>

namespace {

class VariablePreviewTest : public WindowTest
{
};

TEST_F(VariablePreviewTest, AnEditedVariableRecoloursThePageWithoutAReload)
{
    const QString page = dir.filePath(QStringLiteral("page.html"));
    QFile out(page);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"site.css\"></head>"
              "<body><button class=\"btn btn-primary\">1</button></body></html>");
    out.close();
    startWith("LINK_HTML {\r\nLINK_HTML=" + page.toUtf8()
                + ";\r\n}\r\n.btn-primary {\r\n--bs-btn-bg: #0d6efd;\r\n}\r\n"
                  ".btn {\r\nbackground-color: var(--bs-btn-bg);\r\n}\r\n");
    auto *view = child<QWebEngineView>("PreBrowser");
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        ASSERT_TRUE(form->editor().files().OpenSheet(path));
        ASSERT_TRUE(loaded.wait(30000));
    }
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        child<QAction>("AutoRefreshAction")->trigger();
        ASSERT_TRUE(loaded.wait(30000));
    }
    auto evaluate = [view](const QString &script) { return runInPage(view->page(), script).toString(); };
    const QString colour = QStringLiteral("getComputedStyle(document.querySelector('.btn')).backgroundColor");
    EXPECT_EQ(evaluate(colour), QStringLiteral("rgb(13, 110, 253)"));

    auto *list = child<QListWidget>("ListTag");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    child<QTabWidget>("TABPANEL")->setCurrentWidget(child<QWidget>("VarsPage"));
    auto *table = child<QTableWidget>("VarTable");
    QSignalSpy reloaded(view, &QWebEngineView::loadStarted);
    doubleClick(table->viewport(), table->visualRect(table->model()->index(0, 1)).center());
    auto *editor = table->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("rgb(255 0 0)"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return evaluate(colour) == QLatin1String("rgb(255, 0, 0)"); }, 10000))
        << evaluate(colour).toStdString();
    EXPECT_EQ(reloaded.count(), 0) << "the page takes the new sheet in place";
}

} // namespace
