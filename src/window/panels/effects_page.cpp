#include "window/panels/page_parts.h"

#include "window/panels/easing_curve.h"
#include "window/panels/panel_controls.h"
#include "window/shell/icon_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>

namespace {

// A list of layers with its two buttons under it.
QListWidget *addLayerList(QGridLayout *grid, QWidget *parent, PanelControls &controls, const char *name,
                          const char *hint, const char *add, const char *remove, const char *addHint,
                          const char *removeHint)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setFixedHeight(list->fontMetrics().lineSpacing() * 3 + 8);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideRight);
    setHint(list, QString::fromUtf8(hint));
    list->setAccessibleName(QString::fromUtf8(hint));
    grid->addWidget(list, 0, 0, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(1);
    for (const auto &[buttonName, caption, buttonHint] :
         {std::tuple{add, "+ слой", addHint}, std::tuple{remove, "− слой", removeHint}}) {
        auto *button = new QToolButton(parent);
        button->setObjectName(QLatin1String(buttonName));
        button->setText(QString::fromUtf8(caption));
        button->setAutoRaise(true);
        setHint(button, QString::fromUtf8(buttonHint));
        controls.layerButtons.insert(button->objectName(), button);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    grid->addLayout(buttons, 1, 0, 1, 3);
    return list;
}

// The part controls of a layer, in a widget of their own: they are
// disabled together when the layer cannot be shown in parts, and a note
// above them says why.
QGridLayout *addParts(QGridLayout *grid, int row, QWidget *parent, PanelControls &controls, const char *name,
                      QWidget *&parts)
{
    auto *note = new QLabel(parent);
    note->setObjectName(QLatin1String(name) + QStringLiteral("Note"));
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);
    note->hide();
    controls.partNotes.insert(QLatin1String(name), note);
    grid->addWidget(note, row, 0, 1, 3);
    parts = new QWidget(parent);
    parts->setObjectName(QLatin1String(name));
    auto *partGrid = new QGridLayout(parts);
    partGrid->setContentsMargins(0, 0, 0, 0);
    partGrid->setSpacing(1);
    partGrid->setHorizontalSpacing(4);
    partGrid->setColumnStretch(2, 1);
    grid->addWidget(parts, row + 1, 0, 1, 3);
    return partGrid;
}

QComboBox *addPartBox(QGridLayout *grid, int row, QWidget *parent, const char *name, const char *label,
                      const char *hint, const QStringList &items)
{
    grid->addWidget(new QLabel(QString::fromUtf8(label), parent), row, 0);
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setMinimumContentsLength(4);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setInsertPolicy(QComboBox::NoInsert);
    setHint(box, QString::fromUtf8(hint));
    box->setAccessibleName(QString::fromUtf8(label));
    grid->addWidget(box, row, 1, 1, 2);
    return box;
}

