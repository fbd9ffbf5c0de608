#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// What the browser loads for an address typed, picked or named by the
// sheet: web and file addresses as they are, absolute paths as files, a
// relative name as the file beside the sheet where one exists and as a
// web address otherwise.
QUrl addressToUrl(const QString &address, const QString &sheetPath);

// How the sheet names its page: a local page in the sheet's folder, below
// it, or below one of the two folders above it (but the root and the home
// folder) relative to the sheet ("index.html", "../index.html"), so that
// the sheet holds no machine's own path; any other address as it is. A
// sheet without a file names pages as they are.
QString pageAddressForSheet(const QString &address, const QString &sheetPath);

// The local file a browser address stands for: the file address's path
// with every escape decoded and the fragment cut off; where no such file
// exists but one of the same name lies beside the sheet, that one.
QString PageAddressToPath(const QString &address, const QString &sheetPath);

// The address box's history: the newest address first, each once whatever
// its letter case; the browser's own pages ("res://" and the like, which
// begin with "r") are left out.
void rememberAddress(QStringList &history, const QString &address);
