#pragma once

#include <QString>

// The site folders the user set, remembered in the settings: for an origin
// of a server on this machine ("http://localhost:8000"), the folder its
// root stands for; for pages from disk, the folders opened as sites.
namespace site_folders {

QString folderFor(const QString &origin);
void setFolderFor(const QString &origin, const QString &folder);

// The site folder a page file lies in, the deepest one set; empty for none.
QString folderOfFile(const QString &pageFile);
void addFileSite(const QString &folder);

} // namespace site_folders
