#pragma once

#include <QObject>
#include <QStringList>

// The sheets last opened or saved, newest first and at most ten, kept in
// the program's settings ("RecentFiles") so that every window and the next
// run see them.
class RecentSheets : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMax = 10;

    QStringList paths() const;
    // Puts the sheet first, once.
    void add(const QString &path);
    void remove(const QString &path);

signals:
    void changed();

private:
    void store(const QStringList &paths);
};
