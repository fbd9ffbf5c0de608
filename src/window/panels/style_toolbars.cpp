#include "window/panels/style_toolbars.h"

#include "window/shell/action_catalog.h"
#include "window/shell/icon_factory.h"
#include "window/panels/panel_controls.h"
#include "window/panels/property_icons.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct ToggleDef {
    const char *name;
    const char *hint;
    QIcon icon;
};

QToolBar *makeToolBar(QWidget *parent, const char *name)
{
    auto *bar = new QToolBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setIconSize(QSize(16, 16));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(28);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->layout()->setSpacing(0);
    return bar;
}

QComboBox *makeFontBox(QWidget *parent, const char *name, int width, const QStringList &items, const char *hint)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(20);
    box->addItems(items);
    box->setFixedWidth(width);
    setHint(box, QString::fromUtf8(hint));
    setInUse(box, false);
    return box;
}

void addGroup(QToolBar *bar, PanelControls &controls, const QList<ToggleDef> &defs)
{
    bar->addSeparator();
    QList<QToolButton *> &group = controls.addGroup();
    for (const ToggleDef &def : defs) {
        QToolButton *button =
            makeToggle(bar, QString::fromLatin1(def.name), QString::fromUtf8(def.hint), def.icon);
        bar->addWidget(button);
        group.append(button);
        controls.toggles.insert(button->objectName(), button);
    }
}

const char *const kLengthHintTail =
    "|Установите кнопками или введите с клавиатуры любое число. Двойной щелчек стирает параметр.";

} // namespace

