#include "window/shell/file_dialogs.h"

#include <QFileDialog>

namespace {

const QString kCssFilter = QStringLiteral("Каскадные таблицы стилей CSS (*.css)");

QFileDialog *makeFileDialog(QWidget *owner, const char *name, const QString &filter, const QString &title = {})
{
    auto *dialog = new QFileDialog(owner, title);
    dialog->setObjectName(QLatin1String(name));
    dialog->setNameFilter(filter);
    return dialog;
}

} // namespace

FileDialogs::FileDialogs(QWidget *owner)
    : m_owner(owner)
{
}

QFileDialog *FileDialogs::openCss()
{
    if (!m_openCss) {
        m_openCss = makeFileDialog(m_owner, "OpenCSS", kCssFilter);
        m_openCss->setFileMode(QFileDialog::ExistingFile);
    }
    return m_openCss;
}

QFileDialog *FileDialogs::saveCss()
{
    if (!m_saveCss) {
        m_saveCss = makeFileDialog(m_owner, "SaveCSS", kCssFilter, QStringLiteral("Сохранить как..."));
        m_saveCss->setAcceptMode(QFileDialog::AcceptSave);
        m_saveCss->setDefaultSuffix(QStringLiteral("css"));
    }
    return m_saveCss;
}

QFileDialog *FileDialogs::openBackground()
{
    if (!m_openBackground) {
        m_openBackground = makeFileDialog(
            m_owner, "OpenDialogBackGround",
            QStringLiteral("Файлы  JPG, JPEG, GIF (*.jpg *.jpeg *.gif);;Файлы BMP ;-) (*.bmp);;Все файлы (*)"),
            QStringLiteral("Выбор фонового рисунка"));
        m_openBackground->setFileMode(QFileDialog::ExistingFile);
    }
    return m_openBackground;
}

QFileDialog *FileDialogs::openHtml()
{
    if (!m_openHtml) {
        m_openHtml = makeFileDialog(m_owner, "OpenDialogHTML",
                                    QStringLiteral("HTML файлы (*.htm*);;XML файлы (*.xml*);;Все файлы (*)"));
    }
    return m_openHtml;
}

QFileDialog *FileDialogs::siteFolder()
{
    if (!m_siteFolder) {
        m_siteFolder = makeFileDialog(m_owner, "SiteFolderDialog", QString(), QStringLiteral("Папка сайта"));
        m_siteFolder->setFileMode(QFileDialog::Directory);
        m_siteFolder->setOption(QFileDialog::ShowDirsOnly);
    }
    return m_siteFolder;
}

std::optional<QString> FileDialogs::choose(QFileDialog *dialog, const QString &folder)
{
    if (!folder.isNull())
        dialog->setDirectory(folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().first();
}
