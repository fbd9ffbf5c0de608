#include "core/panels/layout_controls.h"

#include "core/css/value_words.h"
#include "core/sheet/byte_lines.h"

#include <algorithm>

const QList<LayoutGroup> &layoutGroups()
{
    static const QList<LayoutGroup> groups = {
        {Group::FlexDirection, "FLEX-DIRECTION", "flex-direction", LayoutTarget::Container, LayoutGroup::Never,
         {{"Flex_Direction_Row", "row", nullptr, {"ROW"}, "Элементы в ряд"},
          {"Flex_Direction_RowReverse", "row-reverse", nullptr, {"ROW-REVERSE"}, "Элементы в ряд справа налево"},
          {"Flex_Direction_Column", "column", nullptr, {"COLUMN"}, "Элементы в столбец"},
          {"Flex_Direction_ColumnReverse", "column-reverse", nullptr, {"COLUMN-REVERSE"},
           "Элементы в столбец снизу вверх"}}},
        {Group::FlexWrap, "FLEX-WRAP", "flex-wrap", LayoutTarget::Container, LayoutGroup::Never,
         {{"Flex_Wrap_NoWrap", "nowrap", nullptr, {"NOWRAP"}, "Все элементы в одну линию"},
          {"Flex_Wrap_Wrap", "wrap", nullptr, {"WRAP"}, "Перенос элементов на новые линии"},
          {"Flex_Wrap_WrapReverse", "wrap-reverse", nullptr, {"WRAP-REVERSE"},
           "Перенос элементов, новые линии перед прежними"}}},
        {Group::JustifyContent, "JUSTIFY-CONTENT", "justify-content", LayoutTarget::Container,
         LayoutGroup::InFlexContainer,
         {{"Justify_Content_Start", "start", "flex-start", {"START", "FLEX-START", "LEFT", "NORMAL"},
           "Элементы к началу главной оси"},
          {"Justify_Content_Center", "center", nullptr, {"CENTER"}, "Элементы по центру главной оси"},
          {"Justify_Content_End", "end", "flex-end", {"END", "FLEX-END", "RIGHT"}, "Элементы к концу главной оси"},
          {"Justify_Content_SpaceBetween", "space-between", nullptr, {"SPACE-BETWEEN"},
           "Свободное место между элементами"},
          {"Justify_Content_SpaceAround", "space-around", nullptr, {"SPACE-AROUND"},
           "Свободное место вокруг элементов"},
          {"Justify_Content_SpaceEvenly", "space-evenly", nullptr, {"SPACE-EVENLY"},
           "Равные промежутки между элементами и по краям"}}},
        {Group::AlignItems, "ALIGN-ITEMS", "align-items", LayoutTarget::Container, LayoutGroup::InFlexContainer,
         {{"Align_Items_Start", "start", "flex-start", {"START", "FLEX-START", "SELF-START"},
           "Элементы к началу поперечной оси"},
          {"Align_Items_Center", "center", nullptr, {"CENTER"}, "Элементы по центру поперечной оси"},
          {"Align_Items_End", "end", "flex-end", {"END", "FLEX-END", "SELF-END"}, "Элементы к концу поперечной оси"},
          {"Align_Items_Stretch", "stretch", nullptr, {"STRETCH", "NORMAL"}, "Элементы растянуты поперёк"},
          {"Align_Items_Baseline", "baseline", nullptr, {"BASELINE", "FIRST BASELINE"},
           "Элементы по базовой линии текста"}}},
        {Group::AlignContent, "ALIGN-CONTENT", "align-content", LayoutTarget::Container, LayoutGroup::InFlexContainer,
         {{"Align_Content_Start", "start", "flex-start", {"START", "FLEX-START"}, "Линии к началу поперечной оси"},
          {"Align_Content_Center", "center", nullptr, {"CENTER"}, "Линии по центру поперечной оси"},
          {"Align_Content_End", "end", "flex-end", {"END", "FLEX-END"}, "Линии к концу поперечной оси"},
          {"Align_Content_SpaceBetween", "space-between", nullptr, {"SPACE-BETWEEN"}, "Свободное место между линиями"},
          {"Align_Content_SpaceAround", "space-around", nullptr, {"SPACE-AROUND"}, "Свободное место вокруг линий"},
          {"Align_Content_Stretch", "stretch", nullptr, {"STRETCH", "NORMAL"}, "Линии растянуты на всё место"}}},
        {Group::JustifyItems, "JUSTIFY-ITEMS", "justify-items", LayoutTarget::Container, LayoutGroup::Never,
         {{"Justify_Items_Start", "start", nullptr, {"START", "FLEX-START", "SELF-START", "LEFT"},
           "Элементы к началу ячеек сетки"},
          {"Justify_Items_Center", "center", nullptr, {"CENTER"}, "Элементы по центру ячеек сетки"},
          {"Justify_Items_End", "end", nullptr, {"END", "FLEX-END", "SELF-END", "RIGHT"}, "Элементы к концу ячеек сетки"},
          {"Justify_Items_Stretch", "stretch", nullptr, {"STRETCH", "NORMAL"}, "Элементы растянуты по ячейкам"}}},
        {Group::AlignSelf, "ALIGN-SELF", "align-self", LayoutTarget::Item, LayoutGroup::InFlexItem,
         {{"Align_Self_Auto", "auto", nullptr, {"AUTO"}, "Как задано контейнером"},
          {"Align_Self_Start", "start", "flex-start", {"START", "FLEX-START", "SELF-START"},
           "Элемент к началу поперечной оси"},
          {"Align_Self_Center", "center", nullptr, {"CENTER"}, "Элемент по центру поперечной оси"},
          {"Align_Self_End", "end", "flex-end", {"END", "FLEX-END", "SELF-END"}, "Элемент к концу поперечной оси"},
          {"Align_Self_Stretch", "stretch", nullptr, {"STRETCH", "NORMAL"}, "Элемент растянут поперёк"},
          {"Align_Self_Baseline", "baseline", nullptr, {"BASELINE", "FIRST BASELINE"},
           "Элемент по базовой линии текста"}}},
        {Group::JustifySelf, "JUSTIFY-SELF", "justify-self", LayoutTarget::Item, LayoutGroup::Never,
         {{"Justify_Self_Auto", "auto", nullptr, {"AUTO"}, "Как задано контейнером"},
          {"Justify_Self_Start", "start", nullptr, {"START", "FLEX-START", "SELF-START", "LEFT"},
           "Элемент к началу ячейки"},
          {"Justify_Self_Center", "center", nullptr, {"CENTER"}, "Элемент по центру ячейки"},
          {"Justify_Self_End", "end", nullptr, {"END", "FLEX-END", "SELF-END", "RIGHT"}, "Элемент к концу ячейки"},
          {"Justify_Self_Stretch", "stretch", nullptr, {"STRETCH", "NORMAL"}, "Элемент растянут по ячейке"}}},
        {Group::GridAutoFlow, "GRID-AUTO-FLOW", "grid-auto-flow", LayoutTarget::Container, LayoutGroup::Never,
         {{"Grid_Auto_Flow_Row", "row", nullptr, {"ROW"}, "Элементы заполняют сетку по строкам"},
          {"Grid_Auto_Flow_Column", "column", nullptr, {"COLUMN"}, "Элементы заполняют сетку по столбцам"}}},
        // The box's sizing and a picture's fit, on the page of sizes.
        {Group::BoxSizing, "BOX-SIZING", "box-sizing", LayoutTarget::None, LayoutGroup::Never,
         {{"BoxSizing_ContentBox", "content-box", nullptr, {"CONTENT-BOX"}, "Ширина и высота без полей и границ"},
          {"BoxSizing_BorderBox", "border-box", nullptr, {"BORDER-BOX"}, "Ширина и высота вместе с полями и границами"}}},
        {Group::ObjectFit, "OBJECT-FIT", "object-fit", LayoutTarget::None, LayoutGroup::Never,
         {{"ObjectFit_Fill", "fill", nullptr, {"FILL"}, "Картинка растянута на весь блок"},
          {"ObjectFit_Contain", "contain", nullptr, {"CONTAIN"}, "Картинка целиком, с сохранением пропорций"},
          {"ObjectFit_Cover", "cover", nullptr, {"COVER"}, "Картинка закрывает блок, лишнее обрезано"},
          {"ObjectFit_None", "none", nullptr, {"NONE"}, "Картинка в своём размере"},
          {"ObjectFit_ScaleDown", "scale-down", nullptr, {"SCALE-DOWN"}, "Картинка уменьшена, если не помещается"}}},
        // Text and block.
        {Group::WhiteSpace, "WHITE-SPACE", "white-space", LayoutTarget::None, LayoutGroup::Never,
         {{"WhiteSpace_Normal", "normal", nullptr, {"NORMAL"}, "Пробелы сливаются, строки переносятся"},
          {"WhiteSpace_NoWrap", "nowrap", nullptr, {"NOWRAP"}, "Текст в одну строку, без переносов"},
          {"WhiteSpace_Pre", "pre", nullptr, {"PRE"}, "Пробелы и строки как в тексте, без переносов"},
          {"WhiteSpace_PreWrap", "pre-wrap", nullptr, {"PRE-WRAP"}, "Пробелы и строки как в тексте, с переносами"},
          {"WhiteSpace_PreLine", "pre-line", nullptr, {"PRE-LINE"}, "Пробелы сливаются, строки как в тексте"}}},
        {Group::TextTransform, "TEXT-TRANSFORM", "text-transform", LayoutTarget::None, LayoutGroup::Never,
         {{"Text_Transform_None", "none", nullptr, {"NONE"}, "Буквы как в тексте"},
          {"Text_Transform_Uppercase", "uppercase", nullptr, {"UPPERCASE"}, "ВСЕ БУКВЫ ПРОПИСНЫЕ"},
          {"Text_Transform_Lowercase", "lowercase", nullptr, {"LOWERCASE"}, "все буквы строчные"},
          {"Text_Transform_Capitalize", "capitalize", nullptr, {"CAPITALIZE"}, "Каждое Слово С Прописной"}}},
        {Group::OverflowX, "OVERFLOW-X", "overflow-x", LayoutTarget::None, LayoutGroup::Never,
         {{"OverflowXVisible", "visible", nullptr, {"VISIBLE"}, "По ширине: выходящее видно"},
          {"OverflowXHidden", "hidden", nullptr, {"HIDDEN", "CLIP"}, "По ширине: выходящее обрезано"},
          {"OverflowXScroll", "scroll", nullptr, {"SCROLL"}, "По ширине: обрезано, всегда с прокруткой"},
          {"OverflowXAuto", "auto", nullptr, {"AUTO"}, "По ширине: прокрутка, когда нужна"}}},
        {Group::OverflowY, "OVERFLOW-Y", "overflow-y", LayoutTarget::None, LayoutGroup::Never,
         {{"OverflowYVisible", "visible", nullptr, {"VISIBLE"}, "По высоте: выходящее видно"},
          {"OverflowYHidden", "hidden", nullptr, {"HIDDEN", "CLIP"}, "По высоте: выходящее обрезано"},
          {"OverflowYScroll", "scroll", nullptr, {"SCROLL"}, "По высоте: обрезано, всегда с прокруткой"},
          {"OverflowYAuto", "auto", nullptr, {"AUTO"}, "По высоте: прокрутка, когда нужна"}}},
        {Group::BackgroundSize, "BACKGROUND-SIZE", "background-size", LayoutTarget::None, LayoutGroup::Never,
         {{"BackgroundSizeAuto", "auto", nullptr, {"AUTO", "AUTO AUTO"}, "Картинка фона в своём размере"},
          {"BackgroundSizeCover", "cover", nullptr, {"COVER"}, "Картинка закрывает весь блок"},
          {"BackgroundSizeContain", "contain", nullptr, {"CONTAIN"}, "Картинка целиком в блоке"}}},
        {Group::BackgroundClip, "BACKGROUND-CLIP", "background-clip", LayoutTarget::None, LayoutGroup::Never,
         {{"BackgroundClipBorderBox", "border-box", nullptr, {"BORDER-BOX"}, "Фон под границей и полями"},
          {"BackgroundClipPaddingBox", "padding-box", nullptr, {"PADDING-BOX"}, "Фон под полями, не под границей"},
          {"BackgroundClipContentBox", "content-box", nullptr, {"CONTENT-BOX"}, "Фон только под содержимым"},
          {"BackgroundClipText", "text", nullptr, {"TEXT"}, "Фон виден только сквозь буквы"}}},
    };
    return groups;
}

