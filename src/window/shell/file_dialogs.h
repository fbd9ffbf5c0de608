#pragma once

#include <QPointer>

#include <optional>

class QFileDialog;
class QWidget;

// The window's file dialogs, each made the first time it is opened. A
// file dialog starts reading its folder, icons and file types as soon as
// it exists, which every start would pay for dialogs most runs never open.
class FileDialogs
{
public:
    explicit FileDialogs(QWidget *owner);

    QFileDialog *openCss();        // `OpenCSS`
    QFileDialog *saveCss();        // `SaveCSS`
    QFileDialog *openBackground(); // `OpenDialogBackGround`
    QFileDialog *openHtml();       // `OpenDialogHTML`
    QFileDialog *siteFolder();     // `SiteFolderDialog`: a folder

    // Runs a dialog, in a folder when one is given, and gives the file
    // chosen, if any.
    static std::optional<QString> choose(QFileDialog *dialog, const QString &folder = {});

private:
    QWidget *m_owner;
    QPointer<QFileDialog> m_openCss, m_saveCss, m_openBackground, m_openHtml, m_siteFolder;
};
