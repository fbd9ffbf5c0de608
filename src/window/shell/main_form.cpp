#include "window/shell/main_form.h"
#include "window/stylelist/style_list_widget.h"
#include "window/shell/edit_keys.h"
#include "window/shell/find_bar.h"
#include "window/shell/desktop_colours.h"
#include "window/shell/encoding_button.h"
#include "window/shell/when_exposed.h"

#include "window/shell/file_dialogs.h"

#include "window/stylelist/color_form.h"
#include "window/stylelist/create_selector.h"
#include "window/shell/float_panels.h"
#include "window/preview/html_editor.h"
#include "window/preview/preview_browser.h"
#include "window/shell/hint.h"
#include "window/panels/panel_widgets.h"
#include "window/panels/length_field_handlers.h"
#include "window/shell/message_box_questioner.h"
#include "window/panels/panel_binder.h"
#include "window/panels/style_toolbars.h"
#include "window/panels/unit_chooser.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QTabWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextEdit>
#include <QToolButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QTimer *makeTimer(QObject *owner, const char *name, int interval)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    return timer;
}

} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    m_questions.target = std::make_unique<MessageBoxQuestioner>(this);
    m_editor = std::make_unique<Editor>(*this, m_questions);
    m_actions = std::make_unique<ActionCatalog>(this);
    m_fileDialogs = std::make_unique<FileDialogs>(this);
    buildWindow();
    buildMainMenu();
    sizeClientArea();
    bindEditActions();
    fillFontBoxes();
    bindEditor();
    bindPreview();
    bindStyleList();
    bindPanels();
    bindHelp();
    FormCreate();
}

TMainForm::~TMainForm()
{
    // The widgets and their bindings go before the editor they show, so no
    // late signal of a dying widget reaches a dead editor, and no late event
    // of one reaches the window's filters.
    m_tearingDown = true;
    qApp->removeEventFilter(this);
    delete m_panelBinder;
    m_panelBinder = nullptr;
    delete m_lengthHandlers;
    m_lengthHandlers = nullptr;
    m_editor->setBrowser(nullptr);
    delete m_browser;
    m_browser = nullptr;
    delete m_htmlEditor;
    m_htmlEditor = nullptr;
    // A dying text widget may still report changes of its text; nothing
    // may hear them any more.
    for (QObject *text : {static_cast<QObject *>(m_viewer.cssMemo), static_cast<QObject *>(m_viewer.hcssMemo),
                          static_cast<QObject *>(m_viewer.diskMemo), static_cast<QObject *>(m_viewer.html)}) {
        text->disconnect();
        text->blockSignals(true);
    }
    delete takeCentralWidget();
}

