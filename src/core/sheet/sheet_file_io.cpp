#include "core/sheet/sheet_file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace {

const QChar kCr(u'\r');

QString quoted(const QString &path)
{
    return QStringLiteral("«") + path + QStringLiteral("»");
}

QString readFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Не удалось прочитать файл ") + quoted(path) + QStringLiteral(".") + kCr + reason;
}

QString writeFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Не удалось записать файл ") + quoted(path) + QStringLiteral(".") + kCr + reason;
}

void setError(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

} // namespace

bool fileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

std::optional<ByteLines> readSheetFile(const QString &path, QString *error)
{
    const std::optional<QByteArray> bytes = readSheetBytes(path, error);
    if (!bytes)
        return std::nullopt;
    return splitText(*bytes);
}

std::optional<QByteArray> readSheetBytes(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        setError(error, readFailure(path, QStringLiteral("Файла нет на диске.")));
        return std::nullopt;
    }
    if (info.isDir()) {
        setError(error, readFailure(path, QStringLiteral("Это папка, а не файл таблицы стилей.")));
        return std::nullopt;
    }
    if (info.size() > kMaxSheetBytes) {
        setError(error, readFailure(path, QStringLiteral("Файл слишком велик (%1 МБ): Quillbox открывает таблицы "
                                                         "стилей размером до %2 МБ.")
                                              .arg(info.size() / (1024 * 1024))
                                              .arg(kMaxSheetBytes / (1024 * 1024))));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, readFailure(path, file.errorString()));
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxSheetBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        setError(error, readFailure(path, file.errorString()));
        return std::nullopt;
    }
    if (bytes.size() > kMaxSheetBytes) {
        setError(error, readFailure(path, QStringLiteral("Файл слишком велик: Quillbox открывает таблицы стилей "
                                                         "размером до %1 МБ.")
                                              .arg(kMaxSheetBytes / (1024 * 1024))));
        return std::nullopt;
    }
    if (bytes.contains('\0')) {
        setError(error, readFailure(path, QStringLiteral("В нём есть нулевые байты: это не текстовый файл, "
                                                         "а таблица стилей должна быть текстом.")));
        return std::nullopt;
    }
    return bytes;
}

bool writeSheetFile(const QString &path, const ByteLines &lines, QString *error)
{
    return writeTextFile(path, joinLines(lines), error);
}

bool writeTextFile(const QString &path, const QByteArray &text, QString *error)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        setError(error, writeFailure(path, QStringLiteral("На этом месте не обычный файл.")));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, writeFailure(path, file.errorString()));
        return false;
    }
    if (file.write(text) != text.size()) {
        setError(error, writeFailure(path, file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, writeFailure(path, file.errorString()));
        return false;
    }
    return true;
}

bool replaceFile(const QString &from, const QString &to, QString *error)
{
    std::error_code code;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), code);
    if (code) {
        setError(error, QStringLiteral("Не удалось заменить файл ") + quoted(to) + QStringLiteral(" файлом ")
                            + quoted(from) + QStringLiteral(".") + kCr + QString::fromLocal8Bit(code.message()));
        return false;
    }
    return true;
}

bool removeFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.remove()) {
        setError(error, QStringLiteral("Не удалось удалить файл ") + quoted(path) + QStringLiteral(".") + kCr
                            + file.errorString());
        return false;
    }
    return true;
}
