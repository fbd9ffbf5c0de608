// The window's side of the editor: dialogs, the focus sink, the caption,
// and the widgets that mirror the core's state.
#include "window/shell/main_form.h"
#include "window/shell/viewer_turns.h"

#include "window/shell/file_dialogs.h"

#include "window/stylelist/color_form.h"
#include "window/stylelist/create_selector.h"
#include "window/panels/length_field_handlers.h"
#include "window/shell/memo_binding.h"
#include "window/panels/panel_binder.h"
#include "window/panels/all_props_page.h"
#include "window/panels/variables_page.h"
#include "window/stylelist/rule_filter_field.h"
#include "window/stylelist/style_list_widget.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <memory>
#include <QPointer>
#include <QScrollBar>
#include <QStatusBar>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusTipEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QWidgetAction>
#include <QTextEdit>
#include <QWebEngineView>
#include <QComboBox>

void TMainForm::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void TMainForm::moveFocusToSink()
{
    m_focusSink->setFocus(Qt::OtherFocusReason);
}

std::optional<QString> TMainForm::chooseSheetToOpen(const QString &folder)
{
    return FileDialogs::choose(m_fileDialogs->openCss(), folder);
}

std::optional<QString> TMainForm::chooseSheetToSaveAs(const QString &folder)
{
    return FileDialogs::choose(m_fileDialogs->saveCss(), folder);
}

QByteArray TMainForm::createSelector(const QByteArray &existingSelectorList)
{
    TCreateSelector *dialog = createSelector();
    dialog->setExistingSelectorList(store().codec().decode(existingSelectorList));
    dialog->exec();
    return store().codec().encode(dialog->createdSelector());
}

void TMainForm::beginLongWork(const QString &whatIsDone)
{
    // Painted at once: the work that follows keeps the event loop busy.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_hintPanel->setText(whatIsDone);
    m_hintPanel->repaint();
}

void TMainForm::endLongWork()
{
    QGuiApplication::restoreOverrideCursor();
    m_hintPanel->clear();
}

bool TMainForm::htmlEditorHasFocus() const
{
    return m_viewer.html->hasFocus();
}