QWidget *buildStyleToolbars(QWidget *parent, const ActionCatalog &actions, PanelControls &controls)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("PanelToolStyle"));
    panel->setFixedHeight(84);
    auto *rows = new QVBoxLayout(panel);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);

    // First row: files and fonts.
    QToolBar *bar4 = makeToolBar(panel, "ToolBar4");
    bar4->setAccessibleName(QStringLiteral("Файл и шрифт"));
    bar4->addAction(actions["New"]);
    bar4->addAction(actions["OpenFile"]);
    bar4->addAction(actions["Save"]);
    bar4->addSeparator();
    const QStringList families = {QStringLiteral("Шрифт выкл."), QStringLiteral("serif"), QStringLiteral("san-serif"),
                                  QStringLiteral("cursive"), QStringLiteral("fantasy"), QStringLiteral("monospace")};
    controls.fontFamily = makeFontBox(bar4, "Font_Family", 140, families, "Тип шрифта|Выбор используемой гарнитуры шрифта");
    controls.fontFamily2 =
        makeFontBox(bar4, "Font_Family2", 120, families,
                    "Альтернативый тип шрифта|Этот тип шрифта будет использован если первый тип недоступен");
    controls.fontFamily2->setEnabled(false);
    QStringList weights = {QStringLiteral("Толщина не задана"), QStringLiteral("normal"), QStringLiteral("bold"),
                           QStringLiteral("bolder"), QStringLiteral("lighter")};
    for (int w = 100; w <= 900; w += 100)
        weights.append(QString::number(w));
    controls.fontWeight = makeFontBox(bar4, "Font_Weight", 140, weights,
                                      "Толщина шрифта|Выбор \"жирности\" начертания шрифта. Только Normal и Bold "
                                      "поддерживают все браузеры ");
    const QStringList sizes = {QStringLiteral("выкл."), QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("12"),
                               QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20"),
                               QStringLiteral("24"), QStringLiteral("xx-small"), QStringLiteral("x-small"),
                               QStringLiteral("small"), QStringLiteral("medium"), QStringLiteral("large"),
                               QStringLiteral("x-large"), QStringLiteral("xx-large"), QStringLiteral("larger"),
                               QStringLiteral("smaller")};
    controls.fontSize = makeFontBox(bar4, "Font_Size", 72, sizes, "Размер шрифта|Выбор или ввод с клавиатуры размера шрифта");
    controls.fontSizeUnit = makeUnitButton(bar4, QStringLiteral("Font_Size_"));
    for (QWidget *w : {static_cast<QWidget *>(controls.fontFamily), static_cast<QWidget *>(controls.fontFamily2),
                       static_cast<QWidget *>(controls.fontWeight), static_cast<QWidget *>(controls.fontSize),
                       static_cast<QWidget *>(controls.fontSizeUnit)})
        bar4->addWidget(w);

    // Second row: clipboard and the four text spacing fields.
    QToolBar *bar3 = makeToolBar(panel, "ToolBar3");
    bar3->setAccessibleName(QStringLiteral("Правка и отступы текста"));
    bar3->addAction(actions["EditCut"]);
    bar3->addAction(actions["EditCopy"]);
    bar3->addAction(actions["EditPaste"]);
    bar3->addSeparator();
    struct SpacingDef {
        const char *name;
        const char *label;
        const char *glyph;
    };
    const SpacingDef spacing[] = {
        {"Text_Indent", "Отступ первой строки", "⇥"},
        {"Line_Height", "Расстояние между строками (интерлиньяж)", "↕"},
        {"Word_Spacing", "Расстояние между словами", "a b"},
        {"Letter_Spacing", "Расстояние между буквами", "ab"},
    };
    for (const SpacingDef &def : spacing) {
        const QString label = QString::fromUtf8(def.label);
        auto *icon = new QLabel(bar3);
        icon->setPixmap(icons::glyph(QString::fromUtf8(def.glyph)).pixmap(16, 16));
        icon->setToolTip(label);
        bar3->addWidget(icon);
        const LengthField field = makeLengthField(bar3, QString::fromLatin1(def.name),
                                                  label + QString::fromUtf8(kLengthHintTail), label);
        bar3->addWidget(field.container);
        controls.lengthFields.insert(field.edit->objectName(), field);
    }
    // The letters' case, beside the text's spacing: the third row is full.
    addGroup(bar3, controls,
             {{"Text_Transform_None", "Буквы как в тексте (text-transform: none)", icons::glyph(QStringLiteral("Ab"))},
              {"Text_Transform_Uppercase", "ВСЕ ПРОПИСНЫЕ (uppercase)", icons::glyph(QStringLiteral("AB"))},
              {"Text_Transform_Lowercase", "все строчные (lowercase)", icons::glyph(QStringLiteral("ab"))},
              {"Text_Transform_Capitalize", "Каждое Слово С Прописной (capitalize)",
               icons::glyph(QStringLiteral("Aa"), true)}});

    // Third row: history, bold and the text option groups.
    QToolBar *bar2 = makeToolBar(panel, "ToolBar2");
    bar2->setAccessibleName(QStringLiteral("Начертание и выравнивание"));
    bar2->addAction(actions["BackEdit"]);
    bar2->addAction(actions["ForeEdit"]);
    bar2->addSeparator();
    controls.fontSizeBold = makeToggle(bar2, QStringLiteral("Font_Size_Bold"),
                                       QStringLiteral("Полужирный|Полужирное начертание шрифт    (Font-weight: bold;)"),
                                       icons::glyph(QStringLiteral("B"), true));
    bar2->addWidget(controls.fontSizeBold);
    addGroup(bar2, controls,
             {{"Font_Style_Normal", "Прямое начертание шрифта", icons::glyph(QStringLiteral("N"))},
              {"Font_Style_Italic", "Курсив", icons::glyph(QStringLiteral("I"), true, true)}});
    addGroup(bar2, controls,
             {{"Text_decoration_UnderLine", "Подчеркивание", icons::decoration(icons::Decoration::UnderLine)},
              {"Text_decoration_LineThrough", "Зачеркивание", icons::decoration(icons::Decoration::LineThrough)},
              {"Text_decoration_OverLine", "Надчеркивание", icons::decoration(icons::Decoration::OverLine)},
              {"Text_decoration_Blink", "Мигание (не рекомендуется)", icons::decoration(icons::Decoration::Blink)},
              {"Text_decoration_None", "Нет декорации шрифта", icons::decoration(icons::Decoration::None)}});
    addGroup(bar2, controls,
             {{"Font_Variant_Normal", "Обычный вариант шрифта", icons::glyph(QStringLiteral("Aa"))},
              {"Font_Variant_SmallCaps", "вариант \"капитель\" (уменьшенные прописные буквы)",
               icons::glyph(QStringLiteral("AA"))}});
    addGroup(bar2, controls,
             {{"Text_Align_Left", "Выравнивание \"влево\"", icons::textAlign(icons::Align::Left)},
              {"Text_Align_Center", "Выравнивание \"по центру\"", icons::textAlign(icons::Align::Center)},
              {"Text_Align_Right", "Выравнивание \"вправо\"", icons::textAlign(icons::Align::Right)},
              {"Text_Align_Justify", "Выравнивание \"по ширине\"", icons::textAlign(icons::Align::Justify)}});
    addGroup(bar2, controls,
             {{"Vertical_Align_Bottom", "Выровнять по низу линейный блок", icons::verticalAlign(icons::VAlign::Bottom)},
              {"Vertical_Align_TextBottom", "Выровнять по низу текста", icons::verticalAlign(icons::VAlign::TextBottom)},
              {"Vertical_Align_Sub", "Нижний индекс", icons::verticalAlign(icons::VAlign::Sub)},
              {"Vertical_Align_Baseline", "Выровнять по базовой линии (рекомендуется)", icons::verticalAlign(icons::VAlign::Baseline)},
              {"Vertical_Align_Middle", "Выровнять по центру (вертикально)", icons::verticalAlign(icons::VAlign::Middle)},
              {"Vertical_Align_Super", "Верхний индекс", icons::verticalAlign(icons::VAlign::Super)},
              {"Vertical_Align_TextTop", "Выровнять по верху текста", icons::verticalAlign(icons::VAlign::TextTop)},
              {"Vertical_Align_Top", "Выровнять по верху линейный блок", icons::verticalAlign(icons::VAlign::Top)}});

    rows->addWidget(bar4);
    rows->addWidget(bar3);
    rows->addWidget(bar2);
    return panel;
}