const LayoutGroup *layoutGroup(Group group)
{
    for (const LayoutGroup &g : layoutGroups()) {
        if (g.group == group)
            return &g;
    }
    return nullptr;
}

int layoutButtonShowing(const LayoutGroup &group, const QByteArray &upperValue)
{
    const QByteArray wanted = upperValue.simplified();
    for (int i = 0; i < group.buttons.size(); ++i) {
        if (group.buttons[i].shows.contains(wanted))
            return i;
    }
    return -1;
}

const QList<LayoutField> &layoutFields()
{
    static const QList<LayoutField> fields = {
        {Length::RowGap, "ROW-GAP", "row-gap"},       {Length::ColumnGap, "COLUMN-GAP", "column-gap"},
        {Length::FlexGrow, "FLEX-GROW", "flex-grow"}, {Length::FlexShrink, "FLEX-SHRINK", "flex-shrink"},
        {Length::FlexBasis, "FLEX-BASIS", "flex-basis"}, {Length::Order, "ORDER", "order"},
        {Length::MinWidth, "MIN-WIDTH", "min-width"},   {Length::MaxWidth, "MAX-WIDTH", "max-width"},
        {Length::MinHeight, "MIN-HEIGHT", "min-height"}, {Length::MaxHeight, "MAX-HEIGHT", "max-height"},
        {Length::ZIndex, "Z-INDEX", "z-index"},
    };
    return fields;
}

