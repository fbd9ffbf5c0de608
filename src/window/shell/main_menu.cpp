#include "window/shell/main_form.h"
#include "window/shell/encoding_button.h"
#include "window/shell/recent_menu.h"

#include "core/editor/editor.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

void TMainForm::buildMainMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    bar->setAccessibleName(QStringLiteral("Главное меню"));
    const ActionCatalog &a = *m_actions;
    // Each title carries a mnemonic, so Alt and its letter open it.
    auto menu = [&](const char *name, const QString &title) {
        QMenu *m = bar->addMenu(title);
        m->setObjectName(QLatin1String(name));
        m->setAccessibleName(QString(title).remove(QLatin1Char('&')));
        return m;
    };

    QMenu *file = menu("FileMenu", QStringLiteral("&Файл"));
    file->addAction(a["New"]);
    file->addSeparator();
    file->addAction(a["OpenFile"]);
    file->addMenu(new RecentMenu(
        m_editor->files().recent(),
        [this](const QString &path) {
            const QString word = m_editor->files().OpenRecentExecute(path);
            if (!word.isEmpty())
                statusBar()->showMessage(word, 10000);
        },
        file));
    file->addActions({a["Save"], a["SaveAs"], a["OpenHomePage"]});
    file->addSeparator();
    file->addAction(a["QuitQuillbox"]);

    QMenu *edit = menu("EditMenu", QStringLiteral("&Правка"));
    edit->addActions({a["BackEdit"], a["ForeEdit"]});
    edit->addSeparator();
    edit->addActions({a["EditCut"], a["EditCopy"], a["EditPaste"]});
    edit->addSeparator();
    QAction *clear = edit->addAction(QStringLiteral("Очистить стиль"));
    clear->setObjectName(QStringLiteral("N25"));

    QMenu *browser = menu("BrowserMenu", QStringLiteral("&Браузер"));
    browser->addActions({a["GotoBack"], a["GotoForward"]});
    browser->addSeparator();
    browser->addActions({a["OpenHomePage"], a["SaveHomePage"], a["GoNavigatorToLINK_HTML"], a["SiteFolder"]});
    browser->addSeparator();
    // The menu names the editor command in its own words; the tool button
    // keeps the action's caption.
    QAction *toEditor = browser->addAction(QStringLiteral("Загрузить HTML для редактирования"));
    toEditor->setObjectName(QStringLiteral("ActionToEditorItem"));
    toEditor->setIcon(a["ActionToEditor"]->icon());
    toEditor->setToolTip(a["ActionToEditor"]->toolTip());
    toEditor->setStatusTip(a["ActionToEditor"]->statusTip());
    connect(toEditor, &QAction::triggered, a["ActionToEditor"], &QAction::trigger);
    connect(a["ActionToEditor"], &QAction::changed, toEditor,
            [toEditor, source = a["ActionToEditor"]] { toEditor->setEnabled(source->isEnabled()); });
    browser->addAction(a["ActionFormEditor"]);
    browser->addSeparator();
    browser->addActions({a["RefreshView"], a["StopNavigate"], a["AutoRefreshAction"]});
    browser->addSeparator();
    browser->addActions({a["HighlightMatches"], a["PickElement"], a["ElementRules"]});

    if (auto *states = findChild<QMenu *>(QStringLiteral("ForceStateMenu")))
        browser->addMenu(states);

    QMenu *view = menu("ViewMenu", QStringLiteral("&Вид"));
    view->addActions({a["FloatPanel"], a["AutoRefreshAction"], a["UnusedRules"]});
    view->addSeparator();
    view->addAction(a["RefreshView"]);

    QMenu *style = menu("StyleMenu", QStringLiteral("&Стиль"));
    style->addActions({a["NewStyle"], a["StyleDelete"], a["StyleRename"]});
    style->addSeparator();
    style->addActions({a["StyleUp"], a["StyleDown"], a["StyleSorted"]});
    style->addSeparator();
    style->addAction(a["KeepUntouchedLayout"]);
    // The encoding the status bar offers, for the keyboard too.
    if (auto *encoding = findChild<EncodingButton *>(QStringLiteral("EncodingLabel")))
        style->addMenu(encoding->menu());

    QAction *integration = bar->addAction(QStringLiteral("&Интеграция"));
    integration->setObjectName(QStringLiteral("N36"));

    QMenu *help = menu("HelpMenu", QStringLiteral("П&омощь"));
    help->addAction(a["SendMailToAutor"]);
    QAction *home = help->addAction(QStringLiteral("Домашняя страница"));
    home->setObjectName(QStringLiteral("N32"));
    help->addSeparator();
    help->addAction(a["HelpAbout"]);
}
