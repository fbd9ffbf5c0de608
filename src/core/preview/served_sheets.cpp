#include "core/preview/served_sheets.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

bool isLocalServerUrl(const QUrl &url)
{
    if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        return false;
    const QString host = url.host().toLower();
    if (host == QLatin1String("localhost") || host.endsWith(QLatin1String(".localhost")))
        return true;
    if (host == QLatin1String("::1") || host == QLatin1String("0:0:0:0:0:0:0:1"))
        return true;
    static const QRegularExpression loopback(QStringLiteral("^127\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QRegularExpressionMatch m = loopback.match(host);
    if (!m.hasMatch())
        return false;
    for (int k = 1; k <= 3; ++k) {
        if (m.captured(k).toInt() > 255)
            return false;
    }
    return true;
}

bool isServedUrl(const QUrl &url)
{
    return isLocalServerUrl(url) || url.scheme() == QLatin1String("quillbox-site");
}

int sharedTrailingParts(const QUrl &address, const QString &filePath)
{
    const QStringList urlParts = address.path(QUrl::FullyDecoded).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QStringList fileParts = QDir::cleanPath(QFileInfo(filePath).absoluteFilePath()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    int shared = 0;
    while (shared < urlParts.size() && shared < fileParts.size()
           && urlParts[urlParts.size() - 1 - shared] == fileParts[fileParts.size() - 1 - shared])
        ++shared;
    return shared;
}

QString fileInSiteFolder(const QString &folder, const QUrl &address)
{
    if (folder.isEmpty())
        return QString();
    const QString root = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QString path = address.path(QUrl::FullyDecoded);
    if (path.contains(QLatin1Char('\0')) || path.contains(QLatin1Char('\\')))
        return QString();
    const QString file = QDir::cleanPath(root + QLatin1Char('/') + path);
    if (file != root && !file.startsWith(root + QLatin1Char('/')))
        return QString();
    // A link inside the folder that leads out of it is out of it: what
    // exists of the path, links followed, must stay inside.
    QString existing = file;
    while (!QFileInfo::exists(existing) && existing.size() > root.size())
        existing = QFileInfo(existing).path();
    const QString real = QFileInfo(existing).canonicalFilePath();
    const QString realRoot = QFileInfo(root).canonicalFilePath();
    if (real.isEmpty() || realRoot.isEmpty() || (real != realRoot && !real.startsWith(realRoot + QLatin1Char('/'))))
        return QString();
    return file;
}

QString originOf(const QUrl &url)
{
    QUrl origin;
    origin.setScheme(url.scheme());
    origin.setHost(url.host());
    origin.setPort(url.port());
    return origin.toString(QUrl::RemoveUserInfo);
}

QString siteFolderOffer(const QString &pageFile, const QByteArray &html)
{
    static const QRegularExpression link(QStringLiteral("(?:href|src)\\s*=\\s*[\"']?(/[^/\"'\\s>][^\"'\\s>]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList rooted;
    for (auto it = link.globalMatch(QString::fromUtf8(html)); it.hasNext();) {
        QString path = it.next().captured(1);
        path.truncate(std::min(path.indexOf(QLatin1Char('?')) < 0 ? path.size() : path.indexOf(QLatin1Char('?')),
                               path.indexOf(QLatin1Char('#')) < 0 ? path.size() : path.indexOf(QLatin1Char('#'))));
        path = QUrl::fromPercentEncoding(path.toUtf8());
        if (!path.isEmpty() && !QFileInfo::exists(path) && !rooted.contains(path))
            rooted.append(path);
    }
    if (rooted.isEmpty())
        return QString();
    for (QDir folder = QFileInfo(pageFile).absoluteDir();; ) {
        for (const QString &path : std::as_const(rooted)) {
            if (QFileInfo::exists(folder.absolutePath() + path))
                return folder.absolutePath();
        }
        if (folder.isRoot() || !folder.cdUp())
            break;
    }
    return QString();
}