LayoutTarget layoutTargetOf(const QByteArray &key)
{
    for (const LayoutGroup &g : layoutGroups()) {
        if (g.key == key)
            return g.target;
    }
    static const QList<QByteArray> containers = {"ROW-GAP", "COLUMN-GAP", "GRID-TEMPLATE-COLUMNS",
                                                 "GRID-TEMPLATE-ROWS", "GRID-TEMPLATE-AREAS"};
    static const QList<QByteArray> items = {"FLEX-GROW", "FLEX-SHRINK", "FLEX-BASIS", "ORDER", "GRID-COLUMN", "GRID-ROW"};
    if (containers.contains(key))
        return LayoutTarget::Container;
    if (items.contains(key))
        return LayoutTarget::Item;
    return LayoutTarget::None;
}

QByteArray areasAsLines(const QByteArray &value)
{
    QList<QByteArray> lines;
    for (const QByteArray &word : valueWords(value.trimmed()))
        lines.append(word);
    return lines.join('\n');
}

QByteArray areasFromLines(const QByteArray &lines)
{
    QList<QByteArray> rows;
    for (QByteArray line : lines.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        // A row typed without its quotes gets them.
        if (!line.startsWith('"') && !line.startsWith('\'') && latinUpper(line) != "NONE" && !latinUpper(line).startsWith("VAR("))
            line = '"' + line.simplified() + '"';
        rows.append(line);
    }
    return rows.join(' ');
}
