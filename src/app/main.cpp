#include "main_form.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quillbox V1.8"));
    TMainForm form;
    form.show();
    return app.exec();
}
