#include "window/panels/property_pages.h"

#include "core/preview/contrast.h"

#include "window/shell/icon_factory.h"
#include "window/panels/panel_controls.h"
#include "window/panels/property_icons.h"
#include "window/panels/page_parts.h"

#include "core/panels/layout_controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QComboBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>

namespace {

void buildColorPage(QTabWidget *tabs, PanelControls &controls)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(tabs, "ColorBox", "Цвет", layout);
    const QPalette pal;

    QGroupBox *colours = makeGroup(page, "GroupBox5", "Управление цветом");
    auto *grid = tightGrid(colours);
    grid->setSpacing(2);
    addSwatchRow(grid, 0, colours, controls, "FontColor", "Цвет текста", "Цвет текста", pal.color(QPalette::Button));
    addSwatchRow(grid, 1, colours, controls, "BackGroundColor", "Фон цветной", "Цвет фона", pal.color(QPalette::Button));
    addSwatchRow(grid, 2, colours, controls, "BorderColor", "Цвет границы", "Цвет границ", QColor(0x00, 0x80, 0x80));
    controls.backGroundTransparent = new QCheckBox(QStringLiteral("Фон прозрачный"), colours);
    controls.backGroundTransparent->setObjectName(QStringLiteral("BackGroundTransparent"));
    setHint(controls.backGroundTransparent, QStringLiteral("Прозрачный фон"));
    grid->addWidget(controls.backGroundTransparent, 3, 0, 1, 2);
    controls.contrastLabel = new QLabel(QStringLiteral("Контраст: выберите элемент на странице"), colours);
    controls.contrastLabel->setObjectName(QStringLiteral("ContrastLabel"));
    controls.contrastLabel->setWordWrap(true);
    controls.contrastLabel->setEnabled(false);
    controls.contrastLabel->setToolTip(contrastHint());
    grid->addWidget(controls.contrastLabel, 4, 0, 1, 2);
    layout->addWidget(colours);

    // Which side the border's colour, style and width show and change.
    QGroupBox *sides = makeGroup(page, "BorderSideBox", "Сторона границы");
    auto *sideGrid = tightGrid(sides);
    const char *const sideHints[kBorderSideCount] = {
        "Граница со всех сторон", "Верхняя граница", "Правая граница", "Нижняя граница", "Левая граница"};
    for (int i = 0; i < kBorderSideCount; ++i) {
        QToolButton *button = makeToggle(sides, QLatin1String(borderSideName(i)), QString::fromUtf8(sideHints[i]),
                                         icons::layout(QLatin1String(borderSideName(i))));
        sideGrid->addWidget(button, 0, i);
        controls.borderSides.append(button);
    }
    sideGrid->setColumnStretch(kBorderSideCount, 1);
    layout->addWidget(sides);

    QGroupBox *border = makeGroup(page, "GroupBox1", "Управление границей");
    auto *borderGrid = tightGrid(border);
    QList<ToggleDef> styles;
    const char *const names[] = {"BorderSolid", "BorderDotted", "BorderDashed", "BorderOutSet", "BorderRidge",
                                 "BorderDouble", "BorderInSet", "BorderGroove", "BorderNone"};
    const char *const hints[] = {"Непрерывная граница", "Пунктирная граница", "Штрих-пунктирная граница",
                                 "Выпуклый блок", "Выпуклая граница", "Двойная граница", "Вдавленный блок",
                                 "Вдавленная граница", "Нет границы"};
    const char *const kinds[] = {"solid", "dotted", "dashed", "outset", "ridge", "double", "inset", "groove", "none"};
    for (int i = 0; i < 9; ++i)
        styles.append({names[i], hints[i], icons::borderStyle(QLatin1String(kinds[i]))});
    addToggleGrid(borderGrid, 0, 3, controls, border, styles);
    auto *widthGrid = tightGrid();
    widthGrid->setHorizontalSpacing(4);
    addLengthRow(widthGrid, 0, border, controls, "BorderWidth", "Толщина", "Толщина границ", "Толщина границ");
    borderGrid->addLayout(widthGrid, 3, 0, 1, 4);
    borderGrid->setColumnStretch(3, 1);
    layout->addWidget(border);

