#include "core/sheet/recent_sheets.h"

#include "core/host/init_settings.h"

#include <QSettings>

#include <memory>

namespace {

const QString kKey = QStringLiteral("RecentFiles");

} // namespace

QStringList RecentSheets::paths() const
{
    std::unique_ptr<QSettings> settings(openProgramSettings());
    const QVariant stored = settings->value(kKey);
    // A value of another kind, left by someone else, reads as none.
    if (!stored.canConvert<QStringList>())
        return {};
    QStringList paths = stored.toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, kMax);
}

void RecentSheets::add(const QString &path)
{
    if (path.isEmpty())
        return;
    QStringList list = paths();
    if (!list.isEmpty() && list.first() == path)
        return;
    list.removeAll(path);
    list.prepend(path);
    store(list.mid(0, kMax));
}

void RecentSheets::remove(const QString &path)
{
    QStringList list = paths();
    if (list.removeAll(path) > 0)
        store(list);
}

void RecentSheets::store(const QStringList &paths)
{
    std::unique_ptr<QSettings> settings(openProgramSettings());
    settings->setValue(kKey, paths);
    emit changed();
}