void TMainForm::buildWindow()
{
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);

    m_splitterList = new QSplitter(Qt::Horizontal, central);
    m_splitterList->setObjectName(QStringLiteral("SplitterList"));
    m_splitterList->setHandleWidth(3);
    m_splitterList->setChildrenCollapsible(false);

    m_panelAll = new QWidget(m_splitterList);
    m_panelAll->setObjectName(QStringLiteral("PanelALL"));
    m_panelAll->setMinimumSize(300, 100);
    QWidget *toolStyle = buildStyleToolbars(m_panelAll, *m_actions, m_controls);
    m_viewer = buildViewerPages(m_panelAll, *m_actions);
    for (QPlainTextEdit *text : {m_viewer.cssMemo, m_viewer.hcssMemo, m_viewer.diskMemo})
        FindBar::attach(text);
    FindBar::attach(m_viewer.html);
    // The focus sink lies behind the page control: it can hold the focus
    // but is never seen and never reached with Tab.
    m_focusSink = new QPushButton(QStringLiteral("ZF"), m_panelAll);
    m_focusSink->setObjectName(QStringLiteral("ZF"));
    m_focusSink->setFocusPolicy(Qt::ClickFocus);
    m_focusSink->setGeometry(30, 120, 20, 20);
    m_focusSink->lower();

    m_listPanel = buildListPanel(m_splitterList, *m_actions, m_controls);
    // The panels were laid out for a narrow 8-point face; the stand-in
    // fonts are wider, so the panels take a half point less to fit.
    for (QWidget *panel : {m_listPanel.panel, m_panelAll->findChild<QWidget *>(QStringLiteral("PanelToolStyle"))})
        panel->setFont(panelFont());
    m_splitterList->addWidget(m_panelAll);
    m_splitterList->addWidget(m_listPanel.panel);
    m_splitterList->setStretchFactor(0, 1);
    m_splitterList->setStretchFactor(1, 0);
    m_splitterList->setSizes({792 - 176 - 3, 176});
    layout->addWidget(m_splitterList);
    setCentralWidget(central);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar"));
    status->setAccessibleName(QStringLiteral("Строка состояния"));
    status->setFixedHeight(21);
    m_hintPanel = new QLabel(status);
    m_hintPanel->setObjectName(QStringLiteral("StatusPanel"));
    m_hintPanel->setAccessibleName(QStringLiteral("Подсказка"));
    m_hintPanel->setMinimumWidth(50);
    QFont hintFont(QStringLiteral("Tahoma"), 8);
    hintFont.setBold(true);
    m_hintPanel->setFont(hintFont);
    status->addWidget(m_hintPanel, 1);
    fitColoursToDesktop();
    // How many elements of the shown page the selected rule matches.
    m_matchCount = new QLabel(status);
    m_matchCount->setObjectName(QStringLiteral("MatchCount"));
    setHint(m_matchCount, QStringLiteral("Сколько элементов страницы подходит к выбранному правилу"));
    m_matchCount->setAccessibleName(QStringLiteral("Совпадения на странице"));
    status->addPermanentWidget(m_matchCount);
    // What the preview's engine cannot show of the sheet.
    m_unshown = new QLabel(status);
    m_unshown->setObjectName(QStringLiteral("PreviewUnshown"));
    m_unshown->setAccessibleName(QStringLiteral("Что просмотр не показывает"));
    setHint(m_unshown, QStringLiteral("Возможности CSS в стиле, которых движок просмотра не знает"));
    m_unshown->hide();
    status->addPermanentWidget(m_unshown);
    // Whose layout a changed rule is written in; a click switches it.
    auto *layoutField = new QToolButton(status);
    layoutField->setObjectName(QStringLiteral("LayoutLabel"));
    layoutField->setAutoRaise(true);
    setHint(layoutField, QStringLiteral("Оформление изменённых правил|Как в файле: меняется только то, что изменено; "
                                        "программы: изменённое правило записывается заново. Щелчок переключает"));
    QAction *keepLayout = (*m_actions)["KeepUntouchedLayout"];
    auto showLayout = [layoutField, keepLayout] {
        layoutField->setText(keepLayout->isChecked() ? QStringLiteral("Оформление: как в файле")
                                                     : QStringLiteral("Оформление: программы"));
        layoutField->setAccessibleName(layoutField->text());
    };
    connect(keepLayout, &QAction::toggled, layoutField, showLayout);
    connect(layoutField, &QToolButton::clicked, keepLayout, &QAction::trigger);
    showLayout();
    status->addPermanentWidget(layoutField);
    // The sheet's encoding, as editors show it.
    auto *encoding = new EncodingButton(status);
    encoding->setObjectName(QStringLiteral("EncodingLabel"));
    setHint(encoding, QStringLiteral("Кодировка текущего стиля|Кодировка текущего стиля: щелчок предлагает другую, "
                                     "в которой стиль будет записан"));
    status->addPermanentWidget(encoding);
    auto showEncoding = [this, encoding] { encoding->showEncoding(store().encoding()); };
    connect(&store(), &SheetStore::encodingChanged, encoding, showEncoding);
    connect(encoding, &EncodingButton::chosen, this, [this](SheetEncoding chosen) { editor().EncodingChosen(chosen); });
    showEncoding();
    setStatusBar(status);

    m_unitChooser = new UnitChooser(this);

    m_unitTimer = makeTimer(this, "Z_Timer", 1000);
    m_fontOffTimer = makeTimer(this, "FontOffOptionTimer", 60);
    m_fontOffTimer->setSingleShot(true);
    m_floatTimer = makeTimer(this, "TimerFloat", 600);
    m_floatPanels = new FloatPanels(m_panelAll, toolStyle, m_viewer.viewer, m_listPanel.panel, m_splitterList,
                                    m_floatTimer, (*m_actions)["FloatPanel"]);

    connect(m_actions->operator[]("QuitQuillbox"), &QAction::triggered, this, &QWidget::close);

}

void TMainForm::bindEditActions()
{
    // Cut, copy and paste act on whichever edit has the focus.
    auto onFocused = [](auto lineEditOp, auto plainOp, auto textOp) {
        QWidget *w = QApplication::focusWidget();
        if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit())
            w = combo->lineEdit();
        if (auto *line = qobject_cast<QLineEdit *>(w))
            (line->*lineEditOp)();
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
            (plain->*plainOp)();
        else if (auto *text = qobject_cast<QTextEdit *>(w))
            (text->*textOp)();
    };
    connect((*m_actions)["EditCut"], &QAction::triggered, this,
            [onFocused] { onFocused(&QLineEdit::cut, &QPlainTextEdit::cut, &QTextEdit::cut); });
    connect((*m_actions)["EditCopy"], &QAction::triggered, this,
            [onFocused] { onFocused(&QLineEdit::copy, &QPlainTextEdit::copy, &QTextEdit::copy); });
    connect((*m_actions)["EditPaste"], &QAction::triggered, this,
            [onFocused] { onFocused(&QLineEdit::paste, &QPlainTextEdit::paste, &QTextEdit::paste); });
    for (const char *name : {"EditCut", "EditCopy", "EditPaste"})
        (*m_actions)[name]->setShortcutContext(Qt::WidgetShortcut);
    // Undo and redo keys stay a text field's own while it has the focus.
    qApp->installEventFilter(new EditKeys(this));
}

