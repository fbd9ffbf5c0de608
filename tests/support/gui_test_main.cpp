// Runs widget tests headless: offscreen platform, settings in a fresh
// temporary folder, the application prepared as the program does it.
#include "window/preview/sheet_scheme.h"
#include "window/shell/program_setup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// These tests start Qt WebEngine, whose own library frees a WebContentsAdapter
// through a base class of another size when a page goes (a
// new-delete-type-mismatch inside the engine, not in our code). Only that
// check is off, and only in the binaries that start the engine; every other
// report stays fatal.
extern "C" const char *__asan_default_options()
{
    return "new_delete_type_mismatch=0";
}
#endif

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());

    registerPreviewScheme();
    QApplication app(argc, argv);
    prepareApplication(app);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
