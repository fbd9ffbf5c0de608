// Undo and redo against a model of the history: random panel gestures,
// undos and redos on Bootstrap with automatic refresh on, in both layouts.
// After every step the sheet is the model's, and the undo and redo buttons
// say what the model says.
#include "corpus_sheets.h"

#include "../support/window_fixture.h"

#include "core/sheet/canonical_text.h"

#include <QAction>
#include <QListWidget>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QToolButton>
#include <QWebEngineView>

namespace {

class HistoryModel : public WindowTest, public testing::WithParamInterface<bool>
{
};

TEST_P(HistoryModel, FiveHundredGesturesUndosAndRedosKeepTheSheetAndTheButtonsAsTheModelSays)
{
    QString why;
    const QByteArray original = readCorpusSheet(QStringLiteral("bootstrap.css"), &why);
    ASSERT_FALSE(original.isEmpty()) << why.toStdString();
    // The sheet previewed on a page that links it, as the user works.
    const QString page = dir.filePath(QStringLiteral("page.html"));
    QFile html(page);
    ASSERT_TRUE(html.open(QIODevice::WriteOnly));
    html.write("<!DOCTYPE html><html><head><link rel=\"stylesheet\" href=\"site.css\"></head><body>"
               "<div class=\"container\"><h1 class=\"display-4\">a</h1><p class=\"lead\">b</p>"
               "<button class=\"btn btn-primary\">c</button><div class=\"alert alert-warning\">d</div></div></body></html>");
    html.close();
    const qsizetype firstLine = original.indexOf('\n') + 1;
    startWith(original.left(firstLine) + "LINK_HTML{LINK_HTML=" + page.toUtf8() + ";}\n" + original.mid(firstLine),
              GetParam() ? Layout::Default : Layout::Program);
    auto *view = child<QWebEngineView>("PreBrowser");
    QSignalSpy loaded(view, &QWebEngineView::loadFinished);
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    ASSERT_TRUE(loaded.wait(30000));
    child<QAction>("AutoRefreshAction")->setChecked(true);
    auto *list = child<QListWidget>("ListTag");
    auto *undo = child<QAction>("BackEdit");
    auto *redo = child<QAction>("ForeEdit");
    const char *const toggles[] = {"Text_Align_Center", "Text_Align_Right", "Text_Align_Left", "Font_Size_Bold",
                                   "Font_Style_Italic", "Text_decoration_UnderLine", "Text_Transform_Uppercase"};
    // The model: every text the sheet has had, and where it stands.
    QList<QByteArray> texts{CanonicalSheetText(form->store().sheetText())};
    qsizetype at = 0;
    QRandomGenerator random(20261209);
    list->setFocus();
    for (int step = 0; step < 500; ++step) {
        const int kind = random.bounded(10);
        QByteArray expected;
        if (kind < 2) { // another rule, by the keyboard
            list->setFocus();
            QTest::keyClick(list, random.bounded(2) ? Qt::Key_Down : Qt::Key_PageDown);
            expected = texts[at];
        } else if (kind < 4 && at > 0) {
            QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
            expected = texts[--at];
        } else if (kind < 5 && at + 1 < texts.size()) {
            QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
            expected = texts[++at];
        } else if (kind < 8) {
            QTest::mouseClick(child<QToolButton>(toggles[random.bounded(int(std::size(toggles)))]), Qt::LeftButton);
        } else {
            auto *field = child<QLineEdit>(random.bounded(2) ? "MarginTop" : "PaddingLeft");
            QTest::mouseClick(field, Qt::LeftButton);
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(field, QString::number(random.bounded(40)));
            QTest::keyClick(field, Qt::Key_Return);
        }
        // Blanks, line breaks and the program's comment line are layout, not
        // steps: the sheets are compared without them.
        const QByteArray now = CanonicalSheetText(form->store().sheetText());
        if (expected.isNull() && now != texts[at]) {
            // A change: a new step, the steps after it gone.
            texts.resize(at + 1);
            texts.append(now);
            ++at;
        } else if (!expected.isNull()) {
            ASSERT_TRUE(now == expected) << "step " << step;
        }
        ASSERT_EQ(undo->isEnabled(), at > 0) << "step " << step;
        ASSERT_EQ(redo->isEnabled(), at + 1 < texts.size()) << "step " << step;
        if (step % 50 == 0)
            QTest::qWait(1); // the page takes its refreshes
    }
    EXPECT_GT(texts.size(), 20) << "the gestures changed the sheet";

    // Quick layout clicks over a few rules, then as many undos and redos a
    // moment apart, the page taking each: every step comes back.
    for (int click = 0; click < 24; ++click) {
        if (click % 4 == 0) {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
        }
        QTest::mouseClick(child<QToolButton>(toggles[click % 3]), Qt::LeftButton);
        QTest::qWait(20);
    }
    const qsizetype made = form->store().history().pos;
    for (int k = 0; k < 25; ++k) {
        QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
        QTest::qWait(30);
    }
    for (int k = 0; k < 25; ++k) {
        QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
        QTest::qWait(30);
    }
    EXPECT_EQ(form->store().history().pos, made) << "redo gave back every step";
    EXPECT_FALSE(redo->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, HistoryModel, testing::Bool(),
                         [](const testing::TestParamInfo<bool> &info) { return info.param ? "FilesLayout" : "ProgramsLayout"; });

} // namespace