    QGroupBox *scroll = makeGroup(page, "GroupBox6", "Цвет полос прокрутки",
                                  "Применяется для селектора BODY и работает только в MSIE 6.0 и выше");
    auto *scrollGrid = tightGrid(scroll);
    scrollGrid->setSpacing(2);
    addSwatchRow(scrollGrid, 0, scroll, controls, "ScrollBarFaceColor", "Бегунок", nullptr, pal.color(QPalette::Button));
    addSwatchRow(scrollGrid, 1, scroll, controls, "ScrollBarArrowColor", "Стрелки", nullptr, Qt::black);
    addSwatchRow(scrollGrid, 2, scroll, controls, "ScrollBarBaseColor", "Фон", nullptr, pal.color(QPalette::Window));
    addSwatchRow(scrollGrid, 3, scroll, controls, "ScrollBarShadowColor", "Тень", nullptr,
                 pal.color(QPalette::Disabled, QPalette::WindowText));
    layout->addWidget(scroll);
    layout->addStretch(1);
}

// The four edges of a box, rows top, left, right, bottom.
void addFourSides(QGridLayout *grid, int firstRow, QWidget *parent, PanelControls &controls, const char *prefix,
                  const char *editHint = nullptr, const char *bottomStepperHint = nullptr)
{
    const char *const sides[] = {"Top", "Left", "Right", "Bottom"};
    const char *const labels[] = {"Сверху", "Слева", "Справа", "Снизу"};
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = QByteArray(prefix) + sides[i];
        const char *stepperHint = editHint;
        if (bottomStepperHint && i == 3)
            stepperHint = bottomStepperHint;
        addLengthRow(grid, firstRow + i, parent, controls, name.constData(), labels[i], editHint, stepperHint);
    }
}

void buildFourSides(QWidget *page, QVBoxLayout *layout, PanelControls &controls, const char *boxName,
                    const char *title, const char *prefix)
{
    QGroupBox *box = makeGroup(page, boxName, title);
    auto *grid = tightGrid(box);
    grid->setHorizontalSpacing(4);
    addFourSides(grid, 0, box, controls, prefix);
    grid->setColumnStretch(2, 1);
    layout->addWidget(box);
}

void buildMarginPage(QTabWidget *tabs, PanelControls &controls)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(tabs, "MarginPadding", "Отступы", layout);
    buildFourSides(page, layout, controls, "MarginBox", "Отступ границ от края блока", "Margin");
    buildFourSides(page, layout, controls, "PaddingBox", "Отступ контента от границ", "Padding");
    layout->addStretch(1);
}

void buildBackgroundPage(QTabWidget *tabs, PanelControls &controls)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(tabs, "BackGroundBox", "Фон", layout);

    controls.openBackGround = new QPushButton(QStringLiteral("Выбрать"), page);
    controls.openBackGround->setObjectName(QStringLiteral("OpenBackGround"));
    setHint(controls.openBackGround, QStringLiteral("Выбор фонового рисунка"));
    controls.backGroundAttCheck = new PathCheckBox(QStringLiteral("Рисунок не выбран"), page);
    controls.backGroundAttCheck->setObjectName(QStringLiteral("BackGroundAttCheck"));
    controls.backGroundAttCheck->setEnabled(false);
    setHint(controls.backGroundAttCheck, QStringLiteral("Фоновый рисунок"));
    layout->addWidget(controls.openBackGround);
    layout->addWidget(controls.backGroundAttCheck);

    QGroupBox *box = makeGroup(page, "BackGroundPosBox", "Управление картинкой фона");
    auto *grid = tightGrid(box);
    const char *const hint = "Положение фонового рисунка";
    addToggleGrid(grid, 0, 3, controls, box,
                  {{"BGrPosLT", hint, icons::position(0, 0)}, {"BGrPosCT", hint, icons::position(0, 1)},
                   {"BGrPosRT", hint, icons::position(0, 2)}, {"BGrPosLC", hint, icons::position(1, 0)},
                   {"BGrPosCC", hint, icons::position(1, 1)}, {"BGrPosRC", hint, icons::position(1, 2)},
                   {"BGrPosLB", hint, icons::position(2, 0)}, {"BGrPosCB", hint, icons::position(2, 1)},
                   {"BGrPosRB", hint, icons::position(2, 2)}});
    auto *attachment = tightGrid();
    addToggleGrid(attachment, 0, 2, controls, box,
                  {{"BGrAttFixed", "Неподвижный фоновый рисунок", icons::attachment(true)},
                   {"BGrAttScroll", "Подвижный фоновый рисунок", icons::attachment(false)}});
    auto *repeat = tightGrid();
    addToggleGrid(repeat, 0, 2, controls, box,
                  {{"BGrRepXY", "Копирование фонового рисунка во все направления", icons::repeat(icons::Repeat::Both)},
                   {"BGrRepNone", "Нет копирования фонового рисунка", icons::repeat(icons::Repeat::None)},
                   {"BGrRepY", "Копирование фонового рисунка по вертикали", icons::repeat(icons::Repeat::Vertical)},
                   {"BGrRepX", "Копирование фонового рисунка по горизонтали", icons::repeat(icons::Repeat::Horizontal)}});
    grid->addLayout(attachment, 0, 4, 2, 1);
    grid->addLayout(repeat, 2, 4, 2, 1);
    grid->setColumnMinimumWidth(3, 8);
    grid->setColumnStretch(5, 1);
    for (int g = 0; g < 3; ++g) {
        for (QToolButton *button : controls.optionGroups[controls.optionGroups.size() - 1 - g])
            button->setEnabled(false);
    }
    layout->addWidget(box);

    auto *note = new QLabel(QStringLiteral("Обратите внимание, что при выборе рисунка фона имеет\n"
                                           "значение как файл рисунка будет расположен на сервере.\n"
                                           "Для корректной работы рекомендуется на вкладке редактора "
                                           "откорректировать путь. Например, указать его от корня сайта."),
                            page);
    note->setWordWrap(true);
    layout->addWidget(note);

    layout->addStretch(1);
}

