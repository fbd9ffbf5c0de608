#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>

#include <functional>

class QWebEngineProfile;

// The preview's page gets the sheet being edited lowered to what its engine
// understands (nesting flattened, today's colours as rgba()), through a
// request the program answers; the file on disk keeps what the user wrote.
// Both the in-place swap and a full reload ask for the sheet's file, and
// both are answered so.

// A site's folder is served through a scheme of the program's own, so that
// a page's root-relative links ("/css/site.css") resolve inside it:
// quillbox-site://site/index.html. Only files inside the folder are served.

// Registers the schemes; before the application object is made.
void registerPreviewScheme();

// The address a page file of a site folder is shown at.
QUrl siteUrlOf(const QString &folder, const QString &pageFile);

class SheetRequestServer : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT
public:
    // `sheetPath` gives the local path of the sheet being edited, or nothing.
    SheetRequestServer(std::function<QString()> sheetPath, QObject *parent = nullptr);
    // The profile outlives the window: it is given back its requests.
    ~SheetRequestServer() override;

    // Sends the page's requests for the sheet's file here.
    void install(QWebEngineProfile *profile);
    QWebEngineProfile *profile() const;

    void requestStarted(QWebEngineUrlRequestJob *job) override;
    // The bytes just written to the sheet's file, lowered before the page
    // asks for them.
    void prepare(const QString &path, const QByteArray &bytes);
    // The engine has said what it reads by itself: the sheet is lowered
    // anew. Whether a sheet was served before.
    bool forgetLowered();

    // The site folder the site scheme serves; empty for none.
    void setSiteFolder(const QString &folder) { m_siteFolder = folder; }
    const QString &siteFolder() const { return m_siteFolder; }

signals:
    // What the page's engine cannot show of the sheet, for the status bar.
    void unshownChanged(const QString &message);

private:
    class Interceptor : public QWebEngineUrlRequestInterceptor
    {
    public:
        explicit Interceptor(SheetRequestServer &server) : m_server(server) {}
        void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    private:
        SheetRequestServer &m_server;
    };

    QByteArray lowered(const QString &path);
    QByteArray lowered(const QString &path, const QByteArray &bytes, const QByteArray &base = {});
    void serveSite(QWebEngineUrlRequestJob *job);
    static void reply(QWebEngineUrlRequestJob *job, const QByteArray &type, const QByteArray &bytes);
    static void replyWithFile(QWebEngineUrlRequestJob *job, const QString &path, bool markStates);

    std::function<QString()> m_sheetPath;
    Interceptor m_interceptor{*this};
    QPointer<QWebEngineProfile> m_profile;
    // The last file lowered, known by its path and bytes.
    QString m_cachedPath;
    QByteArray m_cachedInput;
    QByteArray m_cached;
    QByteArray m_cachedBase;
    QString m_unshown;
    bool m_served = false;
    QString m_siteFolder;
};
