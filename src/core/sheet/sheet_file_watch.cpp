#include "core/sheet/sheet_file_watch.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray hashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

} // namespace

SheetFileWatch::SheetFileWatch()
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        // A file replaced by a rename leaves the watcher: it is watched anew.
        watchPath();
        emit touched();
    });
}

void SheetFileWatch::remember(const QString &path, const QByteArray &bytes)
{
    if (path != m_path && !m_path.isEmpty())
        m_watcher.removePath(m_path);
    m_path = path;
    m_hash = hashOf(bytes);
    m_lastSeen = m_hash;
    watchPath();
}

void SheetFileWatch::forget()
{
    if (!m_path.isEmpty())
        m_watcher.removePath(m_path);
    m_path.clear();
    m_hash.clear();
}

void SheetFileWatch::watchPath()
{
    if (!m_path.isEmpty() && QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

SheetFileWatch::State SheetFileWatch::check()
{
    if (m_path.isEmpty())
        return State::Same;
    QFile file(m_path);
    if (!QFileInfo(m_path).isFile() || !file.open(QIODevice::ReadOnly))
        return State::Removed;
    watchPath();
    m_lastSeen = hashOf(file.readAll());
    return m_lastSeen == m_hash ? State::Same : State::Changed;
}