void buildBlockPage(QTabWidget *tabs, PanelControls &controls)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(tabs, "DisplayVis", "Блок", layout);

    QGroupBox *display = makeGroup(page, "DisplayBox", "Тип и видимость блока");
    auto *grid = tightGrid(display);
    addToggleGrid(grid, 0, 5, controls, display,
                  {{"DisplayBlock", "Главный структурный блок", icons::display(icons::Display::Block)},
                   {"DisplayInLine", "Строковый блок", icons::display(icons::Display::InLine)},
                   {"DisplayListItem", "Список в главном структурном блоке", icons::display(icons::Display::ListItem)},
                   {"DisplayMarker", "Маркер", icons::display(icons::Display::Marker)},
                   {"DisplayNone", "Блок и его потомки НЕ СОЗДАЮТСЯ", icons::display(icons::Display::None)},
                   {"DisplayTable", "Таблица уровня блока", icons::display(icons::Display::Table)},
                   {"DisplayInLineTable", "Таблица уровня строки", icons::display(icons::Display::InLineTable)},
                   {"DisplayTableCaption", "Заголовок таблицы", icons::display(icons::Display::TableCaption)},
                   {"DisplayTableHeaderGroup", "Верхняя шапка таблицы", icons::display(icons::Display::TableHeaderGroup)},
                   {"DisplayTableFooterGroup", "Нижняя шапка таблицы", icons::display(icons::Display::TableFooterGroup)},
                   {"DisplayTableCell", "Ячейка таблицы", icons::display(icons::Display::TableCell)},
                   {"DisplayTableRow", "Строка таблицы", icons::display(icons::Display::TableRow)},
                   {"DisplayTableRowGroup", "Группа строк таблицы", icons::display(icons::Display::TableRowGroup)},
                   {"DisplayTableColumn", "Столбец таблицы", icons::display(icons::Display::TableColumn)},
                   {"DisplayTableColumnGroup", "Группа столбцов таблицы", icons::display(icons::Display::TableColumnGroup)},
                   {"DisplayInLineBlock", "Блок в строке", icons::display(icons::Display::InLineBlock)},
                   {"DisplayFlex", "Гибкий блок (flex): потомки в ряд или в столбец",
                    icons::display(icons::Display::Flex)},
                   {"DisplayInLineFlex", "Гибкий блок (flex) в строке", icons::display(icons::Display::InLineFlex)},
                   {"DisplayGrid", "Сетка (grid): потомки по строкам и столбцам", icons::display(icons::Display::Grid)},
                   {"DisplayInLineGrid", "Сетка (grid) в строке", icons::display(icons::Display::InLineGrid)},
                   {"DisplayContents", "Блок не создаётся, его потомки остаются на месте",
                    icons::display(icons::Display::Contents)}});
    auto *visibility = tightGrid();
    addToggleGrid(visibility, 0, 1, controls, display,
                  {{"VisibilityVisible", "Блок видим", icons::visibility(icons::Visibility::Visible)},
                   {"VisibilityHidden", "Блок невидим, но существует", icons::visibility(icons::Visibility::Hidden)},
                   {"VisibilityCollapse", "Элемент таблицы невидим", icons::visibility(icons::Visibility::Collapse)}});
    grid->addLayout(visibility, 0, 6, 3, 1);
    grid->setColumnMinimumWidth(5, 4);
    grid->setColumnStretch(7, 1);
    layout->addWidget(display);

    QGroupBox *clip = makeGroup(page, "GroupBox4", "Обрезка при переполнении");
    auto *clipGrid = tightGrid(clip);
    clipGrid->setHorizontalSpacing(4);
    auto *overflow = tightGrid();
    addToggleGrid(overflow, 0, 4, controls, clip,
                  {{"OverflowAuto", "Авто (решение принимает браузер)", icons::overflow(icons::Overflow::Auto)},
                   {"OverflowVisible", "Обрезание блока запрещено", icons::overflow(icons::Overflow::Visible)},
                   {"OverflowHidden", "Обрезание блока разрешено", icons::overflow(icons::Overflow::Hidden)},
                   {"OverflowScroll", "Обрезание блока разрешено и включен скроллинг",
                    icons::overflow(icons::Overflow::Scroll)}});
    overflow->setColumnStretch(4, 1);
    clipGrid->addLayout(overflow, 0, 0, 1, 3);
    addFourSides(clipGrid, 1, clip, controls, "Clip", "Параметры вырезания клипа из контента блока",
                 "Параметры обрезки от края блока");
    clipGrid->setColumnStretch(2, 1);
    layout->addWidget(clip);

    layout->addStretch(1);
}

