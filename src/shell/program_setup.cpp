#include "program_setup.h"

#include "icon_factory.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

void loadQtTranslations(QApplication &app)
{
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *name : {"qtbase_ru", "qt_ru"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(QLatin1String(name), dir))
            QApplication::installTranslator(translator);
        else
            delete translator;
    }
}

// The window's fonts are named after Windows fonts; where they are missing,
// an installed family with Cyrillic letters stands in.
void substituteMissingFonts()
{
    const QStringList installed = QFontDatabase::families(QFontDatabase::Cyrillic);
    QString standIn;
    for (const char *candidate : {"Liberation Sans", "DejaVu Sans", "Noto Sans", "FreeSans"}) {
        if (installed.contains(QLatin1String(candidate))) {
            standIn = QLatin1String(candidate);
            break;
        }
    }
    if (standIn.isEmpty() && !installed.isEmpty())
        standIn = installed.first();
    if (standIn.isEmpty())
        return;
    const QStringList all = QFontDatabase::families();
    for (const char *name : {"MS Sans Serif", "Verdana", "Tahoma"}) {
        if (!all.contains(QLatin1String(name)))
            QFont::insertSubstitution(QLatin1String(name), standIn);
    }
}

} // namespace

void prepareApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Quillbox"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillbox V1.8"));
    loadQtTranslations(app);
    substituteMissingFonts();
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    QApplication::setFont(font);
    icons::chooseIconTheme();
}
