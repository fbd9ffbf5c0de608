#include "window/stylelist/create_selector.h"
#include "window/shell/main_form.h"

#include "../support/settings_reset.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

// An icon gives a picture of the exact device size at 1x, 2x and 3x, and
// not an empty one.
void expectDrawnAtEveryRatio(const QIcon &icon, const QString &name)
{
    for (const qreal ratio : {1.0, 2.0, 3.0}) {
        const QImage image = icon.pixmap(QSize(16, 16), ratio).toImage();
        EXPECT_EQ(image.size(), QSize(16, 16) * ratio) << name.toStdString() << " at " << ratio;
        bool painted = false;
        for (int y = 0; y < image.height() && !painted; ++y)
            for (int x = 0; x < image.width() && !painted; ++x)
                painted = qAlpha(image.pixel(x, y)) > 0;
        EXPECT_TRUE(painted) << name.toStdString() << " is blank at " << ratio;
    }
}

QStringList menuEntries(const QMenu *menu)
{
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries.append(action->isSeparator() ? QStringLiteral("—") : action->text());
    return entries;
}

QMenu *menuTitled(const TMainForm &form, const QString &title)
{
    for (QAction *action : form.menuBar()->actions()) {
        if (QString(action->text()).remove(QLatin1Char('&')) == title)
            return action->menu();
    }
    return nullptr;
}

struct ActionRow {
    const char *name;
    const char *caption;
    const char *tooltip;
    const char *statusTip;
    const char *shortcut;
    bool checkable;
};

TEST(MainWindow, ActionsCarryTheirCaptionsHintsAndShortcuts)
{
    clearProgramSettings();
    TMainForm form;
    const ActionRow rows[] = {
        {"New", "Новый", "Новый", "Создание новой таблицы стилей", "Ctrl+N", false},
        {"OpenFile", "Открыть...", "Открыть", "Открыть файл на диске", "Ctrl+O", false},
        {"Save", "Сохранить", "Сохранить CSS и HTML",
         "Сохранение CSS (если активен редактор HTML, то код HTML также сохраняется)", "Ctrl+S", false},
        {"SaveAs", "Сохранить как...", "Сохранить как...",
         "Сохранение данных в файле с новым именем и/или местоположением", "", false},
        {"QuitQuillbox", "Выход", "", "", "Alt+Q", false},
        {"NewStyle", "Новый стиль", "Новый стиль", "Вызов конструктора имени для нового стиля", "Ins", false},
        {"StyleRename", "Переименовать", "Переименовать", "Переименовать текущий стиль", "F2", false},
        {"StyleDelete", "Удалить", "Удалить", "Удалить текущий стиль", "Ctrl+Del", false},
        {"StyleUp", "Стиль вверх", "Вверх", "Перемещение стиля вверх по списку. Можно просто перетащить.", "", false},
        {"StyleDown", "Стиль вниз", "Вниз", "Перемещение стиля вниз по списку. Можно просто перетащить.", "", false},
        {"StyleSorted", "Сортировка", "Сортировать по алфавиту (осторожно, смена порядка наследования)",
         "Сортировать по алфавиту (осторожно, смена порядка наследования)", "", false},
        {"BackEdit", "Отменить", "Отменить последнюю операцию", "Отменить последнюю операцию", "Ctrl+Z", false},
        {"ForeEdit", "Вернуть действие", "Вернуть после отмены операцию", "Вернуть после отмены операцию",
         "Ctrl+Shift+Z", false},
        {"EditCut", "Вырезать", "Вырезать", "Вырезать выделенный фрагмент в буфер обмена", "Ctrl+X", false},
        {"EditCopy", "Копировать", "Копировать", "Копировать выделенный фрагмент в буфер обмена", "Ctrl+C", false},
        {"EditPaste", "Вставить", "Вставить", "Вставить фрагмент из буфера обмена", "Ctrl+V", false},
        {"FloatPanel", "Подвижные панели", "Подвижные панели",
         "Рабочая область занимает максимум площади окна, а панели становятся выдвижными", "F11", true},
        {"RefreshView", "Обновить", "Обновить", "Обновить окно просмотра и состояние панелей инструментов", "F5", false},
        {"AutoRefreshAction", "Автообновление", "Автообновление !!!",
         "Окно просмотра обновляется сразу после изменения стиля !!!", "", true},
        {"SaveHomePage", "Запомнить HTML в стиле", "Записать текущую страницу как базовую в стиль (LINK_HTML)",
         "Записать текущую страницу как базовую в стиль (LINK_HTML)", "", false},
        {"OpenHomePage", "Открыть HTML", "Открыть HTML", "Открыть HTML", "", false},
        {"GoNavigatorToLINK_HTML", "Переход на базовый адрес", "Перейти к базовой странице HTML (см. стиль LINK_HTML)",
         "Перейти к базовой странице HTML (см. стиль LINK_HTML)", "", false},
        {"GotoBack", "Назад", "Назад", "Переход к предыдущей странице", "", false},
        {"GotoForward", "Вперед", "Вперед", "Переход к следующей странице", "", false},
        {"StopNavigate", "Остановить", "Остановить", "Остановить", "", false},
        {"ActionToEditor", "Открыть HTML для редактирования", "Открыть HTML для редактирования или просмотра кода",
         "Открыть HTML для редактирования или просмотра кода", "", false},
        {"ActionFormEditor", "Сохранить HTML и открыть его в браузере", "Сохранить HTML и открыть его в браузере",
         "Сохранить HTML и открыть его в браузере", "", false},
        {"VisualEditHTML", "Редактировать HTML", "", "", "Ctrl+E", false},
        {"SendMailToAutor", "Письмо автору", "Письмо автору",
         "Для разработчика обратная связь - лучший помощник и советчик. Пишите.", "", false},
        {"HelpAbout", "О программе...", "О программе...", "О программе...", "F1", false},
    };
    for (const ActionRow &row : rows) {
        SCOPED_TRACE(row.name);
        auto *action = form.findChild<QAction *>(QLatin1String(row.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(row.caption));
        if (*row.tooltip)
            EXPECT_EQ(action->toolTip(), QString::fromUtf8(row.tooltip));
        EXPECT_EQ(action->statusTip(), QString::fromUtf8(row.statusTip));
        EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(row.shortcut));
        EXPECT_EQ(action->isCheckable(), row.checkable);
        expectDrawnAtEveryRatio(action->icon(), action->objectName());
    }
    expectDrawnAtEveryRatio(QApplication::windowIcon(), QStringLiteral("program icon"));
}

