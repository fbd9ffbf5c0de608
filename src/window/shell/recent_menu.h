#pragma once

#include <QMenu>

#include <functional>

class RecentSheets;

// RecentFiles: "Последние файлы", the recent sheets newest first, numbered
// for the keyboard. A choice hands the path on; the menu is off while the
// list is empty.
class RecentMenu : public QMenu
{
    Q_OBJECT
public:
    RecentMenu(RecentSheets &recent, std::function<void(const QString &)> open, QWidget *parent = nullptr);

private:
    void fill();

    RecentSheets &m_recent;
    std::function<void(const QString &)> m_open;
};
