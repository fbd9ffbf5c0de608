#include "core/host/site_folders.h"

#include "core/host/init_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

#include <memory>

namespace site_folders {
namespace {

const QString kGroup = QStringLiteral("SiteFolders");
const QString kFiles = QStringLiteral("SiteFolders/Files");

// An origin as a settings key: its letters and digits.
QString keyOf(const QString &origin)
{
    return kGroup + QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(origin.toLower()));
}

QString cleaned(const QString &folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

} // namespace

QString folderFor(const QString &origin)
{
    const std::unique_ptr<QSettings> settings(openProgramSettings());
    return settings->value(keyOf(origin)).toString();
}

void setFolderFor(const QString &origin, const QString &folder)
{
    const std::unique_ptr<QSettings> settings(openProgramSettings());
    if (folder.isEmpty())
        settings->remove(keyOf(origin));
    else
        settings->setValue(keyOf(origin), cleaned(folder));
    settings->sync();
}

QString folderOfFile(const QString &pageFile)
{
    const std::unique_ptr<QSettings> settings(openProgramSettings());
    const QString page = cleaned(pageFile);
    QString best;
    for (const QString &folder : settings->value(kFiles).toStringList()) {
        if (page.startsWith(folder + QLatin1Char('/')) && folder.size() > best.size())
            best = folder;
    }
    return best;
}

void addFileSite(const QString &folder)
{
    const std::unique_ptr<QSettings> settings(openProgramSettings());
    QStringList folders = settings->value(kFiles).toStringList();
    const QString clean = cleaned(folder);
    if (!folders.contains(clean))
        folders.append(clean);
    settings->setValue(kFiles, folders);
    settings->sync();
}

} // namespace site_folders
