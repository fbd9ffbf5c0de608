#include "window/preview/engine_probe.h"

#include "core/preview/engine_features.h"
#include "core/preview/page_scripts.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>

void probePreviewEngine(QWebEngineProfile *profile, QObject *owner, std::function<void(bool changed)> known)
{
    auto *page = new QWebEnginePage(profile, owner);
    QObject::connect(page, &QWebEnginePage::loadFinished, page, [page, known = std::move(known)](bool) {
        page->runJavaScript(page_scripts::library() + QLatin1Char('\n') + page_scripts::engineFeatures(),
                            [page, known](const QVariant &answer) {
                                // A page that goes before it answers (the window
                                // closing) calls back with nothing: the window
                                // may be half gone, so nothing is done.
                                if (!answer.isValid())
                                    return;
                                const EngineFeatures features = EngineFeatures::fromAnswer(answer);
                                const bool changed = !(features == previewEngine());
                                setPreviewEngine(features);
                                page->deleteLater();
                                if (known)
                                    known(changed);
                            });
    });
    page->setUrl(QUrl(QStringLiteral("about:blank")));
}
