#include "core/editor/desktop_integration.h"

#include "core/sheet/sheet_file_io.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString kEntryName = QStringLiteral("quillbox.desktop");

// A path as one argument of Exec: quoted, with the characters that quoting
// reserves escaped, then the backslashes of the string value doubled.
QString execArgument(const QString &path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    return quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

bool runXdgMimeProcess(const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (program.isEmpty())
        return false;
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QStringLiteral("Не удалось создать папку для файла «%1».").arg(path);
        return false;
    }
    return writeTextFile(path, bytes, error);
}

} // namespace

QUrl mailAddress()
{
    return QUrl(QStringLiteral("mailto:author@tarnwell.example,quillbox@tarnwell.example?subject=")
                    + QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral("Quillbox (тему не меняйте)"))),
                QUrl::StrictMode);
}

QUrl homePageAddress()
{
    return QUrl(QStringLiteral("https://tarnwell.example/quillbox/"));
}

DesktopIntegration::DesktopIntegration(QString programPath, QByteArray iconPng, QString dataHome,
                                       QString configHome)
    : runXdgMime(runXdgMimeProcess)
    , m_programPath(std::move(programPath))
    , m_iconPng(std::move(iconPng))
    , m_dataHome(std::move(dataHome))
    , m_configHome(std::move(configHome))
{
}

QString DesktopIntegration::desktopEntryPath() const
{
    return m_dataHome + QStringLiteral("/applications/") + kEntryName;
}

QString DesktopIntegration::iconPath() const
{
    return m_dataHome + QStringLiteral("/icons/hicolor/256x256/apps/quillbox.png");
}

QString DesktopIntegration::mimeAppsPath() const
{
    return m_configHome + QStringLiteral("/mimeapps.list");
}

QString DesktopIntegration::desktopEntryText(const QString &programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quillbox\n"
                          "GenericName=Редактор таблиц стилей\n"
                          "Comment=Визуальный редактор каскадных таблиц стилей\n"
                          "Exec=%1 %f\n"
                          "Icon=quillbox\n"
                          "MimeType=text/css;\n"
                          "Categories=Development;WebDevelopment;\n"
                          "Terminal=false\n")
        .arg(execArgument(programPath));
}

QByteArray DesktopIntegration::withCssDefault(const QByteArray &mimeApps, const QString &entryName)
{
    const QByteArray entry = "text/css=" + entryName.toUtf8();
    QList<QByteArray> lines = mimeApps.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    qsizetype section = lines.indexOf("[Default Applications]");
    if (section < 0) {
        if (!lines.isEmpty())
            lines.append(QByteArray());
        lines.append("[Default Applications]");
        section = lines.size() - 1;
    }
    qsizetype end = section + 1;
    while (end < lines.size() && !lines[end].startsWith('['))
        ++end;
    bool replaced = false;
    for (qsizetype i = section + 1; i < end; ++i) {
        if (lines[i].startsWith("text/css=")) {
            lines[i] = entry;
            replaced = true;
        }
    }
    if (!replaced) {
        // After the section's last key, before the blank lines that end it.
        qsizetype at = end;
        while (at > section + 1 && lines[at - 1].trimmed().isEmpty())
            --at;
        lines.insert(at, entry);
    }
    return lines.join('\n') + '\n';
}

bool DesktopIntegration::integrate(QString *error)
{
    if (!writeFile(desktopEntryPath(), desktopEntryText(m_programPath).toUtf8(), error)
        || !writeFile(iconPath(), m_iconPng, error))
        return false;
    if (runXdgMime && runXdgMime({QStringLiteral("default"), kEntryName, QStringLiteral("text/css")}))
        return true;
    QFile existing(mimeAppsPath());
    const QByteArray before = existing.open(QIODevice::ReadOnly) ? existing.readAll() : QByteArray();
    return writeFile(mimeAppsPath(), withCssDefault(before, kEntryName), error);
}