void buildPositionPage(QTabWidget *tabs, PanelControls &controls)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(tabs, "PositionFloat", "Привязка и размеры", layout);

    QGroupBox *flow = makeGroup(page, "GroupBox3", "Позиционирование в потоке");
    auto *grid = tightGrid(flow);
    addToggleGrid(grid, 0, 5, controls, flow,
                  {{"PositionStatic", "Обычное положение в блока потоке", icons::positionScheme(icons::Scheme::Static)},
                   {"PositionRelative", "Блок смещен в потоке", icons::positionScheme(icons::Scheme::Relative)},
                   {"PositionAbsolute", "Абсолютное положение блока", icons::positionScheme(icons::Scheme::Absolute)},
                   {"PositionFixed", "Абсолютное положение и фиксация блока", icons::positionScheme(icons::Scheme::Fixed)},
                   {"PositionSticky", "Блок в потоке, прилипающий к краю при прокрутке",
                    icons::positionScheme(icons::Scheme::Sticky)}});
    addToggleGrid(grid, 1, 5, controls, flow,
                  {{"FloatLeft", "Выравнивание \"влево\"", icons::floatSide(false)},
                   {"FloatRight", "Выравнивание \"вправо\"", icons::floatSide(true)}});
    grid->setColumnStretch(5, 1);
    layout->addWidget(flow);

    QGroupBox *box = makeGroup(page, "GroupBox2", "Положение и размер ");
    auto *boxGrid = tightGrid(box);
    boxGrid->setHorizontalSpacing(4);
    addLengthRow(boxGrid, 0, box, controls, "BlockTop", "Сверху");
    addLengthRow(boxGrid, 1, box, controls, "BlockLeft", "Слева");
    addLengthRow(boxGrid, 2, box, controls, "BlockRight", "Справа");
    addLengthRow(boxGrid, 3, box, controls, "BlockBottom", "Снизу");
    addLengthRow(boxGrid, 4, box, controls, "BlockHeight", "Высота", "Высота блока", "Высота блока");
    addLengthRow(boxGrid, 5, box, controls, "BlockWidth", "Ширина", "Ширина блока", "Ширина блока");
    boxGrid->setColumnStretch(2, 1);
    layout->addWidget(box);

    layout->addStretch(1);
}

// A track more or less: two small buttons under a track list.
int addTrackButtons(QGridLayout *grid, int row, QWidget *parent, PanelControls &controls, const char *add,
                    const char *remove, const char *what, const char *addHint, const char *removeHint)
{
    auto *quick = new QHBoxLayout;
    quick->setSpacing(1);
    for (const auto &[name, sign, hint] : {std::tuple{add, "+ ", addHint}, std::tuple{remove, "− ", removeHint}}) {
        auto *button = new QToolButton(parent);
        button->setObjectName(QLatin1String(name));
        button->setText(QString::fromUtf8(sign) + QString::fromUtf8(what));
        button->setAutoRaise(true);
        setHint(button, QString::fromUtf8(hint));
        controls.trackButtons.insert(button->objectName(), button);
        quick->addWidget(button);
    }
    quick->addStretch(1);
    grid->addLayout(quick, row, 0, 1, 2);
    return row + 1;
}

