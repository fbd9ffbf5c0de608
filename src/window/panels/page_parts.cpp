#include "window/panels/page_parts.h"

#include "window/panels/panel_controls.h"
#include "window/panels/property_icons.h"

#include "core/panels/layout_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

// The panel is 176 pixels wide: grids of buttons sit close together.
QGridLayout *tightGrid(QWidget *parent)
{
    auto *grid = parent ? new QGridLayout(parent) : new QGridLayout;
    grid->setSpacing(1);
    const int margin = parent ? 3 : 0;
    grid->setContentsMargins(margin, margin, margin, margin);
    return grid;
}

QGroupBox *makeGroup(QWidget *parent, const char *name, const char *title, const char *hint)
{
    auto *box = new QGroupBox(QString::fromUtf8(title), parent);
    box->setObjectName(QLatin1String(name));
    if (hint)
        setHint(box, QString::fromUtf8(hint));
    return box;
}

// Lays the buttons of one option group into a grid, row by row.
void addToggleGrid(QGridLayout *grid, int firstRow, int columns, PanelControls &controls, QWidget *parent,
                   const QList<ToggleDef> &defs)
{
    QList<QToolButton *> &group = controls.addGroup();
    for (int i = 0; i < defs.size(); ++i) {
        QToolButton *button =
            makeToggle(parent, QString::fromLatin1(defs[i].name), QString::fromUtf8(defs[i].hint), defs[i].icon);
        grid->addWidget(button, firstRow + i / columns, i % columns);
        group.append(button);
        controls.toggles.insert(button->objectName(), button);
    }
}

void addSwatchRow(QGridLayout *grid, int row, QWidget *parent, PanelControls &controls, const char *name,
                  const char *caption, const char *hint, const QColor &initial)
{
    auto *swatch = new ColorSwatch(parent);
    swatch->setObjectName(QLatin1String(name));
    swatch->setColor(initial);
    auto *check = new QCheckBox(QString::fromUtf8(caption), parent);
    check->setObjectName(QLatin1String(name) + QStringLiteral("Check"));
    if (hint) {
        setHint(swatch, QString::fromUtf8(hint));
        setHint(check, QString::fromUtf8(hint));
    }
    grid->addWidget(swatch, row, 0);
    grid->addWidget(check, row, 1);
    controls.swatches.insert(swatch->objectName(), swatch);
    controls.checks.insert(check->objectName(), check);
}


// A labelled length field in a form grid.
void addLengthRow(QGridLayout *grid, int row, QWidget *parent, PanelControls &controls, const char *name,
                  const char *label, const char *editHint, const char *stepperHint)
{
    auto *text = new QLabel(QString::fromUtf8(label), parent);
    const LengthField field =
        makeLengthField(parent, QString::fromLatin1(name), editHint ? QString::fromUtf8(editHint) : QString(),
                        stepperHint ? QString::fromUtf8(stepperHint) : QString());
    grid->addWidget(text, row, 0);
    grid->addWidget(field.container, row, 1);
    // Said as the group and the row: "Отступ границ от края блока: Сверху".
    const auto *group = qobject_cast<const QGroupBox *>(parent);
    nameLengthField(field, (group ? group->title().trimmed() + QStringLiteral(": ") : QString()) + text->text());
    controls.lengthFields.insert(field.edit->objectName(), field);
}

QWidget *makePage(QTabWidget *tabs, const char *name, const char *caption, QVBoxLayout *&layout)
{
    auto *scroll = new QScrollArea(tabs);
    scroll->setObjectName(QLatin1String(name));
    scroll->setAccessibleName(QString::fromUtf8(caption));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes straight to the page's controls; the page scrolls to show
    // the one that has the focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *content = new QWidget(scroll);
    layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    scroll->setWidget(content);
    tabs->addTab(scroll, QString::fromUtf8(caption));
    return content;
}


// A layout group's buttons from the core's table: a caption, then one row
// of buttons under it.
int addLayoutGroup(QGridLayout *grid, int row, PanelControls &controls, QWidget *parent, Group group,
                   const char *label)
{
    grid->addWidget(new QLabel(QString::fromUtf8(label), parent), row, 0, 1, 2);
    auto *buttons = tightGrid();
    QList<ToggleDef> defs;
    for (const LayoutButton &b : layoutGroup(group)->buttons)
        defs.append({b.name, b.hint, icons::layout(QLatin1String(b.name))});
    addToggleGrid(buttons, 0, 6, controls, parent, defs);
    buttons->setColumnStretch(6, 1);
    grid->addLayout(buttons, row + 1, 0, 1, 2);
    return row + 2;
}

// A text field under its caption, the whole width of the group.
int addTextRow(QGridLayout *grid, int row, QWidget *parent, PanelControls &controls, TextField field,
               const char *label, const char *hint)
{
    grid->addWidget(new QLabel(QString::fromUtf8(label), parent), row, 0, 1, 2);
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(textFieldName(field)));
    setHint(edit, QString::fromUtf8(hint));
    edit->setAccessibleName(QString::fromUtf8(label));
    grid->addWidget(edit, row + 1, 0, 1, 2);
    controls.textFields.insert(edit->objectName(), edit);
    return row + 2;
}


// A number field: a length field without its unit button, whose place is
// kept so its edit lines up with the lengths above and below.
void hideUnit(const LengthField &field)
{
    QSizePolicy policy = field.unit->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    field.unit->setSizePolicy(policy);
    field.unit->hide();
}

// The layout page's groups hold rows of six buttons: narrower side margins.
QGridLayout *narrowGrid(QWidget *parent)
{
    QGridLayout *grid = tightGrid(parent);
    grid->setContentsMargins(1, 3, 1, 3);
    return grid;
}


QComboBox *addKeywordBox(QGridLayout *grid, int row, QWidget *parent, PanelControls &controls, KeywordBox kind,
                         const char *label, const char *hint, bool editable)
{
    grid->addWidget(new QLabel(QString::fromUtf8(label), parent), row, 0);
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(keywordBoxName(kind)));
    box->setEditable(editable);
    box->addItem(QString());
    for (const QByteArray &item : keywordBoxItems(kind))
        box->addItem(QString::fromLatin1(item));
    box->setMinimumContentsLength(6);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setHint(box, QString::fromUtf8(hint));
    box->setAccessibleName(QString::fromUtf8(label));
    grid->addWidget(box, row, 1, 1, 2);
    controls.keywordBoxes.insert(box->objectName(), box);
    return box;
}