TEST(MainWindow, MenuHoldsTheActionsInOrder)
{
    clearProgramSettings();
    TMainForm form;
    QStringList titles;
    for (const QAction *action : form.menuBar()->actions())
        titles.append(action->text());
    EXPECT_EQ(titles, (QStringList{"&Файл", "&Правка", "&Браузер", "&Вид", "&Стиль", "&Интеграция", "П&омощь"}))
        << "every title has its own mnemonic";
    titles.replaceInStrings(QStringLiteral("&"), QString());
    EXPECT_EQ(titles, (QStringList{"Файл", "Правка", "Браузер", "Вид", "Стиль", "Интеграция", "Помощь"}));

    const QString sep = QStringLiteral("—");
    EXPECT_EQ(menuEntries(menuTitled(form, "Файл")),
              (QStringList{"Новый", sep, "Открыть...", "Последние файлы", "Сохранить", "Сохранить как...", "Открыть HTML",
                           sep, "Выход"}));
    EXPECT_EQ(menuEntries(menuTitled(form, "Правка")),
              (QStringList{"Отменить", "Вернуть действие", sep, "Вырезать", "Копировать", "Вставить", sep,
                           "Очистить стиль"}));
    EXPECT_EQ(menuEntries(menuTitled(form, "Браузер")),
              (QStringList{"Назад", "Вперед", sep, "Открыть HTML", "Запомнить HTML в стиле",
                           "Переход на базовый адрес", "Папка сайта…", sep, "Загрузить HTML для редактирования",
                           "Сохранить HTML и открыть его в браузере", sep, "Обновить", "Остановить",
                           "Автообновление", sep, "Подсветка совпадений", "Выбрать элемент на странице",
                           "Правила элемента", "Состояние элемента"}));
    EXPECT_EQ(menuEntries(menuTitled(form, "Вид")), (QStringList{"Подвижные панели", "Автообновление", "Неиспользуемые правила", sep, "Обновить"}));
    EXPECT_EQ(menuEntries(menuTitled(form, "Стиль")),
              (QStringList{"Новый стиль", "Удалить", "Переименовать", sep, "Стиль вверх", "Стиль вниз", "Сортировка", sep,
                           "Сохранять оформление нетронутых правил", "Кодировка"}));
    EXPECT_EQ(menuEntries(menuTitled(form, "Помощь")),
              (QStringList{"Письмо автору", "Домашняя страница", sep, "О программе..."}));

    // The tool button keeps the action's own caption.
    auto *editor = form.findChild<QAction *>(QStringLiteral("ActionToEditor"));
    auto *bar = form.findChild<QToolBar *>(QStringLiteral("ToolBar1"));
    ASSERT_TRUE(bar->actions().contains(editor));
    EXPECT_EQ(editor->text(), QStringLiteral("Открыть HTML для редактирования"));
}