void TMainForm::fillFontBoxes()
{
    m_controls.fontFamily->setCurrentIndex(0);
    m_controls.fontFamily2->setCurrentIndex(0);
    m_controls.fontWeight->setCurrentIndex(0);
    const QStringList families = QFontDatabase::families();
    m_controls.fontFamily->addItems(families);
    m_controls.fontFamily2->addItems(families);
}

void TMainForm::FormCreate()
{
    for (const LengthField &field : std::as_const(m_controls.lengthFields))
        field.edit->clear();
    m_editor->files().NewSheet();
    setWindowTitle(QStringLiteral("Quillbox 1.8 - "));
    restoreSettings();
    store().setHomePageAddress(m_viewer.location->currentText());
}

void TMainForm::openStartSheet()
{
    // A sheet opened or begun meanwhile is the one the user wants.
    if (!store().currentFileName().isEmpty() || store().sheetModified()) {
        m_startSheetTried = true;
        return;
    }
    // Options given to Qt or to a test runner are not sheets.
    QStringList arguments = QCoreApplication::arguments().mid(1);
    arguments.removeIf([](const QString &a) { return a.startsWith(QLatin1Char('-')); });
    m_editor->files().OpenLastFile(arguments);
    setWindowTitle(QStringLiteral("Quillbox 1.8 - ") + store().currentFileName());
    store().setHomePageAddress(m_viewer.location->currentText());
    m_startSheetTried = true;
}

void TMainForm::sizeClientArea()
{
    // The client area below the menu bar is 792 x 572, centred on the
    // desktop. The menu bar's height is only sure once it is laid out, so
    // the first show measures it again.
    int menuHeight = 0;
    if (!menuBar()->isNativeMenuBar())
        menuHeight = menuBar()->isVisible() ? menuBar()->height() : menuBar()->sizeHint().height();
    if (isMaximized() || size() == QSize(792, 572 + menuHeight))
        return;
    resize(792, 572 + menuHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

void TMainForm::FormShow()
{
    sizeClientArea();
    m_panelBinder->clearUnusedLengths();
    // The last sheet is read once the window is on screen: a large one
    // takes longer to read and lay out than the window takes to build.
    whenExposed(this, [this] { openStartSheet(); });
    m_browser->prepareOnceShown(this);
}

void TMainForm::FormResize()
{
    if ((*m_actions)["FloatPanel"]->isChecked())
        m_floatPanels->TimerFloatTimer();
}

void TMainForm::setDialogs(TCreateSelector *createSelector, TColorForm *colorForm)
{
    m_createSelector = createSelector;
    m_colorForm = colorForm;
}

TCreateSelector *TMainForm::createSelector()
{
    if (!m_createSelector)
        m_createSelector = new TCreateSelector(this);
    return m_createSelector;
}

TColorForm *TMainForm::colorForm()
{
    if (!m_colorForm)
        m_colorForm = new TColorForm(this);
    return m_colorForm;
}

void TMainForm::setQuestioner(std::unique_ptr<Questioner> questioner)
{
    m_questions.target = std::move(questioner);
}

void TMainForm::ApplicationEventsHint(const QString &hint)
{
    const QString longPart = splitHint(hint).longPart;
    TCreateSelector *dialog = m_createSelector;
    if (dialog)
        dialog->labelHint()->setText(longPart);
    if (dialog && dialog->isVisible())
        dialog->labelHint()->setText(longPart);
    else
        m_hintPanel->setText(longPart);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::fitColoursToDesktop()
{
    const QPalette desktop = QApplication::palette();
    QPalette hint = m_hintPanel->palette();
    hint.setColor(QPalette::WindowText, desktop_colours::hint(desktop));
    m_hintPanel->setPalette(hint);
    QPalette list = m_listPanel.list->palette();
    list.setColor(QPalette::Base, desktop_colours::listGround(desktop));
    m_listPanel.list->setPalette(list);
}

void TMainForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange)
        fitColoursToDesktop();
    QMainWindow::changeEvent(event);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}
