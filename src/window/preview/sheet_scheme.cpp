#include "window/preview/sheet_scheme.h"

#include "core/preview/forced_states.h"
#include "core/preview/served_sheets.h"
#include "core/preview/sheet_lowering.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {

const QByteArray kScheme = QByteArrayLiteral("quillbox-sheet");
const QByteArray kSiteScheme = QByteArrayLiteral("quillbox-site");

// The same file through the program's scheme, the query (a swap's stamp) kept.
QUrl throughScheme(const QUrl &file)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(kScheme));
    url.setPath(file.toLocalFile());
    url.setQuery(file.query());
    return url;
}

} // namespace

void registerPreviewScheme()
{
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Local like the files it stands for: pages from disk may use it, and
    // what it serves may use the files beside it.
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
    // A site: an origin of its own, with its own root.
    QWebEngineUrlScheme site(kSiteScheme);
    site.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    site.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled
                  | QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
    QWebEngineUrlScheme::registerScheme(site);
}

QUrl siteUrlOf(const QString &folder, const QString &pageFile)
{
    const QString root = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QUrl url;
    url.setScheme(QString::fromLatin1(kSiteScheme));
    url.setHost(QStringLiteral("site"));
    url.setPath(QLatin1Char('/') + QDir(root).relativeFilePath(QFileInfo(pageFile).absoluteFilePath()));
    return url;
}

SheetRequestServer::SheetRequestServer(std::function<QString()> sheetPath, QObject *parent)
    : QWebEngineUrlSchemeHandler(parent)
    , m_sheetPath(std::move(sheetPath))
{
}

SheetRequestServer::~SheetRequestServer()
{
    if (m_profile) {
        m_profile->setUrlRequestInterceptor(nullptr);
        m_profile->removeUrlSchemeHandler(this);
    }
}

void SheetRequestServer::install(QWebEngineProfile *profile)
{
    m_profile = profile;
    profile->installUrlSchemeHandler(kScheme, this);
    profile->installUrlSchemeHandler(kSiteScheme, this);
    profile->setUrlRequestInterceptor(&m_interceptor);
}

void SheetRequestServer::Interceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const QUrl url = info.requestUrl();
    // A served page's sheets come from its server: the page's script gives
    // it the edited one, and its other ones marked, in place.
    if (isLocalServerUrl(url))
        return;
    if (!url.isLocalFile() || !m_server.m_sheetPath)
        return;
    const QString sheet = m_server.m_sheetPath();
    if (sheet.isEmpty())
        return;
    // The page's other local sheets come the same way, so that a state can
    // be forced in them too.
    if (QFileInfo(url.toLocalFile()).absoluteFilePath() == QFileInfo(sheet).absoluteFilePath()
        || info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeStylesheet)
        info.redirect(throughScheme(url));
}

QWebEngineProfile *SheetRequestServer::profile() const
{
    return m_profile;
}

bool SheetRequestServer::forgetLowered()
{
    m_cachedPath.clear();
    m_cachedInput.clear();
    m_cached.clear();
    return m_served;
}

void SheetRequestServer::prepare(const QString &path, const QByteArray &bytes)
{
    const QString sheet = m_sheetPath ? m_sheetPath() : QString();
    if (!sheet.isEmpty() && QFileInfo(path).absoluteFilePath() == QFileInfo(sheet).absoluteFilePath())
        (void)lowered(path, bytes);
}

QByteArray SheetRequestServer::lowered(const QString &path)
{
    m_served = true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return lowered(path, file.readAll());
}

QByteArray SheetRequestServer::lowered(const QString &path, const QByteArray &bytes, const QByteArray &base)
{
    // Known by its bytes: two saves within one tick of the clock differ too.
    if (path == m_cachedPath && bytes == m_cachedInput && base == m_cachedBase)
        return m_cached;
    const LoweredSheet result = lowerForPreview(bytes, base.isEmpty() ? QUrl::fromLocalFile(path).toEncoded() : base);
    m_cachedBase = base;
    m_cachedPath = path;
    m_cachedInput = bytes;
    m_cached = withStateMarkers(result.text);
    const QString unshown = unshownMessage(result);
    if (unshown != m_unshown) {
        m_unshown = unshown;
        emit unshownChanged(unshown);
    }
    return m_cached;
}

void SheetRequestServer::serveSite(QWebEngineUrlRequestJob *job)
{
    // Only the site's own pages (or the program, opening one) may ask: a
    // page of another origin never gets a file of the folder.
    const QUrl initiator = job->initiator();
    if (!initiator.isEmpty() && initiator.scheme() != QLatin1String(kSiteScheme)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    // Only a file inside the folder: no "..", no link out of it.
    QUrl url = job->requestUrl();
    QString file = fileInSiteFolder(m_siteFolder, url);
    if (!file.isEmpty() && QFileInfo(file).isDir()) {
        url.setPath(url.path() + (url.path().endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/"))
                    + QStringLiteral("index.html"));
        file = fileInSiteFolder(m_siteFolder, url);
    }
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        job->fail(file.isEmpty() ? QWebEngineUrlRequestJob::RequestDenied : QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    const QString path = QFileInfo(file).absoluteFilePath();
    const QString sheet = m_sheetPath ? m_sheetPath() : QString();
    if (!sheet.isEmpty() && path == QFileInfo(sheet).absoluteFilePath()) {
        QFile own(path);
        QByteArray bytes;
        if (own.open(QIODevice::ReadOnly))
            bytes = lowered(path, own.readAll(), job->requestUrl().toEncoded());
        reply(job, "text/css", bytes);
        return;
    }
    // The site's other files go as written, sheets too, as a server's would:
    // the page reads its sheets so for the cascade, and its script marks
    // their states in place.
    replyWithFile(job, path, false);
}

void SheetRequestServer::requestStarted(QWebEngineUrlRequestJob *job)
{
    if (job->requestUrl().scheme() == QLatin1String(kSiteScheme)) {
        serveSite(job);
        return;
    }
    const QString path = job->requestUrl().path();
    const QString sheet = m_sheetPath ? m_sheetPath() : QString();
    if (!sheet.isEmpty() && QFileInfo(path).absoluteFilePath() == QFileInfo(sheet).absoluteFilePath()) {
        reply(job, "text/css", lowered(path));
        return;
    }
    // A file beside the sheet that an address left relative names; a sheet
    // among them comes with its states marked.
    replyWithFile(job, path, true);
}

void SheetRequestServer::reply(QWebEngineUrlRequestJob *job, const QByteArray &type, const QByteArray &bytes)
{
    auto *buffer = new QBuffer(job);
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    job->reply(type, buffer);
}

void SheetRequestServer::replyWithFile(QWebEngineUrlRequestJob *job, const QString &path, bool markStates)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    QByteArray bytes = file.readAll();
    const QByteArray type = QMimeDatabase().mimeTypeForFileNameAndData(path, bytes).name().toLatin1();
    if (markStates && type == "text/css")
        bytes = withStateMarkers(bytes);
    reply(job, type, bytes);
}