void TMainForm::bindEditor()
{
    SheetStore &s = store();
    const ActionCatalog &a = *m_actions;
    // Text typed into the rule is a change of the sheet: closing must ask.
    // It also offers the button that reads the typed text into the panels.
    bindRuleMemo(&s.memo(), m_viewer.cssMemo, s.codec(), [this, &s] {
        s.setSheetModified(true);
        m_editor->panels().applyButtonVisible = true;
        m_editor->panels().notify();
    });
    bindSheetView(&m_editor->sheetView(), m_viewer.hcssMemo, s.codec());
    m_editor->showDiskSheet = [this] { showLines(m_viewer.diskMemo, store().diskLines(), store().codec()); };
    // A load refreshes the disk view only while it is shown; turning to it
    // reads the copy again anyway.
    m_editor->files().sheetReadFromDisk = [this] {
        if (m_viewer.viewer->currentWidget() == m_viewer.diskMemo->parentWidget())
            m_editor->showDiskSheet();
    };
    // Another program's change to the file is looked at when the window
    // comes back to the front, too: a watcher misses a file replaced by a
    // rename.
    m_editor->files().tellStatus = [this](const QString &text) { statusBar()->showMessage(text, 10000); };
    // A file taken again leaves the views where they stood.
    auto scrolled = std::make_shared<QList<std::pair<QPointer<QScrollBar>, int>>>();
    m_editor->files().takingFile = [this, scrolled] {
        scrolled->clear();
        for (QAbstractScrollArea *view : std::initializer_list<QAbstractScrollArea *>{
                 m_viewer.hcssMemo, m_viewer.diskMemo, m_viewer.cssMemo, m_listPanel.list}) {
            for (QScrollBar *bar : {view->verticalScrollBar(), view->horizontalScrollBar()})
                scrolled->append({bar, bar->value()});
        }
    };
    m_editor->files().fileTaken = [scrolled] {
        for (const auto &[bar, value] : std::as_const(*scrolled)) {
            if (bar)
                bar->setValue(value);
        }
    };
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            m_editor->files().DiskChanged();
    });
    // Only the user's own turn of the page refreshes what it shows. A click
    // on a tab also puts the user in that page: its text takes the focus,
    // so Ctrl+F finds there.
    new ViewerTurns(
        m_viewer.viewer, [this](int index) { m_editor->ViewerChange(static_cast<Editor::ViewerPage>(index)); },
        [this](int index) {
            QWidget *page = m_viewer.viewer->widget(index);
            for (QWidget *text : {static_cast<QWidget *>(m_viewer.cssMemo), static_cast<QWidget *>(m_viewer.hcssMemo),
                                  static_cast<QWidget *>(m_viewer.diskMemo), static_cast<QWidget *>(m_viewer.html)}) {
                if (page && page->isAncestorOf(text))
                    text->setFocus(Qt::TabFocusReason);
            }
        });

    auto history = [this, &a] {
        a["BackEdit"]->setEnabled(store().backEditEnabled());
        a["ForeEdit"]->setEnabled(store().foreEditEnabled());
    };
    connect(&s, &SheetStore::historyActionsChanged, this, history);
    history();

    SheetFiles &files = m_editor->files();
    connect(a["New"], &QAction::triggered, this, [&files] { files.NewExecute(); });
    connect(a["OpenFile"], &QAction::triggered, this, [&files] { files.OpenFileExecute(); });
    connect(a["Save"], &QAction::triggered, this, [&files] { files.SaveExecute(); });
    connect(a["SaveAs"], &QAction::triggered, this, [&files] { files.SaveAsExecute(); });
    connect(a["AutoRefreshAction"], &QAction::toggled, this,
            [this](bool on) { m_editor->commit().setAutoRefresh(on); });
    connect(a["AutoRefreshAction"], &QAction::triggered, this, [this](bool on) {
        if (on)
            m_editor->preview().RefreshViewExecute();
    });
    // The current sheet view shows what the next save writes.
    connect(a["KeepUntouchedLayout"], &QAction::toggled, this, [this](bool keep) {
        store().setKeepUntouchedLayout(keep);
        store().RegenerateSheet();
        m_editor->commit().RefreshSheetView();
    });
    connect(a["RefreshView"], &QAction::triggered, this, [this] { m_editor->preview().RefreshViewExecute(); });
    connect(a["BackEdit"], &QAction::triggered, this, [this] { m_editor->undoRedo().BackEditExecute(); });
    connect(a["ForeEdit"], &QAction::triggered, this, [this] { m_editor->undoRedo().ForeEditExecute(); });
}

void TMainForm::bindPanels()
{
    m_panelBinder = new PanelBinder(*m_editor, m_controls, m_viewer.btnStyleUpdate, m_fontOffTimer, this);
    m_lengthHandlers = new LengthFieldHandlers(*m_editor, m_controls, m_unitChooser, m_unitTimer, this);
    m_panelBinder->chooseColor = [this](Rgb start) -> std::optional<Rgb> {
        TColorForm *picker = colorForm();
        picker->setStartColor(QColor(start.r, start.g, start.b));
        picker->exec();
        const int chosen = picker->chosenColor();
        if (chosen < 0)
            return std::nullopt;
        return Rgb{quint8(chosen >> 16), quint8(chosen >> 8), quint8(chosen)};
    };
    auto *variables = new VariablesPage(*m_editor);
    findChild<QTabWidget *>(QStringLiteral("TABPANEL"))->addTab(variables, QStringLiteral("Переменные"));
    variables->chooseColor = m_panelBinder->chooseColor;
    variables->tellError = [this](const QString &text) {
        questioner().tell(text, QStringLiteral("Quillbox"), Questioner::Icon::Error);
    };
    auto *allProps = new AllPropsPage(*m_editor);
    findChild<QTabWidget *>(QStringLiteral("TABPANEL"))->addTab(allProps, QStringLiteral("Все свойства"));
    allProps->chooseColor = m_panelBinder->chooseColor;
    allProps->tellError = variables->tellError;
    allProps->showMessage = [this](const QString &text) { statusBar()->showMessage(text, 10000); };
    m_panelBinder->choosePicture = [this]() -> std::optional<QString> {
        return FileDialogs::choose(m_fileDialogs->openBackground());
    };
    m_lengthHandlers->tellError = [this](const QString &text) {
        questioner().tell(text, QStringLiteral("Quillbox"), Questioner::Icon::Error);
    };
    m_panelBinder->focusSink = [this] { moveFocusToSink(); };
    qApp->installEventFilter(this);
}

