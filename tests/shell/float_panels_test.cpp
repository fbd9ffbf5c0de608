// Sliding panels: the geometry of both modes, the hot strips and the timer.
#include "window/shell/float_panels.h"
#include "core/editor/panel_geometry.h"

#include "../support/window_fixture.h"

#include <QAction>
#include <QTimer>

namespace {

using namespace panels;

TEST(PanelGeometry, BothModesPlaceTheToolPanelAndTheViews)
{
    const Places fixed = workAreaPlaces({613, 551}, false, false);
    EXPECT_EQ(fixed.toolStyle, QRect(0, 0, 613, 84));
    EXPECT_EQ(fixed.viewer, QRect(0, 84, 612, 467));
    const Places hidden = workAreaPlaces({792, 551}, true, false);
    EXPECT_EQ(hidden.viewer, QRect(6, 6, 780, 545));
    EXPECT_EQ(hidden.toolStyle.top(), -84);
    EXPECT_EQ(workAreaPlaces({792, 551}, true, true).toolStyle.top(), 0);
    EXPECT_EQ(listLeft(ListPlace::BeyondRight, 792, 176), 792);
    EXPECT_EQ(listLeft(ListPlace::Shown, 792, 176), 616);
    EXPECT_EQ(listLeft(ListPlace::BeyondLeft, 792, 176), -176);
}

TEST(PanelGeometry, HotStripsAreSixPixelsWithBothEdges)
{
    const QRect work(100, 50, 792, 551), tool(100, -34, 792, 84), list(892, 56, 176, 545);
    struct Case {
        QPoint cursor;
        bool touches;
    };
    const Case cases[] = {{{400, 50}, true},  {{400, 56}, true},  {{400, 57}, false}, {{892, 300}, true},
                          {{886, 300}, true}, {{885, 300}, false}, {{400, 300}, false}, {{99, 52}, false}};
    for (const Case &c : cases)
        EXPECT_EQ(touchesHotStrip(c.cursor, tool, work, list), c.touches) << c.cursor.x() << "," << c.cursor.y();
    EXPECT_TRUE(restsOnPanel({950, 60}, tool, list));
    EXPECT_FALSE(restsOnPanel({400, 300}, tool, list));
}

class FloatPanelsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        startWith("p {\r\n}\r\n");
        panels = form->findChild<FloatPanels *>();
        ASSERT_NE(panels, nullptr);
        panels->cursorPos = [this] { return cursor; };
        work = child<QWidget>("PanelALL");
        viewer = child<QWidget>("Viewer");
        tool = child<QWidget>("PanelToolStyle");
        list = child<QWidget>("PanelList");
    }

    // The pointer moves onto a point of the work area.
    void moveTo(QPoint inWork)
    {
        cursor = work->mapToGlobal(inWork);
        QTest::mouseMove(form->windowHandle(), work->mapTo(form.get(), inWork));
    }

    void tick() { QMetaObject::invokeMethod(form->findChild<QTimer *>(QStringLiteral("TimerFloat")), "timeout"); }

    FloatPanels *panels = nullptr;
    QPoint cursor;
    QWidget *work = nullptr, *viewer = nullptr, *tool = nullptr, *list = nullptr;
};

TEST_F(FloatPanelsTest, PanelsSlideInAtTheTopStripAndOutOnTheNextTick)
{
    child<QAction>("FloatPanel")->trigger();
    EXPECT_EQ(work->width(), 792);
    EXPECT_EQ(viewer->geometry(), QRect(6, 6, 780, 545));
    EXPECT_EQ(tool->y(), -84);
    EXPECT_GE(list->x(), 792);

    moveTo({300, 2});
    EXPECT_EQ(tool->y(), 0);
    EXPECT_EQ(list->x(), 792 - list->width());
    EXPECT_TRUE(form->findChild<QTimer *>(QStringLiteral("TimerFloat"))->isActive());
    EXPECT_EQ(form->findChild<QTimer *>(QStringLiteral("TimerFloat"))->interval(), 600);

    cursor = list->mapToGlobal(QPoint(20, 20));
    tick();
    EXPECT_EQ(tool->y(), 0) << "the pointer rests on the list";
    cursor = viewer->mapToGlobal(QPoint(300, 300));
    tick();
    EXPECT_EQ(tool->y(), -84);
    EXPECT_EQ(list->x(), -list->width());

    child<QAction>("FloatPanel")->trigger();
    EXPECT_EQ(viewer->geometry().top(), 84);
    EXPECT_EQ(viewer->width(), work->width() - 1);
    EXPECT_EQ(list->parentWidget(), child<QWidget>("SplitterList"));
    moveTo({300, 2});
    EXPECT_EQ(tool->y(), 0) << "nothing slides in the fixed mode";
}

} // namespace
