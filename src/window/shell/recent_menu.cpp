#include "window/shell/recent_menu.h"

#include "core/sheet/recent_sheets.h"

#include <QDir>

RecentMenu::RecentMenu(RecentSheets &recent, std::function<void(const QString &)> open, QWidget *parent)
    : QMenu(QStringLiteral("Последние файлы"), parent)
    , m_recent(recent)
    , m_open(std::move(open))
{
    setObjectName(QStringLiteral("RecentFiles"));
    setAccessibleName(QStringLiteral("Последние файлы"));
    menuAction()->setObjectName(QStringLiteral("RecentFilesMenu"));
    connect(&recent, &RecentSheets::changed, this, &RecentMenu::fill);
    // Another window may have changed the list since.
    connect(this, &QMenu::aboutToShow, this, &RecentMenu::fill);
    fill();
}

void RecentMenu::fill()
{
    clear();
    const QStringList paths = m_recent.paths();
    for (int i = 0; i < paths.size(); ++i) {
        // "&1" to "&9", then "1&0": each has its key.
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        QAction *entry = addAction(number + QLatin1Char(' ') + QDir::toNativeSeparators(paths[i]));
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        entry->setToolTip(paths[i]);
        const QString path = paths[i];
        connect(entry, &QAction::triggered, this, [this, path] { m_open(path); });
    }
    menuAction()->setEnabled(!paths.isEmpty());
}