bool TMainForm::FormKeyPress(QKeyEvent *event)
{
    // Esc ends picking an element wherever the focus is.
    QAction *pick = (*m_actions)["PickElement"];
    if (event->key() == Qt::Key_Escape && pick->isChecked()) {
        pick->setChecked(false);
        return true;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    QWidget *focused = QApplication::focusWidget();
    if (!focused || focused->window() != this || focused->property("keepsEnter").toBool())
        return false;
    // Enter belongs to these controls themselves.
    for (QWidget *own : {static_cast<QWidget *>(m_viewer.cssMemo), static_cast<QWidget *>(m_listPanel.list),
                         static_cast<QWidget *>(m_viewer.html), static_cast<QWidget *>(m_listPanel.rename)}) {
        if (focused == own || own->isAncestorOf(focused))
            return false;
    }
    m_editor->commit().CommitStyleChange(true);
    moveFocusToSink();
    return false;
}

void TMainForm::bindStyleList()
{
    StyleListWidget *list = m_listPanel.list;
    StyleListOperations &styles = m_editor->styles();
    const ActionCatalog &a = *m_actions;
    list->bind(&store().list(), &store().codec());
    connect(list, &StyleListWidget::rowClicked, this, [this](int row) { m_editor->ListTagClick(row); });
    connect(list, &StyleListWidget::rowDoubleClicked, this, [this] { ListTagDblClick(); });
    connect(list, &StyleListWidget::draggedOver, this, [&styles](int row) { styles.DragOver(row); });
    connect(list, &StyleListWidget::dropped, this, [&styles](int row) { styles.DragDrop(row); });

    connect(a["NewStyle"], &QAction::triggered, this, [this] { m_editor->NewStyleExecute(); });
    connect(a["StyleRename"], &QAction::triggered, this, [this] { ListTagDblClick(); });
    connect(a["StyleDelete"], &QAction::triggered, this, [&styles] { styles.StyleDelete(); });
    connect(a["StyleUp"], &QAction::triggered, this, [&styles] { styles.StyleUp(); });
    connect(a["StyleDown"], &QAction::triggered, this, [&styles] { styles.StyleDown(); });
    connect(a["StyleSorted"], &QAction::triggered, this, [&styles] { styles.StyleSorted(); });
    if (auto *clear = findChild<QAction *>(QStringLiteral("N25")))
        connect(clear, &QAction::triggered, this, [&styles] { styles.ClearStyle(); });

    // With no rule held there is nothing the memo could be stored into.
    auto memoState = [this] { m_viewer.cssMemo->setReadOnly(store().styleCount() == 0); };
    connect(&store().list(), &StyleListModel::itemsChanged, this, memoState);
    memoState();

    m_listPanel.rename->installEventFilter(this);
    m_listPanel.list->viewport()->installEventFilter(this);
    bindRuleFilter();
}

void TMainForm::bindRuleFilter()
{
    RuleFilter &filter = m_editor->ruleFilter();
    const ShownRows &rows = m_editor->shownRows();
    RuleFilterField *field = m_listPanel.filter;
    const ActionCatalog &a = *m_actions;
    m_listPanel.list->bindFilter(&filter);
    connect(field, &QLineEdit::textChanged, this, [&filter](const QString &text) { filter.setText(text); });
    // While rows are hidden a rule cannot be moved among them; while the
    // current rule is hidden nothing may act on it unseen.
    auto shown = [this, &filter, &rows, &a] {
        m_listPanel.filterCount->setText(rows.countText(store().styleCount()));
        for (const char *name : {"StyleUp", "StyleDown", "StyleSorted"})
            a[name]->setEnabled(!filter.active());
        const bool currentShown = store().styleCount() == 0 || rows.shows(store().list().selected());
        for (const char *name : {"StyleDelete", "StyleRename"})
            a[name]->setEnabled(currentShown);
        setPanelsEnabled(currentShown);
    };
    connect(&filter, &RuleFilter::changed, this, shown);
    connect(&m_editor->elementRules(), &ElementRules::changed, this, shown);
    connect(&store().list(), &StyleListModel::selectionChanged, this, shown);
    connect(&store().list(), &StyleListModel::itemsChanged, this, shown);
    shown();
    connect(field, &RuleFilterField::downPressed, this, [this, &rows] {
        m_listPanel.list->setFocus();
        const int first = rows.firstShown(store().styleCount());
        if (!rows.shows(store().list().selected()) && first >= 0)
            m_editor->ListTagClick(first);
    });
    // Ctrl+F in the list, on a panel or on the style tool bars; the text
    // views find in themselves.
    auto toFilter = [field] {
        field->setFocus(Qt::ShortcutFocusReason);
        field->selectAll();
    };
    for (QWidget *scope : {m_listPanel.panel, findChild<QWidget *>(QStringLiteral("PanelToolStyle"))}) {
        if (!scope)
            continue;
        auto *find = new QShortcut(QKeySequence::Find, scope, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        find->setObjectName(QStringLiteral("RuleFilterShortcut"));
        connect(find, &QShortcut::activated, field, toFilter);
    }
}

void TMainForm::setPanelsEnabled(bool on)
{
    auto *pages = m_listPanel.panel->findChild<QTabWidget *>(QStringLiteral("TABPANEL"));
    for (int i = 0; pages && i < pages->count(); ++i)
        pages->widget(i)->setEnabled(on);
    // On the style tool bars only the rule's own controls: the buttons of
    // the window's actions (files, clipboard, undo) stay as their actions
    // are, as their keys do.
    auto *tools = findChild<QWidget *>(QStringLiteral("PanelToolStyle"));
    if (!tools)
        return;
    if (on) {
        for (const QPointer<QWidget> &control : std::as_const(m_disabledTools)) {
            if (control)
                control->setEnabled(true);
        }
        m_disabledTools.clear();
        return;
    }
    for (QToolBar *bar : tools->findChildren<QToolBar *>()) {
        for (QAction *action : bar->actions()) {
            QWidget *control = qobject_cast<QWidgetAction *>(action) ? bar->widgetForAction(action) : nullptr;
            if (control && control->isEnabled()) {
                control->setEnabled(false);
                m_disabledTools.append(control);
            }
        }
    }
}

void TMainForm::ListTagDblClick()
{
    const int selected = store().list().selected();
    if (selected < 0 || !m_editor->shownRows().shows(selected))
        return;
    QLineEdit *field = m_listPanel.rename;
    placeRenameField();
    field->setText(store().codec().decode(store().list().item(selected)));
    field->show();
    field->raise();
    field->setFocus();
    field->selectAll();
}

// Over the selected row, as wide as the list: again whenever the list is
// resized while the user renames.
void TMainForm::placeRenameField()
{
    StyleListWidget *list = m_listPanel.list;
    const int selected = store().list().selected();
    if (selected < 0 || selected >= list->count())
        return;
    const QRect row = list->visualItemRect(list->item(selected));
    m_listPanel.rename->setGeometry(4, row.top() + 2, list->viewport()->width() - 4,
                                    qMax(row.height(), list->fontMetrics().height() + 3));
}

void TMainForm::finishRename()
{
    QLineEdit *field = m_listPanel.rename;
    if (!field->isVisible() || m_finishingRename)
        return;
    m_finishingRename = true;
    const bool accepted = m_editor->styles().RenameSelected(store().codec().encode(field->text()));
    if (accepted) {
        field->hide();
        m_listPanel.list->setFocus();
    } else {
        field->show();
        field->setFocus();
    }
    m_finishingRename = false;
}

bool TMainForm::renameFieldEvent(QEvent *event)
{
    QLineEdit *field = m_listPanel.rename;
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            field->hide();
            m_listPanel.list->setFocus();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            finishRename();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && field->isVisible()) {
        finishRename();
    }
    return false;
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (m_tearingDown)
        return false;
    // Hints of every window of the program take the same route: to the
    // selector constructor while it is open, to the status bar otherwise.
    if (event->type() == QEvent::StatusTip && watched->isWidgetType()) {
        ApplicationEventsHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    // The window sees every key press before the focused control does;
    // the key then goes on unchanged.
    if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget()
        && FormKeyPress(static_cast<QKeyEvent *>(event))) {
        return true;
    }
    if (watched == m_listPanel.rename)
        return renameFieldEvent(event);
    if (watched == m_listPanel.list->viewport() && event->type() == QEvent::Resize && m_listPanel.rename->isVisible())
        placeRenameField();
    viewerEvent(watched, event);
    return QMainWindow::eventFilter(watched, event);
}
