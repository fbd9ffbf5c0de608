#include "core/preview/engine_features.h"

#include <QVariantMap>

namespace {

EngineFeatures &current()
{
    static EngineFeatures features;
    return features;
}

} // namespace

EngineFeatures EngineFeatures::fromAnswer(const QVariant &answer)
{
    const QVariantMap map = answer.toMap();
    EngineFeatures features;
    features.nesting = map.value(QStringLiteral("nesting")).toBool();
    features.has = map.value(QStringLiteral("has")).toBool();
    features.container = map.value(QStringLiteral("container")).toBool();
    features.scope = map.value(QStringLiteral("scope")).toBool();
    features.individualTransforms = map.value(QStringLiteral("transforms")).toBool();
    for (const QVariant &name : map.value(QStringLiteral("colours")).toList()) {
        const QByteArray function = name.toString().toLatin1();
        if (function.endsWith('(') && !features.colours.contains(function))
            features.colours.append(function);
    }
    return features;
}

const EngineFeatures &previewEngine()
{
    return current();
}

void setPreviewEngine(const EngineFeatures &features)
{
    current() = features;
}

QString engineVersionText(const QString &chromiumVersion)
{
    const QString major = chromiumVersion.section(QLatin1Char('.'), 0, 0);
    return major.isEmpty() ? QString() : QStringLiteral("Движок предпросмотра: Chromium ") + major;
}
