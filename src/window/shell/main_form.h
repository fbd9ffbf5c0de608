#pragma once

#include "window/shell/action_catalog.h"
#include "core/editor/editor.h"
#include "core/host/editor_host.h"
#include "window/stylelist/list_panel.h"
#include "core/host/questioner.h"
#include "window/panels/panel_controls.h"
#include "window/preview/viewer_pages.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QFileDialog;
class QKeyEvent;
class QLabel;
class QPushButton;
class QSettings;
class QSplitter;
class QTimer;
class Questioner;
class TAboutBox;
class TColorForm;
class TCreateSelector;
class FileDialogs;
class FloatPanels;
class LengthFieldHandlers;
class HtmlEditor;
class PanelBinder;
class PreviewBrowser;
class UnitChooser;

// Passes questions on to whichever questioner the window has now.
class RelayQuestioner : public Questioner
{
public:
    std::unique_ptr<Questioner> target;
    Button ask(const QString &text, const QString &caption, int buttons, Icon icon) override
    {
        return target->ask(text, caption, buttons, icon);
    }
};

// The main window: it assembles the panels, binds the actions and mirrors
// the editor's state; the work itself is done by the core.
class TMainForm : public QMainWindow, public EditorHost
{
    Q_OBJECT
public:
    // Whether the sheet to start with (the command line's or the last) has
    // been opened, or found missing.
    bool startSheetTried() const { return m_startSheetTried; }
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    Editor &editor() { return *m_editor; }
    SheetStore &store() { return m_editor->store(); }
    const ActionCatalog &actions() const { return *m_actions; }
    PanelControls &controls() { return m_controls; }

    // The dialogs created at program start; created on first use otherwise.
    void setDialogs(TCreateSelector *createSelector, TColorForm *colorForm);
    TCreateSelector *createSelector();
    TColorForm *colorForm();

    // How the window asks questions; tests put a scripted one in.
    void setQuestioner(std::unique_ptr<Questioner> questioner);
    Questioner &questioner() { return m_questions; }

    void ApplicationEventsHint(const QString &hint);

    // EditorHost
    void setCaption(const QString &caption) override;
    void moveFocusToSink() override;
    std::optional<QString> chooseSheetToOpen(const QString &folder) override;
    std::optional<QString> chooseSheetToSaveAs(const QString &folder) override;
    QByteArray createSelector(const QByteArray &existingSelectorList) override;
    bool htmlEditorHasFocus() const override;
    void beginLongWork(const QString &whatIsDone) override;
    void endLongWork() override;

    // Renaming in place: the edit over the selected rule.
    void ListTagDblClick();
    // The panels and tool bars follow whether the current rule is shown.
    void setPanelsEnabled(bool on);
    QList<QPointer<QWidget>> m_disabledTools; // style tool bar controls a hidden rule greyed

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The program's own colours, fitted to the desktop's palette as it is
    // now: again whenever the desktop changes it.
    void fitColoursToDesktop();
    void buildWindow();
    void buildMainMenu();
    void bindEditActions();
    void bindEditor();
    void bindStyleList();
    void bindRuleFilter();
    void bindPanels();
    void bindPreview();
    void bindHtmlEditor();
    void bindSites(class SheetRequestServer *server);
    void offerSiteFolder();
    class QToolButton *m_siteOffer = nullptr;
    void bindPageInspector();
    void bindHelp();
    void N36Click();
    TAboutBox *aboutBox();
    void CSSMemoClick();
    void HCSSMemoClick();
    // Clicks and key releases in the sheet views, after the view saw them.
    void viewerEvent(QObject *watched, QEvent *event);
    bool renameFieldEvent(QEvent *event);
    bool FormKeyPress(QKeyEvent *event);
    void finishRename();
    void placeRenameField();

    void sizeClientArea();
    void FormCreate();
    void FormShow();
    void openStartSheet();
    bool m_startSheetTried = false;
    void FormResize();
    bool FormClose();
    void restoreSettings();
    void writeSettings();
    void fillFontBoxes();

    RelayQuestioner m_questions;
    std::unique_ptr<Editor> m_editor;
    std::unique_ptr<ActionCatalog> m_actions;
    PanelControls m_controls;
    ListPanel m_listPanel;
    ViewerPages m_viewer;
    QSplitter *m_splitterList = nullptr;
    QWidget *m_panelAll = nullptr;
    QPushButton *m_focusSink = nullptr;
    UnitChooser *m_unitChooser = nullptr;
    PanelBinder *m_panelBinder = nullptr;
    PreviewBrowser *m_browser = nullptr;
    HtmlEditor *m_htmlEditor = nullptr;
    LengthFieldHandlers *m_lengthHandlers = nullptr;
    QLabel *m_hintPanel = nullptr;
    QLabel *m_matchCount = nullptr;
    QLabel *m_unshown = nullptr;
    QTimer *m_unitTimer = nullptr;
    QTimer *m_fontOffTimer = nullptr;
    QTimer *m_floatTimer = nullptr;
    FloatPanels *m_floatPanels = nullptr;
    std::unique_ptr<FileDialogs> m_fileDialogs;
    TCreateSelector *m_createSelector = nullptr;
    TColorForm *m_colorForm = nullptr;
    bool m_shown = false;
    bool m_finishingRename = false;
    bool m_tearingDown = false;
};
