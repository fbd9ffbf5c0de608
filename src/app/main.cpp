#include "window/preview/sheet_scheme.h"
#include "window/shell/about_box.h"
#include "window/stylelist/color_form.h"
#include "window/stylelist/create_selector.h"
#include "app/exit_when_shown.h"
#include "window/shell/main_form.h"
#include "window/shell/program_setup.h"
#include "window/shell/unit_data.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    registerPreviewScheme();
    QApplication app(argc, argv);
    prepareApplication(app);

    // The windows in their usual order; only the main window is shown.
    TMainForm mainForm;
    TCreateSelector createSelector(&mainForm);
    TAboutBox aboutBox(&mainForm);
    TUnitData unitData;
    TColorForm colorForm(&mainForm);
    mainForm.setDialogs(&createSelector, &colorForm);
    mainForm.show();
    exitWhenShownIfAsked(
        mainForm, [&mainForm] { return mainForm.startSheetTried(); },
        [&mainForm] { return "rules: " + QByteArray::number(mainForm.store().styleCount()) + "\n"; });
    return app.exec();
}
