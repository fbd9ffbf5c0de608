#include "core/host/init_settings.h"

#include <QSettings>

namespace {

const QString kInit = QStringLiteral("Init");

std::optional<int> readInt(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    int number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        number = value.toInt(&ok);
        break;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        number = value.toString().trimmed().toInt(&ok);
        break;
    default:
        break;
    }
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<bool> readBool(const QSettings &settings, const QString &key)
{
    const std::optional<int> number = readInt(settings, key);
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

std::optional<QString> readString(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

} // namespace

InitSettings InitSettings::read(QSettings &settings)
{
    settings.beginGroup(kInit);
    InitSettings s;
    s.maximized = readBool(settings, QStringLiteral("Maximized"));
    s.floatPanel = readBool(settings, QStringLiteral("FloatPanel"));
    s.autoRefresh = readBool(settings, QStringLiteral("AutoRefresh"));
    s.keepUntouchedLayout = readBool(settings, QStringLiteral("KeepUntouchedLayout"));
    s.highlightMatches = readBool(settings, QStringLiteral("HighlightMatches"));
    s.previewWidth = readInt(settings, QStringLiteral("PreviewWidth"));
    s.viewer = readInt(settings, QStringLiteral("Viewer"));
    s.tabPanel = readInt(settings, QStringLiteral("TabPanel"));
    s.tabPanelPage = readString(settings, QStringLiteral("TabPanelPage"));
    s.homePage = readString(settings, QStringLiteral("HomePage"));
    s.panelListWidth = readInt(settings, QStringLiteral("PanelListWidth"));
    s.phtmlHeight = readInt(settings, QStringLiteral("PHTMLHeight"));
    settings.endGroup();
    return s;
}

void InitSettings::write(QSettings &settings) const
{
    settings.beginGroup(kInit);
    auto putBool = [&](const char *key, const std::optional<bool> &v) {
        if (v)
            settings.setValue(QLatin1String(key), *v ? 1 : 0);
    };
    auto putInt = [&](const char *key, const std::optional<int> &v) {
        if (v)
            settings.setValue(QLatin1String(key), *v);
    };
    putBool("Maximized", maximized);
    putBool("FloatPanel", floatPanel);
    putBool("AutoRefresh", autoRefresh);
    putBool("KeepUntouchedLayout", keepUntouchedLayout);
    putBool("HighlightMatches", highlightMatches);
    putInt("PreviewWidth", previewWidth);
    putInt("Viewer", viewer);
    putInt("TabPanel", tabPanel);
    if (tabPanelPage)
        settings.setValue(QStringLiteral("TabPanelPage"), *tabPanelPage);
    if (homePage)
        settings.setValue(QStringLiteral("HomePage"), *homePage);
    putInt("PanelListWidth", panelListWidth);
    putInt("PHTMLHeight", phtmlHeight);
    settings.endGroup();
    settings.sync();
}

int tabPanelToOpen(const InitSettings &init, const QStringList &pageNames)
{
    if (init.tabPanelPage && pageNames.contains(*init.tabPanelPage))
        return int(pageNames.indexOf(*init.tabPanelPage));
    static const QStringList before = {QStringLiteral("ColorBox"),     QStringLiteral("MarginPadding"),
                                       QStringLiteral("BackGroundBox"), QStringLiteral("DisplayVis"),
                                       QStringLiteral("PositionFloat"), QStringLiteral("VarsPage")};
    if (!init.tabPanel || *init.tabPanel < 0 || *init.tabPanel >= before.size())
        return -1;
    return int(pageNames.indexOf(before[*init.tabPanel]));
}

QSettings *openProgramSettings()
{
    return new QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnwell"),
                         QStringLiteral("Quillbox18"));
}

std::optional<LastFileSettings> LastFileSettings::read(QSettings &settings)
{
    if (!settings.contains(QStringLiteral("PathToLastFile"))
        && !settings.contains(QStringLiteral("LastNameStyle")))
        return std::nullopt;
    LastFileSettings s;
    s.pathToLastFile = readString(settings, QStringLiteral("PathToLastFile")).value_or(QString());
    s.lastNameStyle = readString(settings, QStringLiteral("LastNameStyle")).value_or(QString());
    return s;
}

void LastFileSettings::write(QSettings &settings) const
{
    settings.setValue(QStringLiteral("Version"), QStringLiteral("1.8"));
    settings.setValue(QStringLiteral("PathToLastFile"), pathToLastFile);
    settings.setValue(QStringLiteral("LastNameStyle"), lastNameStyle);
    settings.setValue(QStringLiteral("PathToViewHTML"), QStringLiteral("test"));
    settings.sync();
}