void buildLayoutPage(QTabWidget *tabs, PanelControls &controls)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(tabs, "LayoutBox", "Компоновка", layout);

    controls.layoutOverlay = new QCheckBox(QStringLiteral("Показывать сетку\nи гибкие блоки"), page);
    controls.layoutOverlay->setObjectName(QStringLiteral("LayoutOverlay"));
    controls.layoutOverlay->setChecked(true);
    setHint(controls.layoutOverlay, QStringLiteral("Показывать сетку и гибкие блоки поверх страницы"));
    layout->addWidget(controls.layoutOverlay);

    QGroupBox *flex = makeGroup(page, "FlexContainerBox", "Контейнер");
    auto *grid = narrowGrid(flex);
    grid->setHorizontalSpacing(4);
    int row = addLayoutGroup(grid, 0, controls, flex, Group::FlexDirection, "Направление");
    row = addLayoutGroup(grid, row, controls, flex, Group::FlexWrap, "Перенос");
    row = addLayoutGroup(grid, row, controls, flex, Group::JustifyContent, "Вдоль оси");
    row = addLayoutGroup(grid, row, controls, flex, Group::AlignItems, "Поперёк оси");
    row = addLayoutGroup(grid, row, controls, flex, Group::AlignContent, "Линии");
    row = addLayoutGroup(grid, row, controls, flex, Group::JustifyItems, "В ячейках сетки");
    grid->setColumnStretch(1, 1);
    layout->addWidget(flex);

    QGroupBox *gaps = makeGroup(page, "GapBox", "Промежутки");
    auto *gapGrid = narrowGrid(gaps);
    gapGrid->setHorizontalSpacing(4);
    addLengthRow(gapGrid, 0, gaps, controls, "RowGap", "Строки", "Промежуток между строками (row-gap)",
                 "Промежуток между строками");
    addLengthRow(gapGrid, 1, gaps, controls, "ColumnGap", "Столбцы", "Промежуток между столбцами (column-gap)",
                 "Промежуток между столбцами");
    gapGrid->setColumnStretch(2, 1);
    layout->addWidget(gaps);

    QGroupBox *item = makeGroup(page, "FlexItemBox", "Элемент");
    auto *itemGrid = narrowGrid(item);
    itemGrid->setHorizontalSpacing(4);
    addLengthRow(itemGrid, 0, item, controls, "FlexGrow", "Рост", "Доля свободного места (flex-grow)",
                 "Доля свободного места");
    addLengthRow(itemGrid, 1, item, controls, "FlexShrink", "Сжатие", "Доля сжатия (flex-shrink)", "Доля сжатия");
    addLengthRow(itemGrid, 2, item, controls, "FlexBasis", "Основа",
                 "Исходный размер (flex-basis): число или auto, content", "Исходный размер");
    addLengthRow(itemGrid, 3, item, controls, "Order", "Порядок", "Порядок среди элементов (order)",
                 "Порядок среди элементов");
    for (const char *number : {"FlexGrow", "FlexShrink", "Order"})
        hideUnit(controls.lengthFields[QLatin1String(number)]);
    row = addLayoutGroup(itemGrid, 4, controls, item, Group::AlignSelf, "Поперёк оси");
    row = addLayoutGroup(itemGrid, row, controls, item, Group::JustifySelf, "В ячейке сетки");
    row = addTextRow(itemGrid, row, item, controls, TextField::GridColumn, "Столбцы сетки",
                     "Столбцы элемента (grid-column): 1 / 3, span 2, имя линии");
    addTextRow(itemGrid, row, item, controls, TextField::GridRow, "Строки сетки",
               "Строки элемента (grid-row): 1 / 3, span 2, имя линии");
    itemGrid->setColumnStretch(2, 1);
    layout->addWidget(item);

    QGroupBox *tracks = makeGroup(page, "GridBox", "Сетка");
    auto *gridGrid = narrowGrid(tracks);
    row = addTextRow(gridGrid, 0, tracks, controls, TextField::GridTemplateColumns, "Столбцы",
                     "Столбцы сетки (grid-template-columns): 1fr 200px, repeat(3, 1fr), minmax()");
    row = addTrackButtons(gridGrid, row, tracks, controls, "GridAddColumn", "GridRemoveColumn", "столбец",
                          "Добавить столбец 1fr", "Убрать последний столбец");
    row = addTextRow(gridGrid, row, tracks, controls, TextField::GridTemplateRows, "Строки",
                     "Строки сетки (grid-template-rows)");
    row = addTrackButtons(gridGrid, row, tracks, controls, "GridAddRow", "GridRemoveRow", "строка",
                          "Добавить строку 1fr", "Убрать последнюю строку");
    gridGrid->addWidget(new QLabel(QStringLiteral("Области"), tracks), row++, 0, 1, 2);
    controls.gridAreas = new QPlainTextEdit(tracks);
    controls.gridAreas->setObjectName(QStringLiteral("GridTemplateAreas"));
    controls.gridAreas->setTabChangesFocus(true);
    controls.gridAreas->setLineWrapMode(QPlainTextEdit::NoWrap);
    controls.gridAreas->setFixedHeight(controls.gridAreas->fontMetrics().lineSpacing() * 3 + 10);
    setHint(controls.gridAreas, QStringLiteral("Области сетки (grid-template-areas): одна строка сетки в строке"));
    controls.gridAreas->setAccessibleName(QStringLiteral("Области"));
    gridGrid->addWidget(controls.gridAreas, row++, 0, 1, 2);
    row = addLayoutGroup(gridGrid, row, controls, tracks, Group::GridAutoFlow, "Заполнение");
    controls.gridDense = new QCheckBox(QStringLiteral("Плотно (dense)"), tracks);
    controls.gridDense->setObjectName(QStringLiteral("Grid_Auto_Flow_Dense"));
    setHint(controls.gridDense, QStringLiteral("Заполнять пропуски сетки более поздними элементами"));
    gridGrid->addWidget(controls.gridDense, row, 0, 1, 2);
    gridGrid->setColumnStretch(1, 1);
    layout->addWidget(tracks);

    // Sizes beside the layout: the position page has no room left for them.
    QGroupBox *limits = makeGroup(page, "SizeLimitsBox", "Пределы размера");
    auto *limitGrid = narrowGrid(limits);
    limitGrid->setHorizontalSpacing(4);
    addLengthRow(limitGrid, 0, limits, controls, "MinWidth", "Ширина ≥", "Наименьшая ширина (min-width)",
                 "Наименьшая ширина");
    addLengthRow(limitGrid, 1, limits, controls, "MaxWidth", "Ширина ≤", "Наибольшая ширина (max-width): число или none",
                 "Наибольшая ширина");
    addLengthRow(limitGrid, 2, limits, controls, "MinHeight", "Высота ≥", "Наименьшая высота (min-height)",
                 "Наименьшая высота");
    addLengthRow(limitGrid, 3, limits, controls, "MaxHeight", "Высота ≤", "Наибольшая высота (max-height): число или none",
                 "Наибольшая высота");
    addLengthRow(limitGrid, 4, limits, controls, "ZIndex", "Слой", "Порядок наложения (z-index): целое число или auto",
                 "Порядок наложения");
    hideUnit(controls.lengthFields[QStringLiteral("ZIndex")]);
    row = addTextRow(limitGrid, 5, limits, controls, TextField::AspectRatio, "Пропорции",
                         "Соотношение сторон (aspect-ratio): 16 / 9, 1");
    row = addLayoutGroup(limitGrid, row, controls, limits, Group::BoxSizing, "Размер считается");
    addLayoutGroup(limitGrid, row, controls, limits, Group::ObjectFit, "Картинка в блоке");
    limitGrid->setColumnStretch(2, 1);
    layout->addWidget(limits);
    layout->addStretch(1);
}

} // namespace

QTabWidget *buildPropertyPages(QWidget *parent, PanelControls &controls)
{
    auto *tabs = new QTabWidget(parent);
    tabs->setObjectName(QStringLiteral("TABPANEL"));
    tabs->setAccessibleName(QStringLiteral("Панели свойств"));
    tabs->setUsesScrollButtons(true);
    buildColorPage(tabs, controls);
    buildMarginPage(tabs, controls);
    buildBackgroundPage(tabs, controls);
    buildBlockPage(tabs, controls);
    buildPositionPage(tabs, controls);
    buildLayoutPage(tabs, controls);
    buildEffectsPage(tabs, controls);
    leaveWheelToPage(tabs);
    tabs->setCurrentIndex(0);
    return tabs;
}