TEST(MainWindow, ToolBarsHoldTheirActions)
{
    clearProgramSettings();
    TMainForm form;
    auto names = [&](const char *bar) {
        QStringList out;
        for (const QAction *action : form.findChild<QToolBar *>(QLatin1String(bar))->actions()) {
            if (!action->objectName().isEmpty() && form.findChild<QAction *>(action->objectName()) == action)
                out.append(action->objectName());
        }
        return out;
    };
    EXPECT_EQ(names("ToolBar5"),
              (QStringList{"NewStyle", "StyleRename", "StyleDelete", "StyleUp", "StyleDown", "StyleSorted"}));
    EXPECT_EQ(names("ToolBar6"), (QStringList{"GotoBack", "GotoForward", "OpenHomePage", "SaveHomePage",
                                              "GoNavigatorToLINK_HTML", "RefreshView", "StopNavigate", "FloatPanel",
                                              "AutoRefreshAction", "VisualEditHTML", "HighlightMatches",
                                              "PickElement", "ElementRules"}));
    EXPECT_EQ(names("ToolBar4").mid(0, 3), (QStringList{"New", "OpenFile", "Save"}));
    EXPECT_EQ(names("ToolBar2").mid(0, 2), (QStringList{"BackEdit", "ForeEdit"}));
}

TEST(MainWindow, AutoRefreshShowsOneCheckMarkEverywhere)
{
    clearProgramSettings();
    TMainForm form;
    form.show();
    auto *action = form.findChild<QAction *>(QStringLiteral("AutoRefreshAction"));
    auto *bar = form.findChild<QToolBar *>(QStringLiteral("ToolBar6"));
    auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(menuTitled(form, "Вид")->actions().contains(action));
    EXPECT_TRUE(menuTitled(form, "Браузер")->actions().contains(action));

    button->click();
    EXPECT_TRUE(action->isChecked());
    EXPECT_TRUE(button->isChecked());
    menuTitled(form, "Вид")->actions().at(1)->trigger();
    EXPECT_FALSE(action->isChecked());
    EXPECT_FALSE(button->isChecked());
}

