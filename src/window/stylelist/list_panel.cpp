#include "window/stylelist/list_panel.h"
#include "window/shell/desktop_colours.h"

#include "window/shell/action_catalog.h"
#include "window/panels/panel_controls.h"
#include "window/panels/panel_widgets.h"
#include "window/panels/property_pages.h"
#include "window/stylelist/rule_filter_field.h"
#include "window/stylelist/style_list_widget.h"

#include <QHBoxLayout>
#include <QLabel>

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

ListPanel buildListPanel(QWidget *parent, const ActionCatalog &actions, PanelControls &controls)
{
    ListPanel result;
    result.panel = new QWidget(parent);
    result.panel->setObjectName(QStringLiteral("PanelList"));
    result.panel->setMinimumWidth(176);
    auto *layout = new QVBoxLayout(result.panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto *bar = new QToolBar(result.panel);
    bar->setObjectName(QStringLiteral("ToolBar5"));
    bar->setAccessibleName(QStringLiteral("Действия со стилями"));
    bar->setIconSize(QSize(16, 16));
    for (const char *name : {"NewStyle", "StyleRename", "StyleDelete", "StyleUp", "StyleDown", "StyleSorted"})
        bar->addAction(actions[name]);
    layout->addWidget(bar);

    auto *filterRow = new QHBoxLayout;
    filterRow->setContentsMargins(2, 0, 2, 0);
    result.filter = new RuleFilterField(result.panel);
    result.filterCount = new QLabel(result.panel);
    result.filterCount->setObjectName(QStringLiteral("RuleFilterCount"));
    result.filterCount->setAccessibleName(QStringLiteral("Показано правил"));
    filterRow->addWidget(result.filter, 1);
    filterRow->addWidget(result.filterCount);
    layout->addLayout(filterRow);

    result.list = new StyleListWidget(result.panel);
    result.list->setObjectName(QStringLiteral("ListTag"));
    result.list->setAccessibleName(QStringLiteral("Список стилей"));
    QPalette pal = result.list->palette();
    pal.setColor(QPalette::Base, desktop_colours::listGround(pal));
    result.list->setPalette(pal);
    layout->addWidget(result.list, 1);

    result.rename = new QLineEdit(result.list->viewport());
    result.rename->setObjectName(QStringLiteral("RenameField"));
    setHint(result.rename, QStringLiteral("Переименование стиля"));
    result.rename->hide();

    QTabWidget *pages = buildPropertyPages(result.panel, controls);
    layout->addWidget(pages, 2);
    return result;
}
