#include "core/sheet/sheet_files.h"

#include "core/host/editor_host.h"
#include "core/host/init_settings.h"
#include "core/host/questioner.h"
#include "core/sheet/sheet_file_io.h"
#include "core/sheet/sheet_store.h"
#include "core/sheet/style_list_model.h"

#include <QFile>

#include <algorithm>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

#include <memory>

namespace {

const QString kCaptionPrefix = QStringLiteral("Quillbox 1.8 - ");

QString recoveryQuestion()
{
    const QChar cr(u'\r');
    return QStringLiteral("При попытке открытия файла обнаружена его начальная версия. ") + cr
           + QStringLiteral("Это означает, что в предыдущий сеанс работы был аварийно завершен ") + cr
           + QStringLiteral("или файл открыт в другом окне Quillbox (не рекомендуется)") + cr + cr
           + QStringLiteral("Хотите редактировать незавершенный файл?") + cr + cr
           + QStringLiteral("ДА-будет открыт запрошенный файл с последними изменениями") + cr
           + QStringLiteral("НЕТ-файл будет восстановлен из обнаруженной начальной версии") + cr
           + QStringLiteral("ОТМЕНА - прервать операцию");
}

} // namespace

SheetFiles::SheetFiles(SheetStore &store, EditorHost &host, Questioner &questioner)
    : m_store(store)
    , m_host(host)
    , m_questioner(questioner)
{
}

QString SheetFiles::folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

void SheetFiles::fail(const QString &message)
{
    m_questioner.tell(message, QStringLiteral("Quillbox"), Questioner::Icon::Error);
}

void SheetFiles::setCaptionFor(const QString &name)
{
    m_host.setCaption(kCaptionPrefix + name);
}

void SheetFiles::NewSheet()
{
    m_store.setEncoding(SheetEncoding::Utf8, false);
    // A new sheet ends its lines as this platform's files do.
    m_store.setLineBreaks("\n", true);
    m_store.setSheetLines({});
    m_store.RebuildStyleTable(); // an empty sheet: no rule, no tail
    m_store.table().setEntry(0, QByteArrayLiteral("Body"), {});
    m_store.table().count = 1;
    m_store.list().setItems({QByteArrayLiteral("Body")});
    m_store.list().setSelected(0);
    m_store.setCurrentStyleIndex(0);
    m_store.memo().clear();
    if (resetPanels)
        resetPanels();
    m_store.setCurrentFileName(QString());
    setCaptionFor(QStringLiteral("NoName.css"));
    m_store.setHomePageAddress(QStringLiteral("about:blank"));
    m_store.history().pos = 0;
    m_store.RegenerateSheet();
    m_store.markUnmodified();
    if (sheetReplaced)
        sheetReplaced();
}

namespace {

// Sheets above this size take long enough to open (their views are laid
// out in full) that the window says it is busy.
constexpr qint64 kLongOpenBytes = 1024 * 1024;

// Ends the window's long-work notice however the load ends.
class LongWork
{
public:
    LongWork(EditorHost &host, bool long_, const QString &whatIsDone)
        : m_host(long_ ? &host : nullptr)
    {
        if (m_host)
            m_host->beginLongWork(whatIsDone);
    }
    ~LongWork()
    {
        if (m_host)
            m_host->endLongWork();
    }
    LongWork(const LongWork &) = delete;
    LongWork &operator=(const LongWork &) = delete;

private:
    EditorHost *m_host;
};

} // namespace

std::optional<QByteArray> SheetFiles::readGuarded(const QString &path)
{
    QString error;
    const std::optional<QByteArray> bytes = readSheetBytes(path, &error);
    if (!bytes) {
        fail(error);
        return std::nullopt;
    }
    // The copy comes first: a sheet is only edited while its copy guards
    // it. It is the file's own bytes, so that "No" gives the file back
    // exactly as it was.
    if (!writeTextFile(recoveryPath(path), *bytes, &error, path)) {
        fail(error);
        return std::nullopt;
    }
    return bytes;
}

void SheetFiles::putFileBytes(const QByteArray &bytes)
{
    const ByteLines lines = splitText(bytes);
    // The encoding is the file's; a byte order mark is kept aside and
    // written again in front of the first line.
    const SheetEncoding encoding = detectSheetEncoding(lines);
    const bool bom = encoding == SheetEncoding::Utf8 && !lines.isEmpty() && lines.first().startsWith(kUtf8Bom);
    m_store.setEncoding(encoding, bom);
    ByteLines text = lines;
    if (bom)
        text.first().remove(0, 3);
    m_store.setSheetLines(text);
    m_store.setDiskLines(lines);
    m_store.setLineBreaksOf(bytes, text);
}