TEST(MainWindow, NamedControlsExist)
{
    clearProgramSettings();
    TMainForm form;
    const char *const names[] = {
        "PanelList", "SplitterList", "PanelALL", "StatusBar", "Z_Select", "ZF", "PanelToolStyle", "ToolBar4",
        "ToolBar3", "ToolBar2", "Viewer", "CssMemoView", "CSSView", "CssDiskView", "PreView", "CSSMemo",
        "BtnStyleUpdate", "HCSSMemo", "HCssInDiskMemo", "ToolBar6", "LocationView", "Splitter2", "PreBrowser",
        "Splitter1", "PHTML", "ToolBar1", "ProgressBar", "HTML", "SpeedButton9", "ToolBar5", "ListTag",
        "RenameField", "TABPANEL", "ColorBox", "MarginPadding", "BackGroundBox", "DisplayVis", "PositionFloat",
        "Z_Timer", "FontOffOptionTimer", "TimerFloat", "Font_Family", "Font_Family2", "Font_Weight", "Font_Size", "Font_Size_",
        "Font_Size_Bold", "MarginBox", "PaddingBox", "GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4",
        "GroupBox5", "GroupBox6", "DisplayBox", "BackGroundPosBox", "BackGroundTransparent",
        "BackGroundAttCheck", "OpenBackGround", "Z_1", "Z_2", "Z_3", "Z_4", "Z_5", "Z_6", "Z_7", "Z_8", "Z_9",
        "Z_cancel", "Z_off", "MainMenu",
    };
    for (const char *name : names)
        EXPECT_NE(form.findChild<QObject *>(QLatin1String(name)), nullptr) << name;

    const char *const fields[] = {"Text_Indent", "Line_Height", "Word_Spacing", "Letter_Spacing", "MarginTop",
                                  "MarginBottom", "MarginLeft", "MarginRight", "PaddingTop", "PaddingBottom",
                                  "PaddingLeft", "PaddingRight", "BorderWidth", "ClipTop", "ClipBottom", "ClipLeft",
                                  "ClipRight", "BlockTop", "BlockBottom", "BlockLeft", "BlockRight", "BlockHeight",
                                  "BlockWidth", "RowGap", "ColumnGap", "FlexBasis", "MinWidth", "MaxWidth",
                                  "MinHeight", "MaxHeight", "BorderRadius", "RadiusTopLeft", "RadiusTopRight",
                                  "RadiusBottomRight", "RadiusBottomLeft", "OutlineWidth", "OutlineOffset"};
    for (const char *field : fields) {
        const QString name = QLatin1String(field);
        EXPECT_NE(form.findChild<QWidget *>(name), nullptr) << field;
        EXPECT_NE(form.findChild<QWidget *>(name + "UpDown"), nullptr) << field;
        auto *unit = form.findChild<QToolButton *>(name + "_");
        ASSERT_NE(unit, nullptr) << field;
        EXPECT_EQ(unit->text(), QStringLiteral("px"));
    }
    for (const char *swatch : {"FontColor", "BackGroundColor", "BorderColor", "ScrollBarFaceColor",
                               "ScrollBarArrowColor", "ScrollBarBaseColor", "ScrollBarShadowColor", "OutlineColor"}) {
        EXPECT_NE(form.findChild<QWidget *>(QLatin1String(swatch)), nullptr) << swatch;
        EXPECT_NE(form.findChild<QCheckBox *>(QLatin1String(swatch) + "Check"), nullptr) << swatch;
    }
    for (const char *number : {"FlexGrow", "FlexShrink", "Order", "ZIndex", "OpacityValue"}) {
        EXPECT_NE(form.findChild<QWidget *>(QLatin1String(number) + "UpDown"), nullptr) << number;
        EXPECT_FALSE(form.findChild<QToolButton *>(QLatin1String(number) + "_")->isVisibleTo(&form)) << number;
    }
    for (const char *name : {"LayoutBox", "GridTemplateColumns", "GridTemplateRows", "GridTemplateAreas", "GridColumn",
                             "GridRow", "GridAddColumn", "GridRemoveColumn", "GridAddRow", "GridRemoveRow",
                             "Grid_Auto_Flow_Dense", "LayoutOverlay", "AspectRatio", "EffectsBox", "Opacity",
                             "Cursor", "OutlineStyle", "PointerEventsNone", "UserSelectNone", "AppearanceNone",
                             "ShadowList", "ShadowAdd", "ShadowDelete", "ShadowInset", "ShadowColor", "TransitionList",
                             "TransitionAdd", "TransitionDelete", "TransitionProperty", "TransitionTiming", "EasingCurve",
                             "Content", "TextOverflowEllipsis", "ListStyleNone", "BorderSide_All", "BorderSide_Left"})
        EXPECT_NE(form.findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(form.controls().optionGroups.size(), 31);
    int buttons = 0;
    for (const auto &group : form.controls().optionGroups) {
        for (const QToolButton *button : group) {
            EXPECT_TRUE(button->isCheckable());
            expectDrawnAtEveryRatio(button->icon(), button->objectName());
            // Drawn anew at 3x, not an enlarged smaller picture.
            const QImage twice = button->icon().pixmap(QSize(16, 16), 2.0).toImage();
            EXPECT_NE(button->icon().pixmap(QSize(16, 16), 3.0).toImage().convertToFormat(twice.format()),
                      twice.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
                << button->objectName().toStdString();
            ++buttons;
        }
    }
    EXPECT_EQ(buttons, 152);
}

TEST(MainWindow, PagesHaveRussianCaptionsAndStartWhereTheyShould)
{
    clearProgramSettings();
    TMainForm form;
    auto *viewer = form.findChild<QTabWidget *>(QStringLiteral("Viewer"));
    auto *pages = form.findChild<QTabWidget *>(QStringLiteral("TABPANEL"));
    QStringList viewerTabs, propertyTabs;
    for (int i = 0; i < viewer->count(); ++i)
        viewerTabs.append(viewer->tabText(i));
    for (int i = 0; i < pages->count(); ++i)
        propertyTabs.append(pages->tabText(i));
    EXPECT_EQ(viewerTabs, (QStringList{"Редактор", "Текущий CSS", "Исходный CSS", "Браузер", "Каскад"}));
    EXPECT_EQ(propertyTabs, (QStringList{"Цвет", "Отступы", "Фон", "Блок", "Привязка и размеры", "Компоновка", "Эффекты", "Переменные", "Все свойства"}));
    EXPECT_EQ(viewer->currentWidget()->objectName(), QStringLiteral("PreView"));
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("ColorBox"));
    EXPECT_TRUE(form.windowTitle().startsWith(QStringLiteral("Quillbox 1.8 - ")));
    // A display name set for the application is appended by the desktop to
    // every title; unset, it is the application's name.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
}

TEST(MainWindow, LongHintGoesToTheStatusBar)
{
    clearProgramSettings();
    TMainForm form;
    form.show();
    auto *edit = form.findChild<QWidget *>(QStringLiteral("Text_Indent"));
    QStatusTipEvent tip(edit->statusTip());
    QApplication::sendEvent(edit, &tip);
    auto *panel = form.findChild<QLabel *>(QStringLiteral("StatusPanel"));
    EXPECT_EQ(panel->text(), QStringLiteral("Установите кнопками или введите с клавиатуры любое число. Двойной "
                                            "щелчек стирает параметр."));
    EXPECT_EQ(edit->toolTip(), QStringLiteral("Отступ первой строки"));

    form.ApplicationEventsHint(QStringLiteral("Без черты"));
    EXPECT_EQ(panel->text(), QStringLiteral("Без черты"));
}

TEST(MainWindow, PanelsKeepTheirMinimumSizesWhenTheWindowShrinks)
{
    clearProgramSettings();
    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.findChild<QWidget *>(QStringLiteral("PanelList"))->width(), 176);
    form.resize(200, 120);
    QTest::qWait(50);
    EXPECT_GE(form.findChild<QWidget *>(QStringLiteral("PanelList"))->width(), 176);
    const QWidget *all = form.findChild<QWidget *>(QStringLiteral("PanelALL"));
    EXPECT_GE(all->width(), 300);
    EXPECT_GE(all->height(), 100);
}

