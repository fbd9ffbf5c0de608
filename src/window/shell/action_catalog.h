#pragma once

#include <QHash>
#include <QString>

class QAction;
class QObject;

// Every command of the main window, created in one place. Each action is
// a child of the owner, named after the command, with its caption, hint
// (short part as tooltip, long part as status tip) and shortcut.
class ActionCatalog
{
public:
    explicit ActionCatalog(QObject *owner);

    QAction *operator[](const char *name) const;
    const QHash<QString, QAction *> &all() const { return m_actions; }

private:
    QHash<QString, QAction *> m_actions;
};