bool SheetFiles::LoadSheet(const QString &path)
{
    const QFileInfo info(path);
    const LongWork notice(m_host, info.size() > kLongOpenBytes,
                          QStringLiteral("Открывается файл %1 (%2 МБ)...")
                              .arg(info.fileName(),
                                   QLocale(QLocale::Russian).toString(double(info.size()) / (1024 * 1024), 'f', 1)));
    const std::optional<QByteArray> bytes = readGuarded(path);
    if (!bytes)
        return false;
    m_store.memo().clear();
    putFileBytes(*bytes);
    m_store.RebuildStyleTable();
    m_store.setCurrentFileName(path);
    m_store.fileWatch().remember(path, *bytes);
    m_toldRemoved = false;
    m_store.selectAfterRebuild(0);
    RememberLastFile();
    m_store.setSheetModified(false);
    if (sheetReadFromDisk)
        sheetReadFromDisk();
    if (goToBasePage)
        goToBasePage();
    m_store.history().pos = 0;
    m_store.RegenerateSheet();
    m_store.markUnmodified();
    if (sheetReplaced)
        sheetReplaced();
    return true;
}

bool SheetFiles::OpenSheet(const QString &path)
{
    const QString copy = recoveryPath(path);
    if (!fileExists(copy))
        return LoadSheet(path);
    const Questioner::Button answer =
        m_questioner.ask(recoveryQuestion(), QStringLiteral("ВНИМАНИЕ!"),
                         Questioner::Yes | Questioner::No | Questioner::Cancel, Questioner::Icon::Exclamation);
    QString error;
    switch (answer) {
    case Questioner::Yes:
        // The file as the interrupted run left it; LoadSheet makes a new copy.
        return LoadSheet(path);
    case Questioner::No:
        // A copy that cannot be read as a sheet must not take the file's place.
        if (!readSheetFile(copy, &error)) {
            fail(QStringLiteral("Начальную версию восстановить нельзя, файл оставлен как есть.") + QChar(u'\r')
                 + error);
            return false;
        }
        if (!replaceFile(copy, path, &error)) {
            fail(error);
            return false;
        }
        return LoadSheet(path);
    default:
        return false;
    }
}

bool SheetFiles::SaveSheet()
{
    m_store.RegenerateSheet();
    const QString path = m_store.currentFileName();
    if (m_store.fileWatch().path() == path && !MayWriteSheet()) {
        m_store.setMayProceed(false);
        return false;
    }
    QString error;
    const QByteArray text = m_store.fileText();
    if (!writeTextFile(path, text, &error) || !writeTextFile(recoveryPath(path), text, &error, path)) {
        fail(error);
        m_store.setMayProceed(false);
        return false;
    }
    m_store.fileWatch().remember(path, text);
    m_toldRemoved = false;
    RememberLastFile();
    m_store.markUnmodified();
    return true;
}

bool SheetFiles::ConfirmDiscard()
{
    m_store.setMayProceed(true);
    m_discardedChanges = false;
    const QString path = m_store.currentFileName();
    const QString copy = recoveryPath(path);
    QString error;
    bool keptCopy = false;
    if (m_store.sheetModified()) {
        const Questioner::Button answer =
            m_questioner.ask(QStringLiteral("Текущий файл изменен. Сохранить изменения?"), QStringLiteral("Quillbox"),
                             Questioner::Yes | Questioner::No | Questioner::Cancel, Questioner::Icon::Exclamation);
        switch (answer) {
        case Questioner::Yes:
            SaveExecute();
            break;
        case Questioner::No:
            // The file goes back to its state at the last open or save. A
            // file without a copy, or one another program has removed, is
            // left as it is.
            if (!path.isEmpty() && fileExists(copy) && fileExists(path) && !replaceFile(copy, path, &error)) {
                // The user chose to leave: they are told where things are,
                // and the copy stays for them.
                fail(QStringLiteral("Файл «%1» не удалось вернуть к последней сохранённой версии.").arg(path)
                     + QChar(u'\r') + error.section(QChar(u'\r'), 1) + QChar(u'\r')
                     + QStringLiteral("Файл оставлен как есть, сохранённая версия лежит в «%1».").arg(copy));
                keptCopy = true;
            } else if (m_store.fileWatch().path() == path && m_store.fileWatch().check() == SheetFileWatch::State::Changed) {
                // The file as restored is the program's own doing, not
                // another program's change to ask about.
                m_store.fileWatch().accept();
            }
            m_discardedChanges = true;
            break;
        default:
            m_store.setMayProceed(false);
            break;
        }
    }
    // A save as may have given the sheet a new name meanwhile.
    const QString finalCopy = recoveryPath(m_store.currentFileName());
    if (m_store.mayProceed() && !keptCopy && !m_store.currentFileName().isEmpty() && fileExists(finalCopy)
        && !removeFile(finalCopy, &error))
        fail(error);
    return m_store.mayProceed();
}

