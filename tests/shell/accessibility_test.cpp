// Every named control of the main window and of both dialogs has a name a
// screen reader can say.
#include "window/stylelist/color_form.h"
#include "window/stylelist/create_selector.h"

#include "../support/window_fixture.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QPointer>
#include <QTimer>

namespace {

// Containers that only lay out what they hold: a screen reader passes
// through them to the controls, which carry the names. The outline layer
// over the preview is a picture, never a control.
bool isLayoutContainer(const QWidget *widget)
{
    static const QStringList names = {
        QStringLiteral("SplitterList"), QStringLiteral("PanelList"),   QStringLiteral("PanelALL"),
        QStringLiteral("PanelToolStyle"), QStringLiteral("CssDiskView"), QStringLiteral("CSSView"),
        QStringLiteral("CssMemoView"),  QStringLiteral("Splitter1"),   QStringLiteral("PHTML"),
        QStringLiteral("Panel1"),       QStringLiteral("PageControl1"), QStringLiteral("PreviewOutlines")};
    return names.contains(widget->objectName());
}

// The named widgets of a window whose accessible name is empty.
QStringList unnamed(QWidget *window)
{
    QStringList missing;
    // Asking for a web view's interface wakes the engine's accessibility,
    // which may make the view's own surface widget anew: a widget gone
    // meanwhile is passed over.
    QList<QPointer<QWidget>> widgets;
    for (QWidget *widget : window->findChildren<QWidget *>())
        widgets.append(widget);
    widgets.prepend(window);
    for (const QPointer<QWidget> &widget : std::as_const(widgets)) {
        if (!widget || widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))
            || isLayoutContainer(widget))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            missing.append(widget->objectName() + QLatin1Char(' ') + QLatin1String(widget->metaObject()->className()));
    }
    return missing;
}

class AccessibilityTest : public WindowTest
{
protected:
    // The web page is made, and the last sheet looked for, once the window
    // is on screen: the walk starts after both.
    void SetUp() override
    {
        startWith("p {\r\n}\r\n");
        auto *view = child<QWidget>("PreBrowser");
        ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }, 10000));
        QTest::qWait(50);
    }
};

TEST_F(AccessibilityTest, EveryNamedControlHasAName)
{
    const QStringList main = unnamed(form.get());
    EXPECT_TRUE(main.isEmpty()) << main.size() << ": " << main.join(QStringLiteral(", ")).toStdString();
    const QStringList picker = unnamed(form->colorForm());
    EXPECT_TRUE(picker.isEmpty()) << picker.join(QStringLiteral(", ")).toStdString();
    const QStringList selector = unnamed(form->createSelector());
    EXPECT_TRUE(selector.isEmpty()) << selector.join(QStringLiteral(", ")).toStdString();
}

QString spoken(QWidget *widget, QAccessible::Text text = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(widget)->text(text);
}

TEST_F(AccessibilityTest, FieldsSayTheirGroupAndRowAndButtonsTheirState)
{
    EXPECT_EQ(spoken(child<QWidget>("MarginTop")), QStringLiteral("Отступ границ от края блока: Сверху"));
    EXPECT_EQ(spoken(child<QWidget>("MarginTop_")), QStringLiteral("Отступ границ от края блока: Сверху — единица"));
    EXPECT_EQ(spoken(child<QWidget>("Text_Indent")), QStringLiteral("Отступ первой строки"));
    auto *center = child<QWidget>("Text_Align_Center");
    EXPECT_FALSE(spoken(center).isEmpty());
    EXPECT_FALSE(spoken(center).endsWith(QLatin1Char(':')));
    QTest::mouseClick(center, Qt::LeftButton);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(center)->state().checked);
    EXPECT_EQ(spoken(child<QWidget>("FontColor"), QAccessible::Description), QStringLiteral("#000000"));
    // The picker's palette says the colour it shows.
    TColorForm *picker = form->colorForm();
    picker->setStartColor(QColor(0x12, 0x34, 0x56));
    QTimer::singleShot(0, picker, [picker] { picker->close(); });
    picker->exec();
    EXPECT_EQ(spoken(picker->findChild<QWidget *>(QStringLiteral("Image1"))), QStringLiteral("Палитра: #123456"));
}

} // namespace
