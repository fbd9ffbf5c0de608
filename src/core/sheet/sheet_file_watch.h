#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

// What the program last read from or wrote to the open sheet's file, so
// that a change another program made to it is told from the program's own
// writes: by the bytes, not by the clock. The file is watched as well; a
// watcher misses some changes (a file replaced by a rename, as editors
// save), so the window also asks when it gets the focus back.
class SheetFileWatch : public QObject
{
    Q_OBJECT
public:
    SheetFileWatch();

    // The file as just read or written.
    void remember(const QString &path, const QByteArray &bytes);
    void forget();
    const QString &path() const { return m_path; }

    enum class State { Same, Changed, Removed };
    // The file now, against what was last read or written; the bytes read
    // are kept for accept().
    State check();
    // The file as it now is counts as seen: the user keeps their version,
    // and the next save writes it without asking again.
    void accept() { m_hash = m_lastSeen; }

signals:
    // The watcher saw the file change; check() tells whether it did.
    void touched();

private:
    void watchPath();

    QFileSystemWatcher m_watcher;
    QString m_path;
    QByteArray m_hash;
    QByteArray m_lastSeen;
};