void SheetFiles::RememberLastFile(bool again)
{
    LastFileSettings last;
    last.pathToLastFile = m_store.currentFileName();
    last.lastNameStyle = m_store.codec().decode(m_store.list().selectedText());
    const std::pair<QString, QString> now{last.pathToLastFile, last.lastNameStyle};
    if (!again && m_remembered == now) {
        setCaptionFor(last.pathToLastFile);
        return;
    }
    std::unique_ptr<QSettings> settings(openProgramSettings());
    last.write(*settings);
    setCaptionFor(m_store.currentFileName());
    m_recent.add(m_store.currentFileName());
    m_remembered = now;
}

void SheetFiles::OpenLastFile(const QStringList &arguments)
{
    std::unique_ptr<QSettings> settings(openProgramSettings());
    QString path = QStringLiteral("Нема на диске такого файла точно");
    QString style = QStringLiteral("BODY");
    if (const std::optional<LastFileSettings> last = LastFileSettings::read(*settings)) {
        path = last->pathToLastFile;
        style = last->lastNameStyle;
    }
    if (!arguments.isEmpty() && fileExists(arguments.first()))
        path = QFileInfo(arguments.first()).absoluteFilePath();
    if (!fileExists(path))
        return;
    if (!OpenSheet(path))
        return;
    const QByteArray wanted = m_store.codec().encode(style);
    for (int i = 0; i < m_store.styleCount(); ++i) {
        if (m_store.list().item(i) == wanted) {
            m_store.list().setSelected(i);
            break;
        }
    }
    m_store.SelectStyle();
}

void SheetFiles::NewExecute()
{
    if (ConfirmDiscard())
        NewSheet();
}

void SheetFiles::OpenFileExecute()
{
    if (!ConfirmDiscard())
        return;
    const bool discarded = m_discardedChanges;
    const std::optional<QString> chosen = m_host.chooseSheetToOpen(folderOf(m_store.currentFileName()));
    if (chosen) {
        OpenSheet(*chosen);
        return;
    }
    if (m_store.currentFileName().isEmpty())
        return;
    // The sheet stays open. Changes the user has just declined are not
    // written back: the file, already restored, is read again instead.
    if (discarded)
        LoadSheet(m_store.currentFileName());
    else
        SaveExecute();
}

namespace {

const QString kChangedQuestion = QStringLiteral(
    "Файл изменён другой программой. Перечитать его? Ваши несохранённые изменения будут потеряны.");

} // namespace

void SheetFiles::DiskChanged()
{
    if (m_asking || m_store.currentFileName().isEmpty() || m_store.fileWatch().path() != m_store.currentFileName())
        return;
    switch (m_store.fileWatch().check()) {
    case SheetFileWatch::State::Same:
        return;
    case SheetFileWatch::State::Removed:
        // The sheet stays open and unsaved; the next save writes it again.
        if (!m_toldRemoved && tellStatus)
            tellStatus(QStringLiteral("Файл удалён с диска"));
        m_toldRemoved = true;
        m_store.setSheetModified(true);
        return;
    case SheetFileWatch::State::Changed:
        break;
    }
    m_toldRemoved = false;
    if (m_store.sheetModified()) {
        m_asking = true;
        const Questioner::Button answer = m_questioner.ask(kChangedQuestion, QStringLiteral("Quillbox"),
                                                           Questioner::Yes | Questioner::No, Questioner::Icon::Exclamation);
        m_asking = false;
        if (answer != Questioner::Yes) {
            keepOwnVersion();
            return;
        }
    }
    if (TakeFileFromDisk() && tellStatus)
        tellStatus(QStringLiteral("Файл изменён на диске и перечитан"));
}

