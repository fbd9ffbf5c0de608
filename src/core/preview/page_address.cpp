#include "core/preview/page_address.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

QUrl addressToUrl(const QString &address, const QString &sheetPath)
{
    const QString text = address.trimmed();
    // A name without a scheme is a file beside the sheet only where there
    // is one; "www.example.org" is a web address.
    if (!sheetPath.isEmpty()) {
        const QUrl local = QUrl::fromUserInput(text, QFileInfo(sheetPath).absolutePath(), QUrl::AssumeLocalFile);
        if (local.isLocalFile() && QFileInfo::exists(local.toLocalFile()))
            return local;
    }
    return QUrl::fromUserInput(text);
}

QString pageAddressForSheet(const QString &address, const QString &sheetPath)
{
    if (sheetPath.isEmpty())
        return address;
    const QUrl url = QUrl::fromUserInput(address.trimmed(), QFileInfo(sheetPath).absolutePath(), QUrl::AssumeLocalFile);
    if (!url.isLocalFile() || url.hasQuery() || url.hasFragment())
        return address;
    const QString page = QDir::cleanPath(url.toLocalFile());
    if (!QDir::isAbsolutePath(page))
        return address;
    const QString folder = QDir::cleanPath(QFileInfo(sheetPath).absolutePath());
    const QString relative = QDir(folder).relativeFilePath(page);
    if (relative.startsWith(QLatin1String("../../../")) || QDir::isAbsolutePath(relative))
        return address;
    // Pages that share no folder with the sheet but the root or the home
    // folder are not the sheet's site.
    QString common = folder;
    for (QString up = relative; up.startsWith(QLatin1String("../")); up = up.mid(3))
        common = QFileInfo(common).path();
    if (QDir(common).isRoot() || QDir::cleanPath(common) == QDir::cleanPath(QDir::homePath()))
        return address;
    return relative;
}

QString PageAddressToPath(const QString &address, const QString &sheetPath)
{
    QString text = address;
    // "file://" goes, the path's own leading "/" stays.
    for (const char *prefix : {"file://", "FILE://", "RES://", "res://", "RES:\\\\", "res:\\\\"})
        text.remove(QLatin1String(prefix));
    const qsizetype hash = text.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        text.truncate(hash);
    text = QUrl::fromPercentEncoding(text.toUtf8());
    if (QFileInfo(text).isFile() || sheetPath.isEmpty())
        return text;
    const qsizetype nameStart = qMax(text.lastIndexOf(QLatin1Char('/')), text.lastIndexOf(QLatin1Char(':'))) + 1;
    const QString candidate = QFileInfo(sheetPath).absolutePath() + QLatin1Char('/') + text.mid(nameStart);
    return QFileInfo(candidate).isFile() ? candidate : text;
}

void rememberAddress(QStringList &history, const QString &address)
{
    if (address.isEmpty() || address.startsWith(QLatin1Char('r')))
        return;
    history.removeIf([&address](const QString &item) { return item.compare(address, Qt::CaseInsensitive) == 0; });
    history.prepend(address);
}