TEST(MainWindow, FocusSinkTakesTheFocusButNotByTab)
{
    clearProgramSettings();
    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto *sink = form.findChild<QWidget *>(QStringLiteral("ZF"));
    EXPECT_EQ(sink->focusPolicy() & Qt::TabFocus, 0);
    sink->setFocus();
    EXPECT_TRUE(sink->hasFocus());
}

} // namespace

namespace {

TEST(MainWindow, HintsGoToTheSelectorDialogWhileItIsOpen)
{
    clearProgramSettings();
    TMainForm form;
    form.show();
    TCreateSelector *dialog = form.createSelector();
    dialog->show();
    auto *edit = dialog->findChild<QWidget *>(QStringLiteral("CurrentSelector"));
    QStatusTipEvent tip(QStringLiteral("Кратко|Подробная подсказка"));
    QApplication::sendEvent(edit, &tip);
    EXPECT_EQ(dialog->labelHint()->text(), QStringLiteral("Подробная подсказка"));
    EXPECT_NE(form.findChild<QLabel *>(QStringLiteral("StatusPanel"))->text(), QStringLiteral("Подробная подсказка"));
    dialog->hide();
}

} // namespace

namespace {

TEST(MainWindow, ClipboardActionsWorkOnTheFocusedEdit)
{
    clearProgramSettings();
    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto *location = form.findChild<QComboBox *>(QStringLiteral("LocationView"));
    auto *memo = form.findChild<QPlainTextEdit *>(QStringLiteral("CSSMemo"));
    location->setFocus();
    location->lineEdit()->selectAll();
    form.findChild<QAction *>(QStringLiteral("EditCopy"))->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("about:blank"));

    form.findChild<QTabWidget *>(QStringLiteral("Viewer"))->setCurrentIndex(0);
    memo->setFocus();
    ASSERT_TRUE(memo->hasFocus());
    form.findChild<QAction *>(QStringLiteral("EditPaste"))->trigger();
    EXPECT_TRUE(memo->toPlainText().contains(QStringLiteral("about:blank")));
    memo->selectAll();
    form.findChild<QAction *>(QStringLiteral("EditCut"))->trigger();
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    form.store().setSheetModified(false);
}

} // namespace

