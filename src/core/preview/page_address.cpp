#include "core/preview/page_address.h"

#include <QFileInfo>
#include <QUrl>

QUrl addressToUrl(const QString &address, const QString &sheetPath)
{
    const QString folder = sheetPath.isEmpty() ? QString() : QFileInfo(sheetPath).absolutePath();
    return QUrl::fromUserInput(address.trimmed(), folder, QUrl::AssumeLocalFile);
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
