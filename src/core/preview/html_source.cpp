#include "core/preview/html_source.h"

#include "core/preview/browser_host.h"
#include "core/sheet/cp1251.h"
#include "core/preview/page_address.h"
#include "core/host/questioner.h"
#include "core/sheet/sheet_file_io.h"
#include "core/sheet/sheet_store.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

const QString kReasons = QStringLiteral("Вероятные причины: файл на сервере или неверное имя файла.");

} // namespace

bool readsAsUtf8(const QByteArray &bytes)
{
    // Letters beyond ASCII decide: a page that says UTF-8 but is not would
    // lose them to replacement characters at the first save.
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        [[maybe_unused]] const QString text = decoder(bytes);
        return !decoder.hasError();
    }
    const QByteArray head = bytes.left(4096).toLower();
    return head.contains("charset=utf-8") || head.contains("charset=\"utf-8");
}

HtmlSource::HtmlSource(SheetStore &store, Questioner &questioner)
    : m_store(store)
    , m_questioner(questioner)
{
}

QString HtmlSource::decode(const QByteArray &bytes) const
{
    QString text = m_utf8 ? QString::fromUtf8(bytes) : cp1251::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QByteArray HtmlSource::encode(const QString &text) const
{
    QByteArray bytes;
    if (m_utf8) {
        bytes = text.toUtf8();
    } else {
        // What the page's code page lacks becomes a character reference.
        bytes.reserve(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) {
            char32_t c = text.at(i).unicode();
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                c = QChar::surrogateToUcs4(char16_t(c), text.at(++i).unicode());
            char byte;
            if (c <= 0xFFFF && cp1251::encodeChar(char16_t(c), &byte))
                bytes += byte;
            else
                bytes += "&#" + QByteArray::number(qulonglong(c)) + ';';
        }
    }
    bytes.replace("\n", "\r\n");
    return bytes;
}

std::optional<HtmlSource::Shown> HtmlSource::LoadHtmlIntoEditor()
{
    const QString location = m_browser ? m_browser->locationText() : QString();
    const QString path = PageAddressToPath(location, m_store.currentFileName());
    // The editor's file is the one last read; a page that cannot be read
    // is only named in what the editor shows.
    m_asked = path;
    m_loaded = false;
    if (path.isEmpty() || path == QLatin1String("about:blank")) {
        m_questioner.tell(QStringLiteral("Сначала нужно Открыть HTML (меню-Браузер)"));
        return std::nullopt;
    }
    if (!fileExists(path))
        return Shown{path + QStringLiteral("\nФайл HTML с указанным именем открыть не удалось.\n") + kReasons, false, {}};
    QFile file(path);
    QByteArray bytes;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSheetBytes
        || (bytes = file.readAll(), file.error() != QFileDevice::NoError)) {
        return Shown{QStringLiteral("Файл HTML с именем \"") + path + QStringLiteral("\" открыть не удалось.\n")
                     + kReasons,
                     false,
                     {}};
    }
    m_utf8 = readsAsUtf8(bytes);
    m_loaded = true;
    m_store.setHtmlFileName(path);
    m_watch.remember(path, bytes);
    return Shown{decode(bytes), true, path};
}

std::optional<HtmlSource::Shown> HtmlSource::readPage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSheetBytes)
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    m_utf8 = readsAsUtf8(bytes);
    m_watch.remember(path, bytes);
    return Shown{decode(bytes), true, path};
}

namespace {

const QString kPageChanged = QStringLiteral(
    "Файл изменён другой программой. Перечитать его? Ваши несохранённые изменения будут потеряны.");

} // namespace

std::optional<HtmlSource::Shown> HtmlSource::PageDiskChanged(bool editorChanged)
{
    if (!m_loaded || m_watch.path().isEmpty() || m_watch.check() != SheetFileWatch::State::Changed)
        return std::nullopt;
    if (editorChanged
        && m_questioner.ask(kPageChanged, QStringLiteral("Quillbox"), Questioner::Yes | Questioner::No,
                            Questioner::Icon::Exclamation)
               != Questioner::Yes) {
        m_watch.accept();
        return std::nullopt;
    }
    return readPage(m_watch.path());
}

bool HtmlSource::MayWritePage()
{
    if (m_watch.path() != m_store.htmlFileName() || m_watch.check() != SheetFileWatch::State::Changed)
        return true;
    if (m_questioner.ask(kPageChanged, QStringLiteral("Quillbox"), Questioner::Yes | Questioner::No,
                         Questioner::Icon::Exclamation)
        != Questioner::Yes) {
        m_watch.accept();
        return true;
    }
    m_taken = readPage(m_watch.path());
    return false;
}

bool HtmlSource::SaveHTMLClick(const QString &editorText)
{
    const QString path = m_store.htmlFileName();
    // The editor holds the page only after a load that read it: otherwise
    // its text is the reason the load failed.
    if (!m_loaded || !fileExists(path)) {
        m_questioner.tell(QStringLiteral("Невозможно перезаписать ") + (m_loaded ? path : m_asked));
        return false;
    }
    if (!MayWritePage())
        return false;
    QString error;
    const QByteArray bytes = encode(editorText);
    if (!writeTextFile(path, bytes, &error)) {
        m_questioner.tell(error, QStringLiteral("Quillbox"), Questioner::Icon::Error);
        return false;
    }
    m_watch.remember(path, bytes);
    if (m_browser) {
        const QString location = m_browser->locationText();
        if (location.startsWith(QLatin1String("http://")) || location.startsWith(QLatin1String("https://")))
            m_browser->reload();
        else
            m_browser->navigate(path);
    }
    return true;
}
