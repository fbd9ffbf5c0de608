#include "window/shell/main_form.h"

#include "core/host/init_settings.h"
#include "window/preview/preview_frame.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>

void TMainForm::restoreSettings()
{
    std::unique_ptr<QSettings> settings(openProgramSettings());
    const bool stored = settings->childGroups().contains(QStringLiteral("Init"));
    const InitSettings init = stored ? InitSettings::read(*settings) : InitSettings();
    // Unless the user chose otherwise, a save keeps the file as it was
    // written wherever the panels did not touch it: a diff shows the change.
    (*m_actions)["KeepUntouchedLayout"]->setChecked(init.keepUntouchedLayout.value_or(true));
    if (!stored)
        return;
    if (init.maximized.value_or(false))
        setWindowState(windowState() | Qt::WindowMaximized);
    QApplication::processEvents();
    if (init.floatPanel.value_or(false))
        (*m_actions)["FloatPanel"]->trigger();
    if (init.autoRefresh.value_or(false))
        (*m_actions)["AutoRefreshAction"]->setChecked(true);
    if (init.highlightMatches)
        (*m_actions)["HighlightMatches"]->setChecked(*init.highlightMatches);
    if (init.previewWidth && (*init.previewWidth == 0 || typedPreviewWidth(QString::number(*init.previewWidth))))
        selectPreviewWidth(m_viewer.previewWidth, *init.previewWidth);
    if (init.viewer && *init.viewer >= 0 && *init.viewer < m_viewer.viewer->count())
        m_viewer.viewer->setCurrentIndex(*init.viewer);
    auto *pages = m_listPanel.panel->findChild<QTabWidget *>(QStringLiteral("TABPANEL"));
    QStringList pageNames;
    for (int i = 0; i < pages->count(); ++i)
        pageNames.append(pages->widget(i)->objectName());
    if (const int page = tabPanelToOpen(init, pageNames); page >= 0)
        pages->setCurrentIndex(page);
    if (init.panelListWidth) {
        const int width = qMax(*init.panelListWidth, m_listPanel.panel->minimumWidth());
        // With sliding panels the list stands on its own, out of the splitter.
        if (m_listPanel.panel->parentWidget() != m_splitterList) {
            m_listPanel.panel->resize(width, m_listPanel.panel->height());
        } else {
            const int total = qMax(m_splitterList->width(), width + m_panelAll->minimumWidth());
            m_splitterList->setSizes({total - width, width});
        }
    }
    if (init.phtmlHeight && *init.phtmlHeight >= 0) {
        QSplitter *splitter = m_viewer.browserSplitter;
        const int height = *init.phtmlHeight;
        const int total = qMax(splitter->height(), height + 100);
        splitter->setSizes({total - height, height});
    }
}

void TMainForm::writeSettings()
{
    InitSettings init;
    init.maximized = isMaximized();
    init.floatPanel = (*m_actions)["FloatPanel"]->isChecked();
    init.autoRefresh = (*m_actions)["AutoRefreshAction"]->isChecked();
    init.keepUntouchedLayout = (*m_actions)["KeepUntouchedLayout"]->isChecked();
    init.highlightMatches = (*m_actions)["HighlightMatches"]->isChecked();
    init.previewWidth = previewWidthOf(m_viewer.previewWidth);
    init.viewer = m_viewer.viewer->currentIndex();
    const auto *pages = m_listPanel.panel->findChild<QTabWidget *>(QStringLiteral("TABPANEL"));
    init.tabPanel = pages->currentIndex();
    init.tabPanelPage = pages->currentWidget()->objectName();
    init.homePage = store().homePageAddress();
    init.panelListWidth = m_splitterList->sizes().value(1, m_listPanel.panel->width());
    init.phtmlHeight = m_viewer.browserSplitter->sizes().value(1, m_viewer.phtml->height());
    std::unique_ptr<QSettings> settings(openProgramSettings());
    init.write(*settings);
}

bool TMainForm::FormClose()
{
    if (!m_editor->files().ConfirmDiscard())
        return false;
    writeSettings();
    return true;
}
