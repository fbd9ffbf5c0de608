#pragma once

#include "action_catalog.h"
#include "list_panel.h"
#include "panel_controls.h"
#include "sheet_store.h"
#include "viewer_pages.h"

#include <QMainWindow>

#include <memory>

class QFileDialog;
class QLabel;
class QPushButton;
class QSettings;
class QSplitter;
class QTimer;
class Questioner;
class TColorForm;
class TCreateSelector;
class UnitChooser;

// The main window: it assembles the panels, binds the actions and mirrors
// the sheet store; the work itself is done by the core.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    SheetStore &store() { return m_store; }
    const ActionCatalog &actions() const { return *m_actions; }
    PanelControls &controls() { return m_controls; }

    // The dialogs created at program start; created on first use otherwise.
    void setDialogs(TCreateSelector *createSelector, TColorForm *colorForm);
    TCreateSelector *createSelector();
    TColorForm *colorForm();

    // How the window asks questions; tests put a scripted one in.
    void setQuestioner(std::unique_ptr<Questioner> questioner);
    Questioner &questioner() { return *m_questioner; }

    void ApplicationEventsHint(const QString &hint);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildWindow();
    void buildMainMenu();
    void bindEditActions();

    void FormCreate();
    void FormShow();
    void FormResize();
    void TimerFloatTimer();
    bool FormClose();
    void restoreSettings();
    void writeSettings();
    void fillFontBoxes();

    SheetStore m_store;
    std::unique_ptr<ActionCatalog> m_actions;
    PanelControls m_controls;
    ListPanel m_listPanel;
    ViewerPages m_viewer;
    QSplitter *m_splitterList = nullptr;
    QWidget *m_panelAll = nullptr;
    QPushButton *m_focusSink = nullptr;
    UnitChooser *m_unitChooser = nullptr;
    QLabel *m_hintPanel = nullptr;
    QTimer *m_unitTimer = nullptr;
    QTimer *m_fontOffTimer = nullptr;
    QTimer *m_floatTimer = nullptr;
    QFileDialog *m_openCss = nullptr;
    QFileDialog *m_saveCss = nullptr;
    QFileDialog *m_openBackground = nullptr;
    QFileDialog *m_openHtml = nullptr;
    TCreateSelector *m_createSelector = nullptr;
    TColorForm *m_colorForm = nullptr;
    std::unique_ptr<Questioner> m_questioner;
    bool m_shown = false;
};
