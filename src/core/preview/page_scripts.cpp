#include "core/preview/page_scripts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

namespace {

QString json(const QJsonValue &value)
{
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    // A lone value: wrapped in an array and unwrapped again.
    const QString wrapped = QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
    return wrapped.mid(1, wrapped.size() - 2);
}

// A call that answers nothing while the page has no library yet (a page
// still being made, or one that failed to load).
QString call(const QString &function, const QString &arguments)
{
    return QStringLiteral("(window.__quillbox ? window.__quillbox.%1(%2) : null)").arg(function, arguments);
}

} // namespace

namespace page_scripts {

QString pageMessagePrefix()
{
    // A page's own script cannot guess it, so cannot pose as the library.
    static const QString prefix =
        QStringLiteral("quillbox-%1:").arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
    return prefix;
}

QString library()
{
    QFile file(QStringLiteral(":/quillbox/page_library.js"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("@PREFIX@"), pageMessagePrefix());
}

QString highlight(const QJsonValue &selectors, const QJsonValue &media, bool outline, bool layout)
{
    return call(QStringLiteral("highlight"),
                json(selectors) + QLatin1Char(',') + json(media) + QLatin1Char(',')
                    + (outline ? QStringLiteral("true") : QStringLiteral("false")) + QLatin1Char(',')
                    + (layout ? QStringLiteral("true") : QStringLiteral("false")));
}

QString clear()
{
    return call(QStringLiteral("clear"), {});
}

QString startPicking(const QJsonValue &rules)
{
    return call(QStringLiteral("startPicking"), json(rules));
}

QString stopPicking()
{
    return call(QStringLiteral("stopPicking"), {});
}

QString usage(const QJsonValue &rules)
{
    return call(QStringLiteral("usage"), json(rules));
}

QString pickedContrast()
{
    return call(QStringLiteral("pickedContrast"), {});
}

QString forceState(const QString &state, bool on)
{
    return call(QStringLiteral("forceState"), json(state) + (on ? QStringLiteral(",true") : QStringLiteral(",false")));
}

QString expand(const QJsonValue &bodies, const QJsonValue &declarations)
{
    return call(QStringLiteral("expand"), json(bodies) + QLatin1Char(',') + json(declarations));
}

QString computed(const QJsonValue &names)
{
    return call(QStringLiteral("computed"), json(names));
}

QString engineFeatures()
{
    return call(QStringLiteral("engineFeatures"), {});
}

QString sheets()
{
    return call(QStringLiteral("sheets"), {});
}

QString replaceServed(const QString &href, const QString &devId, const QString &text)
{
    return call(QStringLiteral("replaceServed"), json(href) + QLatin1Char(',') + json(devId) + QLatin1Char(',') + json(text));
}

QString replaceMarked(const QString &href, const QString &original, const QString &marked)
{
    return call(QStringLiteral("replaceMarked"),
                json(href) + QLatin1Char(',') + json(original) + QLatin1Char(',') + json(marked));
}

QString swapSheet(const QString &sheetPath)
{
    return call(QStringLiteral("swapSheet"), json(sheetPath));
}

} // namespace page_scripts
