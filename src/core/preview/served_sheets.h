#pragma once

#include <QString>
#include <QUrl>

// Pages from a server on this machine: a framework's dev server, a static
// site's `serve`. They are previewed as file pages are.

// An http or https address of this machine: localhost, 127.0.0.0/8, [::1].
bool isLocalServerUrl(const QUrl &url);

// A page that is served: from a server on this machine, or a site folder
// through the program's own scheme.
bool isServedUrl(const QUrl &url);

// How many of their last path parts an address and a file share, from the
// file name back ("/css/site.css" and ".../site/css/site.css": 2).
int sharedTrailingParts(const QUrl &address, const QString &filePath);

// The file a site folder gives an address of its origin: the folder and
// the address's path; empty when the path would lead out of the folder.
QString fileInSiteFolder(const QString &folder, const QUrl &address);

// The origin an address belongs to, as the site folders are stored by:
// "http://localhost:5173".
QString originOf(const QUrl &url);

// For a page file whose links start with "/" and find nothing from the
// disk's root: the nearest folder above the page in which one of them
// does, which the page's site stands for; empty when there is none.
QString siteFolderOffer(const QString &pageFile, const QByteArray &html);
