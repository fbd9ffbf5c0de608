#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QSettings;

// The window's persisted state, the group "Init" of the program's settings.
// A value that is missing, or stored with the wrong type, reads as absent.
struct InitSettings {
    std::optional<bool> maximized;
    std::optional<bool> floatPanel;
    std::optional<bool> autoRefresh;
    std::optional<bool> keepUntouchedLayout;
    std::optional<bool> highlightMatches;
    std::optional<int> previewWidth; // 0: the width of the window
    std::optional<int> viewer;
    std::optional<int> tabPanel;
    // The page by its name, which stays when pages are added.
    std::optional<QString> tabPanelPage;
    std::optional<QString> homePage;
    std::optional<int> panelListWidth;
    std::optional<int> phtmlHeight;

    static InitSettings read(QSettings &settings);
    // Writes every value that is present, in the documented order.
    void write(QSettings &settings) const;
};

// The page of the property panels to open, among the pages by name: the
// named page, else the stored index as the pages stood before they were
// named (six pages, the variables last); -1 for none.
int tabPanelToOpen(const InitSettings &init, const QStringList &pageNames);

// The settings store of the program: organisation "Tarnwell",
// application "Quillbox18", user scope.
QSettings *openProgramSettings();

// The last file and rule, at the top level of the settings.
struct LastFileSettings {
    QString pathToLastFile;
    QString lastNameStyle;

    static std::optional<LastFileSettings> read(QSettings &settings);
    void write(QSettings &settings) const;
};
