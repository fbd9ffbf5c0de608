#include "window/shell/program_setup.h"

#include "window/shell/icon_factory.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

#include <algorithm>

namespace {

// Qt's Russian catalogue leaves the OK button in Latin letters; Russian
// desktops write it in Cyrillic.
class CyrillicOk : public QTranslator
{
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(sourceText, "OK") == 0 || qstrcmp(sourceText, "&OK") == 0)
            return QStringLiteral("ОК");
        return {};
    }
};

void loadQtTranslations(QApplication &app)
{
    // An installed copy carries its own catalogues; a build uses Qt's.
    const QStringList dirs = {QCoreApplication::applicationDirPath() + QStringLiteral("/../share/quillbox/translations"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const char *name : {"qtbase_ru", "qtwebengine_ru"}) {
        auto *translator = new QTranslator(&app);
        const bool loaded = std::any_of(dirs.begin(), dirs.end(), [&](const QString &dir) {
            return translator->load(QLatin1String(name), dir);
        });
        if (loaded)
            QApplication::installTranslator(translator);
        else
            delete translator;
    }
    // Installed last, so asked first.
    QApplication::installTranslator(new CyrillicOk(&app));
}

// The window's fonts are named after Windows fonts; where they are missing,
// an installed family with Cyrillic letters and similar widths stands in:
// Arial's metrics for the interface, Verdana's wide ones for the memos.
void substituteMissingFonts()
{
    const QStringList installed = QFontDatabase::families(QFontDatabase::Cyrillic);
    const QStringList all = QFontDatabase::families();
    struct Wanted {
        const char *name;
        QList<const char *> standIns;
    };
    const Wanted wanted[] = {
        {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans", "Noto Sans", "FreeSans"}},
        {"Tahoma", {"Liberation Sans", "DejaVu Sans", "Noto Sans", "FreeSans"}},
        {"Verdana", {"DejaVu Sans", "Liberation Sans", "Noto Sans", "FreeSans"}},
    };
    for (const Wanted &font : wanted) {
        if (all.contains(QLatin1String(font.name)))
            continue;
        QString standIn = installed.value(0);
        for (const char *candidate : font.standIns) {
            if (installed.contains(QLatin1String(candidate))) {
                standIn = QLatin1String(candidate);
                break;
            }
        }
        if (!standIn.isEmpty())
            QFont::insertSubstitution(QLatin1String(font.name), standIn);
    }
}

} // namespace

void prepareApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Quillbox"));
    // No display name: the desktop would append it to every window's
    // title ("Quillbox 1.8 -  — Quillbox V1.8"), which is the program's own.
    QApplication::setWindowIcon(icons::programIcon());
    loadQtTranslations(app);
    substituteMissingFonts();
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    QApplication::setFont(font);
    icons::chooseIconTheme();
}
