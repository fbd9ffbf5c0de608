// The selector constructor's window: a fixed 582 x 329 client area, tag
// lists on the left, the selector and its details, the list buttons and
// the result list to the right, the help line along the bottom.
#include "window/stylelist/create_selector.h"
#include "window/shell/desktop_colours.h"

#include "window/shell/icon_factory.h"
#include "window/panels/panel_widgets.h"
#include "core/stylelist/tag_catalog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>

namespace {

QLabel *makeTitle(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;")
                             .arg(desktop_colours::title(label->palette()).name()));
    label->setGeometry(geometry);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QString &hint,
                        const QIcon &icon, bool bold)
{
    auto *button = new QPushButton(icon, caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    setHint(button, hint);
    // The icon stands to the right of the caption.
    button->setLayoutDirection(Qt::RightToLeft);
    if (bold) {
        QFont font = button->font();
        font.setBold(true);
        button->setFont(font);
    }
    return button;
}

QListWidget *makePseudoList(QWidget *parent, const char *name, const QStringList &items, const QString &hint)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->addItems(items);
    setHint(list, hint);
    return list;
}

} // namespace

TCreateSelector::TCreateSelector(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("CreateSelector"));
    setWindowTitle(QStringLiteral("CreateSelector"));
    setModal(true);
    setFixedSize(582, 329);

    makeTitle(this, "Label1", QStringLiteral("Список тегов HTML"), QRect(6, 4, 176, 16));
    buildTagPages()->setGeometry(4, 22, 178, 274);

    makeTitle(this, "Label2", QStringLiteral("Текущий селектор"), QRect(188, 4, 174, 16));
    m_currentSelector = new QLineEdit(this);
    m_currentSelector->setObjectName(QStringLiteral("CurrentSelector"));
    m_currentSelector->setGeometry(186, 22, 176, 22);
    setHint(m_currentSelector, QStringLiteral("Допускается автосоздание или ввод с клавиатуры"));
    buildDetails()->setGeometry(186, 48, 176, 248);

    buildResultButtons();

    makeTitle(this, "Label7", QStringLiteral("Итоговый селектор"), QRect(464, 4, 116, 16));
    m_itog = new QListWidget(this);
    m_itog->setObjectName(QStringLiteral("Itog"));
    m_itog->setAccessibleName(QStringLiteral("Итоговые селекторы"));
    m_itog->setGeometry(464, 22, 114, 206);

    auto *ok = new QPushButton(QStringLiteral("Готово"), this);
    ok->setObjectName(QStringLiteral("Ok"));
    QFont bold = ok->font();
    bold.setBold(true);
    ok->setFont(bold);
    ok->setDefault(true);
    setHint(ok, QStringLiteral("Завершение работы мастера"));
    ok->setGeometry(464, 236, 114, 27);
    auto *cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setAutoDefault(false);
    setHint(cancel, QStringLiteral("Отменить создание"));
    cancel->setGeometry(464, 268, 114, 27);
    connect(ok, &QPushButton::clicked, this, &TCreateSelector::OkClick);
    connect(cancel, &QPushButton::clicked, this, &TCreateSelector::CancelClick);

    m_labelHint = makeTitle(this, "LabelHint", QStringLiteral("Строка подсказки"), QRect(6, 300, 572, 27));
    m_labelHint->setWordWrap(true);

    m_tagSource = new QListWidget(this);
    m_tagSource->setObjectName(QStringLiteral("TagSource"));
    m_tagSource->setAccessibleName(QStringLiteral("Описания тегов"));
    m_tagSource->addItems(tags::tagSource());
    m_tagSource->hide();

    bindHandlers();
}

QWidget *TCreateSelector::buildTagPages()
{
    // The page control shows its six tabs in two rows.
    auto *control = new QWidget(this);
    control->setObjectName(QStringLiteral("PageControl1"));
    m_pageTabs = new QButtonGroup(control);
    m_pages = new QStackedWidget(control);
    const QList<tags::Page> &pages = tags::pages();
    for (int i = 0; i < pages.size(); ++i) {
        auto *tab = new QToolButton(control);
        tab->setText(pages[i].caption);
        tab->setCheckable(true);
        tab->setAutoRaise(true);
        tab->setFocusPolicy(Qt::NoFocus);
        m_pageTabs->addButton(tab, i);
        m_tagLists.append(makeTagList(m_pages, pages[i].listName, pages[i].items));
        // Each list is said as the page it stands on.
        m_tagLists.last()->setAccessibleName(QStringLiteral("Теги: ") + QString(pages[i].caption).remove(QLatin1Char('&')));
        m_pages->addWidget(m_tagLists.last());
    }
    // Each row of three tabs: the captions' widths and an equal share of
    // the room left.
    for (int row = 0; row < 2; ++row) {
        int textWidth = 0;
        for (int i = row * 3; i < row * 3 + 3; ++i)
            textWidth += m_pageTabs->button(i)->fontMetrics().horizontalAdvance(pages[i].caption);
        const int share = (178 - textWidth) / 3;
        int x = 0;
        for (int i = row * 3; i < row * 3 + 3; ++i) {
            QAbstractButton *tab = m_pageTabs->button(i);
            const int width =
                i % 3 == 2 ? 178 - x : tab->fontMetrics().horizontalAdvance(pages[i].caption) + share;
            tab->setGeometry(x, row * 21, width, 21);
            x += width;
        }
    }
    m_pages->setGeometry(0, 44, 178, 230);
    connect(m_pageTabs, &QButtonGroup::idClicked, m_pages, &QStackedWidget::setCurrentIndex);
    // "Текст" is the page the dialog first opens on.
    m_pageTabs->button(1)->setChecked(true);
    m_pages->setCurrentIndex(1);
    return control;
}