bool SheetFiles::MayWriteSheet()
{
    if (m_asking || m_store.fileWatch().check() != SheetFileWatch::State::Changed)
        return true;
    m_asking = true;
    const Questioner::Button answer = m_questioner.ask(kChangedQuestion, QStringLiteral("Quillbox"),
                                                       Questioner::Yes | Questioner::No, Questioner::Icon::Exclamation);
    m_asking = false;
    if (answer != Questioner::Yes) {
        keepOwnVersion();
        return true;
    }
    TakeFileFromDisk();
    return false;
}

void SheetFiles::keepOwnVersion()
{
    // The other program's version is now the one a "No" at close gives
    // back: the copy holds it, so that change is not undone unseen.
    const QString path = m_store.currentFileName();
    QString error;
    if (const std::optional<QByteArray> bytes = readSheetBytes(path, &error)) {
        if (!writeTextFile(recoveryPath(path), *bytes, &error, path))
            fail(error);
    }
    m_store.fileWatch().accept();
}

bool SheetFiles::TakeFileFromDisk()
{
    const QString path = m_store.currentFileName();
    const std::optional<QByteArray> bytes = readGuarded(path);
    if (!bytes)
        return false;
    if (takingFile)
        takingFile();
    // The same rule is selected again: the same block, selector and
    // occurrence of both, not the first rule of that name.
    const StyleListModel &list = m_store.list();
    const int before = list.selected();
    const QByteArray context = list.context(before);
    const QByteArray selected = list.selectedText();
    int occurrence = 0;
    for (int i = 0; i < before; ++i)
        occurrence += list.item(i) == selected && list.context(i) == context ? 1 : 0;
    m_store.memo().clear();
    putFileBytes(*bytes);
    m_store.RebuildStyleTable();
    m_store.fileWatch().remember(path, *bytes);
    int row = -1;
    for (int i = 0, seen = 0; i < list.count() && row < 0; ++i) {
        if (list.item(i) == selected && list.context(i) == context && seen++ == occurrence)
            row = i;
    }
    if (row < 0)
        row = int(list.items().indexOf(selected));
    m_store.selectAfterRebuild(std::max(row, 0));
    // One step of the history: undo gives back the text before.
    m_store.RegenerateSheet();
    m_store.markUnmodified();
    if (sheetReadFromDisk)
        sheetReadFromDisk();
    if (sheetReplaced)
        sheetReplaced();
    if (sheetTaken)
        sheetTaken();
    if (fileTaken)
        fileTaken();
    return true;
}

QString SheetFiles::OpenRecentExecute(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        m_recent.remove(path);
        return QStringLiteral("Файл не найден и убран из списка: ") + path;
    }
    if (!ConfirmDiscard())
        return {};
    OpenSheet(path);
    return {};
}

void SheetFiles::SaveExecute()
{
    if (m_host.htmlEditorHasFocus() && saveHtmlDocument)
        saveHtmlDocument();
    if (!m_store.currentFileName().isEmpty())
        SaveSheet();
    else
        SaveAsExecute();
}

void SheetFiles::SaveAsExecute()
{
    const QString current = m_store.currentFileName();
    const std::optional<QString> chosen = m_host.chooseSheetToSaveAs(folderOf(current));
    if (!chosen) {
        m_store.setMayProceed(false);
        return;
    }
    const QString name = *chosen;
    if (fileExists(name) && name != current) {
        const Questioner::Button answer =
            m_questioner.ask(QStringLiteral("Такой файл уже существует.Заменить его?"), QStringLiteral("Quillbox"),
                             Questioner::Yes | Questioner::No, Questioner::Icon::Exclamation);
        if (answer != Questioner::Yes) {
            // Nothing was saved, so whatever asked for the save must not go on.
            m_store.setMayProceed(false);
            return;
        }
    }
    QString error;
    const QString copy = recoveryPath(current);
    if (!current.isEmpty() && name != current && fileExists(copy)) {
        // The old file goes back to its last saved state; the edits go to
        // the new name only.
        if (!replaceFile(copy, current, &error)) {
            fail(error);
            m_store.setMayProceed(false);
            return;
        }
    }
    m_store.setCurrentFileName(name);
    SaveSheet();
}