void buildShadows(QWidget *page, QVBoxLayout *layout, PanelControls &controls)
{
    QGroupBox *box = makeGroup(page, "ShadowBox", "Тени");
    auto *grid = narrowGrid(box);
    grid->setHorizontalSpacing(4);
    controls.shadowList = addLayerList(grid, box, controls, "ShadowList", "Слои тени блока (box-shadow)", "ShadowAdd",
                                       "ShadowDelete", "Добавить слой тени", "Убрать выбранный слой тени");
    QGridLayout *parts = addParts(grid, 2, box, controls, "ShadowParts", controls.shadowParts);
    QWidget *on = controls.shadowParts;
    addLengthRow(parts, 0, on, controls, "ShadowX", "Сдвиг X", "Сдвиг тени вправо", "Сдвиг тени вправо");
    addLengthRow(parts, 1, on, controls, "ShadowY", "Сдвиг Y", "Сдвиг тени вниз", "Сдвиг тени вниз");
    addLengthRow(parts, 2, on, controls, "ShadowBlur", "Размытие", "Радиус размытия тени", "Радиус размытия");
    addLengthRow(parts, 3, on, controls, "ShadowSpread", "Растяж.", "Растяжение тени во все стороны",
                 "Растяжение тени");
    auto *swatchRow = tightGrid();
    addSwatchRow(swatchRow, 0, on, controls, "ShadowColor", "Цвет тени", "Цвет тени", Qt::black);
    swatchRow->setColumnStretch(2, 1);
    parts->addLayout(swatchRow, 4, 0, 1, 3);
    addLengthRow(parts, 5, on, controls, "ShadowOpacity", "Непрозр.", "Непрозрачность цвета тени, от 0 до 100 %",
                 "Непрозрачность тени");
    hideUnit(controls.lengthFields[QStringLiteral("ShadowOpacity")]);
    controls.shadowInset = new QCheckBox(QStringLiteral("Внутри блока (inset)"), on);
    controls.shadowInset->setObjectName(QStringLiteral("ShadowInset"));
    setHint(controls.shadowInset, QStringLiteral("Тень внутри блока, а не под ним"));
    parts->addWidget(controls.shadowInset, 6, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    layout->addWidget(box);
}

void buildTransforms(QWidget *page, QVBoxLayout *layout, PanelControls &controls)
{
    QGroupBox *box = makeGroup(page, "TransformBox", "Преобразование");
    auto *grid = narrowGrid(box);
    grid->setHorizontalSpacing(4);
    QGridLayout *parts = addParts(grid, 0, box, controls, "TransformParts", controls.transformParts);
    QWidget *on = controls.transformParts;
    addLengthRow(parts, 0, on, controls, "TranslateX", "Сдвиг X", "Сдвиг вправо (translate), можно в %",
                 "Сдвиг вправо");
    addLengthRow(parts, 1, on, controls, "TranslateY", "Сдвиг Y", "Сдвиг вниз (translate), можно в %", "Сдвиг вниз");
    addLengthRow(parts, 2, on, controls, "Rotate", "Поворот °", "Поворот по часовой стрелке, в градусах (rotate)",
                 "Поворот");
    addLengthRow(parts, 3, on, controls, "Scale", "Масштаб", "Масштаб (scale): 1 — как есть, 1.5 — в полтора раза больше",
                 "Масштаб");
    hideUnit(controls.lengthFields[QStringLiteral("Rotate")]);
    hideUnit(controls.lengthFields[QStringLiteral("Scale")]);
    grid->setColumnStretch(2, 1);
    layout->addWidget(box);
}

void buildTransitions(QWidget *page, QVBoxLayout *layout, PanelControls &controls)
{
    QGroupBox *box = makeGroup(page, "TransitionBox", "Переходы");
    auto *grid = narrowGrid(box);
    grid->setHorizontalSpacing(4);
    controls.transitionList =
        addLayerList(grid, box, controls, "TransitionList", "Плавные переходы свойств (transition)", "TransitionAdd",
                     "TransitionDelete", "Добавить переход", "Убрать выбранный переход");
    QGridLayout *parts = addParts(grid, 2, box, controls, "TransitionParts", controls.transitionParts);
    QWidget *on = controls.transitionParts;
    controls.transitionProperty =
        addPartBox(parts, 0, on, "TransitionProperty", "Свойство", "Свойство, которое меняется плавно",
                   {QStringLiteral("all"), QStringLiteral("opacity"), QStringLiteral("transform"),
                    QStringLiteral("color"), QStringLiteral("background-color"), QStringLiteral("border-color"),
                    QStringLiteral("box-shadow"), QStringLiteral("width"), QStringLiteral("height")});
    addLengthRow(parts, 1, on, controls, "TransitionDuration", "Длит. мс", "Длительность перехода, в миллисекундах",
                 "Длительность перехода");
    addLengthRow(parts, 2, on, controls, "TransitionDelay", "Пауза мс", "Задержка перед переходом, в миллисекундах",
                 "Задержка перехода");
    hideUnit(controls.lengthFields[QStringLiteral("TransitionDuration")]);
    hideUnit(controls.lengthFields[QStringLiteral("TransitionDelay")]);
    controls.transitionTiming =
        addPartBox(parts, 3, on, "TransitionTiming", "Ход", "Как идёт переход во времени (transition-timing-function)",
                   {QStringLiteral("ease"), QStringLiteral("linear"), QStringLiteral("ease-in"),
                    QStringLiteral("ease-out"), QStringLiteral("ease-in-out"), QStringLiteral("steps(4)"),
                    QStringLiteral("cubic-bezier(0.25, 0.1, 0.25, 1)")});
    controls.easingCurve = new EasingCurve(on);
    setHint(controls.easingCurve, QStringLiteral("Ход перехода: потяните за точки, чтобы изменить кривую"));
    parts->addWidget(controls.easingCurve, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    layout->addWidget(box);
}

// Text and block: the rule's whitespace, overflow by axis, list markers,
// the background's size and clip, and generated content. The pages of the
// older properties have no width to spare for them once they scroll.
void buildTextAndBlock(QWidget *page, QVBoxLayout *layout, PanelControls &controls)
{
    QGroupBox *text = makeGroup(page, "TextBlockBox", "Текст в блоке");
    auto *textGrid = narrowGrid(text);
    int row = addLayoutGroup(textGrid, 0, controls, text, Group::WhiteSpace, "Пробелы и переносы");
    row = addLayoutGroup(textGrid, row, controls, text, Group::OverflowX, "Переполнение по ширине");
    row = addLayoutGroup(textGrid, row, controls, text, Group::OverflowY, "Переполнение по высоте");
    const std::pair<Flag, const char *> flags[] = {
        {Flag::TextOverflowEllipsis, "Многоточие"}, {Flag::ListStyleNone, "Без маркеров"}};
    const char *const flagHints[] = {"Обрезанный текст кончается многоточием (text-overflow: ellipsis)",
                                     "Пункты списка без маркеров и номеров (list-style: none)"};
    for (int i = 0; i < 2; ++i) {
        auto *check = new QCheckBox(QString::fromUtf8(flags[i].second), text);
        check->setObjectName(QLatin1String(flagName(flags[i].first)));
        setHint(check, QString::fromUtf8(flagHints[i]));
        textGrid->addWidget(check, row + i, 0, 1, 2);
        controls.flags.insert(check->objectName(), check);
    }
    textGrid->setColumnStretch(1, 1);
    layout->addWidget(text);

    QGroupBox *content = makeGroup(page, "ContentBox", "Содержимое");
    auto *contentGrid = tightGrid(content);
    addTextRow(contentGrid, 0, content, controls, TextField::Content, "Текст до или после (content)",
               "Что вставить (content): текст пишется как есть, в кавычках; "
               "none, attr(), counter() остаются как набраны");
    controls.contentBox = content;
    layout->addWidget(content);
    QGroupBox *fit = makeGroup(page, "BackgroundFitBox", "Размер и край фона");
    auto *fitGrid = narrowGrid(fit);
    row = addLayoutGroup(fitGrid, 0, controls, fit, Group::BackgroundSize, "Размер картинки");
    addLayoutGroup(fitGrid, row, controls, fit, Group::BackgroundClip, "Фон виден под");
    fitGrid->setColumnStretch(1, 1);
    layout->addWidget(fit);
}

} // namespace

void buildEffectsPage(QTabWidget *tabs, PanelControls &controls)
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = makePage(tabs, "EffectsBox", "Эффекты", layout);

    QGroupBox *corners = makeGroup(page, "CornersBox", "Скругление углов");
    auto *cornerGrid = narrowGrid(corners);
    cornerGrid->setHorizontalSpacing(4);
    addLengthRow(cornerGrid, 0, corners, controls, "BorderRadius", "Все", "Скругление всех углов (border-radius)",
                 "Скругление всех углов");
    addLengthRow(cornerGrid, 1, corners, controls, "RadiusTopLeft", "Верх лев.", "Левый верхний угол");
    addLengthRow(cornerGrid, 2, corners, controls, "RadiusTopRight", "Верх прав.", "Правый верхний угол");
    addLengthRow(cornerGrid, 3, corners, controls, "RadiusBottomRight", "Низ прав.", "Правый нижний угол");
    addLengthRow(cornerGrid, 4, corners, controls, "RadiusBottomLeft", "Низ лев.", "Левый нижний угол");
    cornerGrid->setColumnStretch(2, 1);
    layout->addWidget(corners);

    QGroupBox *opacity = makeGroup(page, "OpacityBox", "Непрозрачность");
    auto *opacityGrid = narrowGrid(opacity);
    opacityGrid->setHorizontalSpacing(4);
    controls.opacity = new QSlider(Qt::Horizontal, opacity);
    controls.opacity->setObjectName(QStringLiteral("Opacity"));
    controls.opacity->setRange(0, 100);
    controls.opacity->setValue(100);
    controls.opacity->setPageStep(10);
    setHint(controls.opacity, QStringLiteral("Непрозрачность блока (opacity), %"));
    controls.opacity->setAccessibleName(QStringLiteral("Непрозрачность"));
    opacityGrid->addWidget(controls.opacity, 0, 0, 1, 3);
    addLengthRow(opacityGrid, 1, opacity, controls, "OpacityValue", "%", "Непрозрачность, от 0 до 100 %",
                 "Непрозрачность");
    hideUnit(controls.lengthFields[QStringLiteral("OpacityValue")]);
    opacityGrid->setColumnStretch(2, 1);
    layout->addWidget(opacity);

    buildShadows(page, layout, controls);
    buildTransforms(page, layout, controls);
    buildTransitions(page, layout, controls);

    QGroupBox *outline = makeGroup(page, "OutlineBox", "Контур");
    auto *outlineGrid = narrowGrid(outline);
    outlineGrid->setHorizontalSpacing(4);
    addLengthRow(outlineGrid, 0, outline, controls, "OutlineWidth", "Толщина", "Толщина контура (outline-width)",
                 "Толщина контура");
    addKeywordBox(outlineGrid, 1, outline, controls, KeywordBox::OutlineStyle, "Вид", "Вид контура (outline-style)",
                  false);
    addLengthRow(outlineGrid, 2, outline, controls, "OutlineOffset", "Отступ", "Отступ контура от границы (outline-offset)",
                 "Отступ контура");
    auto *swatchRow = tightGrid();
    addSwatchRow(swatchRow, 0, outline, controls, "OutlineColor", "Цвет контура", "Цвет контура (outline-color)",
                 Qt::black);
    swatchRow->setColumnStretch(2, 1);
    outlineGrid->addLayout(swatchRow, 3, 0, 1, 3);
    outlineGrid->setColumnStretch(2, 1);
    layout->addWidget(outline);

    QGroupBox *behaviour = makeGroup(page, "BehaviourBox", "Поведение");
    auto *behaviourGrid = narrowGrid(behaviour);
    behaviourGrid->setHorizontalSpacing(4);
    addKeywordBox(behaviourGrid, 0, behaviour, controls, KeywordBox::Cursor, "Курсор",
                  "Вид указателя мыши над блоком (cursor)", true);
    const char *const flagCaptions[] = {"Не ловит мышь", "Текст не выделяется", "Без вида системы"};
    const char *const flagHints[] = {"Щелчки проходят сквозь блок (pointer-events: none)",
                                               "Текст блока нельзя выделить (user-select: none)",
                                               "Без оформления системы для полей и кнопок (appearance: none)"};
    for (int f = 0; f <= int(Flag::AppearanceNone); ++f) {
        auto *check = new QCheckBox(QString::fromUtf8(flagCaptions[f]), behaviour);
        check->setObjectName(QLatin1String(flagName(static_cast<Flag>(f))));
        setHint(check, QString::fromUtf8(flagHints[f]));
        behaviourGrid->addWidget(check, 1 + f, 0, 1, 3);
        controls.flags.insert(check->objectName(), check);
    }
    behaviourGrid->setColumnStretch(2, 1);
    layout->addWidget(behaviour);
    buildTextAndBlock(page, layout, controls);
    layout->addStretch(1);
}

