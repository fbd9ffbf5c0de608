#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// The author's mailbox with the subject of a new letter, and the product's
// home page.
QUrl mailAddress();
QUrl homePageAddress();

// Registers the program as the desktop's handler of style sheets, the way
// freedesktop.org desktops agree on: a desktop entry for text/css, the
// program's icon, and the default for text/css.
class DesktopIntegration
{
public:
    // dataHome and configHome are the user's XDG folders.
    DesktopIntegration(QString programPath, QByteArray iconPng, QString dataHome, QString configHome);

    // Writes the three files; each is written whole or not at all. On a
    // failure error names the file and why.
    bool integrate(QString *error);

    // Runs xdg-mime with these arguments; false when it is missing or
    // fails, and the list of defaults is then written here.
    std::function<bool(const QStringList &arguments)> runXdgMime;

    QString desktopEntryPath() const;
    QString iconPath() const;
    QString mimeAppsPath() const;

    static QString desktopEntryText(const QString &programPath);
    // The list of default applications with text/css given to the entry.
    static QByteArray withCssDefault(const QByteArray &mimeApps, const QString &entryName);

private:
    QString m_programPath;
    QByteArray m_iconPng;
    QString m_dataHome;
    QString m_configHome;
};