QListWidget *TCreateSelector::makeTagList(QWidget *parent, const char *name, const QStringList &items)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->addItems(items);
    // Two columns side by side; the items run down and then on.
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setGridSize(QSize(86, list->fontMetrics().height() + 3));
    list->setMouseTracking(true);
    list->viewport()->installEventFilter(this);
    desktop_colours::setLightGround(list, Qt::white);
    return list;
}

QWidget *TCreateSelector::buildDetails()
{
    auto *box = new QGroupBox(QStringLiteral("и его детализация"), this);
    box->setObjectName(QStringLiteral("GroupBox1"));
    box->setStyleSheet(QStringLiteral("QGroupBox#GroupBox1 { color: %1; font-weight: bold; }")
                           .arg(desktop_colours::accentTitle(box->palette()).name()));
    auto addLabel = [box](const char *name, const QString &text, int x, int y) {
        auto *label = new QLabel(text, box);
        label->setObjectName(QLatin1String(name));
        label->move(x, y);
    };
    auto addCombo = [box](const char *name, const QString &hint, int y) {
        auto *combo = new QComboBox(box);
        combo->setObjectName(QLatin1String(name));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setGeometry(8, y, 160, 22);
        setHint(combo, hint);
        return combo;
    };
    addLabel("Label4", QStringLiteral("#ID"), 8, 20);
    m_comboId = addCombo("ComboID", QStringLiteral("ID-селектор. Часто используют в документах блочной структуры"), 36);
    addLabel("Label3", QStringLiteral(".class"), 8, 62);
    m_comboClass =
        addCombo("ComboClass", QStringLiteral("Имя класса. Практически любой элемент может быть классифицирован."), 78);
    addLabel("Label5", QStringLiteral("Псевдоэлемент"), 8, 106);
    m_pseudoElement =
        makePseudoList(box, "psevdoelement", SelectorBuilder::pseudoElements(),
                       QStringLiteral("Псевдоэлемент используют для различного описания отдельных частей селектора"));
    m_pseudoElement->setGeometry(8, 122, 84, 118);
    addLabel("Label6", QStringLiteral("Псевдокласс"), 96, 106);
    m_pseudoClass = makePseudoList(box, "psevdoclass", SelectorBuilder::pseudoClasses(),
                                   QStringLiteral("Псевдокласс используют для различного описания состояний селектора"));
    m_pseudoClass->setGeometry(96, 122, 72, 118);
    return box;
}

void TCreateSelector::buildResultButtons()
{
    struct Def {
        const char *name;
        QString caption;
        QString hint;
        const char *theme;
        const char *glyph;
        bool bold;
    };
    const Def defs[] = {
        {"AddElement", QStringLiteral("Добавить"), QStringLiteral("Добавление в итоговый селектор"), "list-add", "+", true},
        {"AddPotomok", QStringLiteral("...потомка"), QStringLiteral("Потомок - это элемент, созданный внутри предка"),
         "go-next", "→", false},
        {"AddSosed", QStringLiteral(".....соседа"),
         QStringLiteral("Сосед - это сестринский элемент (идущий на одном уровне вложенности)"), "go-last", "+", false},
        {"SpeedButton1", QString(), QStringLiteral("Вверх"), "go-up", "↑", false},
        {"SpeedButton2", QString(), QStringLiteral("Вниз"), "go-down", "↓", false},
        {"Del", QStringLiteral("Удалить"), QStringLiteral("Удаление текущего селектора"), "list-remove", "−", true},
        {"DelPotomok", QStringLiteral("...потомка"), QStringLiteral("Удаление потомка в текущем селекторе"),
         "go-previous", "←", false},
        {"DelSosed", QStringLiteral(".....соседа"), QStringLiteral("Удаление соседа в текущем селекторе"), "go-first",
         "−", false},
    };
    int y = 22;
    for (const Def &def : defs) {
        QPushButton *button =
            makeButton(this, def.name, def.caption, def.hint, icons::themed(def.theme, QString::fromUtf8(def.glyph)),
                       def.bold);
        const bool arrow = def.caption.isEmpty();
        const bool down = QLatin1String(def.name) == QLatin1String("SpeedButton2");
        button->setGeometry(down ? 415 : 366, y, arrow ? 45 : 94, 27);
        if (!arrow || down)
            y += 31;
        if (down)
            y += 4;
        m_resultButtons.append(button);
    }
}