TEST(MainWindow, KeyboardOpensTheMenusAndTabReachesTheListAndThePanels)
{
    clearProgramSettings();
    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    // Alt and a title's letter open its menu.
    QTest::sendKeyEvent(QTest::Click, &form, Qt::Key(0x0424), QStringLiteral("Ф"), Qt::AltModifier);
    QWidget *popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->objectName(), QStringLiteral("FileMenu"));
    QTest::keyClick(popup, Qt::Key_Escape);
    QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : &form, Qt::Key_Escape);

    // From the first font box, Tab goes round the window: the rule list,
    // the colour page's swatches and option buttons are all on the way.
    // The HTML editor keeps Tab for its text; Ctrl+Tab leaves it.
    form.findChild<QComboBox *>(QStringLiteral("Font_Family"))->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < 200 && !visited.contains(QStringLiteral("BorderDouble")); ++i) {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus, Qt::Key_Tab, focus->inherits("QTextEdit") ? Qt::ControlModifier : Qt::NoModifier);
        visited.append(QApplication::focusWidget()->objectName());
    }
    // Ctrl+Tab in the HTML editor turns to the next page, the cascade.
    for (const char *name : {"Text_Indent", "CascadeTree", "ListTag", "FontColor", "FontColorCheck", "BorderDouble"})
        EXPECT_TRUE(visited.contains(QLatin1String(name))) << name;
    EXPECT_LT(visited.indexOf(QStringLiteral("ListTag")), visited.indexOf(QStringLiteral("FontColor")))
        << "the list comes before the panel below it";

    // Space on the option button reached with Tab writes it into the rule.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(form.store().sheetText().toLower().contains("border-style: double")) << form.store().sheetText().constData();
}

TEST(MainWindow, EveryActionIsInAMenuOrHasAShortcut)
{
    clearProgramSettings();
    TMainForm form;
    QList<QAction *> inMenus;
    for (const QMenu *menu : form.menuBar()->findChildren<QMenu *>()) {
        inMenus += menu->actions();
        // A submenu shared with a tool bar belongs to the tool bar.
        for (const QAction *item : menu->actions()) {
            if (item->menu())
                inMenus += item->menu()->actions();
        }
    }
    inMenus += form.menuBar()->actions();
    for (QAction *action : form.findChildren<QAction *>()) {
        if (action->objectName().isEmpty() || action->isSeparator() || action->menu())
            continue;
        // A menu item may stand for an action under a caption of its own.
        const bool itemFor = std::any_of(inMenus.begin(), inMenus.end(), [action](const QAction *item) {
            return item->objectName() == action->objectName() + QStringLiteral("Item");
        });
        EXPECT_TRUE(inMenus.contains(action) || itemFor || !action->shortcut().isEmpty())
            << action->objectName().toStdString();
    }
}

TEST(MainWindow, StandardButtonsAndDialogsReadInRussian)
{
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes
                         | QDialogButtonBox::No | QDialogButtonBox::Save | QDialogButtonBox::Open);
    QStringList texts;
    for (const QAbstractButton *button : box.buttons())
        texts.append(button->text().remove(QLatin1Char('&')));
    texts.sort();
    EXPECT_EQ(texts, (QStringList{"Да", "Нет", "ОК", "Открыть", "Отмена", "Сохранить"}));
    QColorDialog colours;
    EXPECT_EQ(colours.windowTitle(), QStringLiteral("Выбор цвета"));
}

namespace {

TEST(MainWindow, TheStatusBarSaysWhoseLayoutAChangedRuleGetsAndAClickSwitchesIt)
{
    clearProgramSettings();
    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto *field = form.findChild<QToolButton *>(QStringLiteral("LayoutLabel"));
    auto *keep = form.findChild<QAction *>(QStringLiteral("KeepUntouchedLayout"));
    ASSERT_NE(field, nullptr);
    // A new installation keeps the file's layout.
    EXPECT_TRUE(keep->isChecked());
    EXPECT_EQ(field->text(), QStringLiteral("Оформление: как в файле"));
    QTest::mouseClick(field, Qt::LeftButton);
    EXPECT_FALSE(keep->isChecked());
    EXPECT_EQ(field->text(), QStringLiteral("Оформление: программы"));
    keep->trigger();
    EXPECT_EQ(field->text(), QStringLiteral("Оформление: как в файле"));
}

} // namespace
