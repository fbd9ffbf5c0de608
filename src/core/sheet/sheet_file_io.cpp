#include "core/sheet/sheet_file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

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

std::function<int(const QString &)> &fileFault()
{
    static std::function<int(const QString &)> fault;
    return fault;
}

int injectedFault(const QString &path)
{
    return fileFault() ? fileFault()(path) : 0;
}

// A file's mode and owner, as taken before a write and given after it.
struct Mode {
    mode_t bits = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

std::optional<Mode> modeOfFile(const QString &path)
{
    struct stat source {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &source) != 0)
        return std::nullopt;
    return Mode{mode_t(source.st_mode & 07777), source.st_uid, source.st_gid};
}

// The owner only where the system lets this user give it.
void giveMode(const QString &path, const Mode &mode)
{
    const QByteArray target = QFile::encodeName(path);
    ::chmod(target.constData(), mode.bits);
    if (::chown(target.constData(), mode.owner, mode.group) != 0) {
        [[maybe_unused]] const int groupOnly = ::chown(target.constData(), uid_t(-1), mode.group);
    }
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
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, readFailure(path, fileErrorReason(errno ? errno : EACCES, false)));
        return std::nullopt;
    }
    errno = 0;
    const QByteArray bytes = file.read(kMaxSheetBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        setError(error, readFailure(path, fileErrorReason(errno, false)));
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

QString fileErrorReason(int systemError, bool writing)
{
    switch (systemError) {
    case EACCES:
    case EPERM:
        return writing ? QStringLiteral("Нет прав на запись: файл или его папка защищены от изменений.")
                       : QStringLiteral("Нет прав на чтение этого файла.");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("На диске не хватает места.");
    case EROFS: return QStringLiteral("Диск доступен только для чтения.");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("Файла или его папки нет на диске.");
    case EISDIR: return QStringLiteral("На этом месте папка, а не файл.");
    default: return QStringLiteral("Система сообщила об ошибке (код %1).").arg(systemError);
    }
}

bool writeTextFile(const QString &path, const QByteArray &text, QString *error, const QString &modeOf)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        setError(error, writeFailure(path, fileErrorReason(EISDIR)));
        return false;
    }
    if (const int fault = injectedFault(path)) {
        setError(error, writeFailure(path, fileErrorReason(fault)));
        return false;
    }
    // Qt's own texts are English; the reason is told from the system's
    // error number, taken right after the call that failed.
    auto failed = [&](int systemError) {
        setError(error, writeFailure(path, systemError ? fileErrorReason(systemError) : QStringLiteral("Запись не удалась.")));
        return false;
    };
    // Written beside the file and put in its place in one step, as a save
    // should be. The stand-in is hidden and named as an editor's backup
    // (".site.css.AbC123~"), which the watchers of dev servers and static
    // site generators pass over: they would take it for a file of the site.
    // A link stays a link: its target is written.
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const QFileInfo place(target);
    QTemporaryFile file(place.absolutePath() + QStringLiteral("/.") + place.fileName() + QStringLiteral(".XXXXXX~"));
    errno = 0;
    if (!file.open())
        return failed(errno ? errno : EACCES);
    // The file keeps its own mode (a new file gets the usual one), or takes
    // modeOf's; the stand-in has it before it takes the file's place, so
    // the text is never readable by more people.
    std::optional<Mode> mode = modeOfFile(modeOf.isEmpty() ? target : modeOf);
    if (!mode) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = Mode{mode_t(0666 & ~mask), ::geteuid(), ::getegid()};
    }
    ::fchmod(file.handle(), mode->bits);
    errno = 0;
    if (file.write(text) != text.size() || !file.flush() || ::fsync(file.handle()) != 0)
        return failed(errno);
    errno = 0;
    if (::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return failed(errno);
    file.setAutoRemove(false);
    giveMode(target, *mode);
    return true;
}

bool replaceFile(const QString &from, const QString &to, QString *error)
{
    auto failed = [&](int systemError) {
        setError(error, QStringLiteral("Не удалось заменить файл ") + quoted(to) + QStringLiteral(" файлом ")
                            + quoted(from) + QStringLiteral(".") + kCr + fileErrorReason(systemError));
        return false;
    };
    if (const int fault = injectedFault(to))
        return failed(fault);
    if (const std::optional<Mode> mode = modeOfFile(to))
        giveMode(from, *mode);
    std::error_code code;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), code);
    if (code)
        return failed(code.value());
    return true;
}

bool removeFile(const QString &path, QString *error)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0) {
        setError(error, QStringLiteral("Не удалось удалить файл ") + quoted(path) + QStringLiteral(".") + kCr
                            + fileErrorReason(errno));
        return false;
    }
    return true;
}

void setFileFaultForTests(std::function<int(const QString &path)> fault)
{
    fileFault() = std::move(fault);
}
