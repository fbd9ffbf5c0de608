#include "about_box.h"
#include "color_form.h"
#include "create_selector.h"
#include "exit_when_shown.h"
#include "main_form.h"
#include "program_setup.h"
#include "unit_data.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
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
    exitWhenShownIfAsked(mainForm);
    return app.exec();
}
