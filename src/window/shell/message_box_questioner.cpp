#include "window/shell/message_box_questioner.h"

#include <QMessageBox>

Questioner::Button MessageBoxQuestioner::ask(const QString &text, const QString &caption, int buttons, Icon icon)
{
    QMessageBox box(m_parent);
    box.setObjectName(QStringLiteral("QuillboxMessage"));
    box.setWindowTitle(caption);
    // The program's texts break lines with a single CR.
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    switch (icon) {
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::None:
        break;
    }
    QMessageBox::StandardButtons standard;
    if (buttons & Ok)
        standard |= QMessageBox::Ok;
    if (buttons & Yes)
        standard |= QMessageBox::Yes;
    if (buttons & No)
        standard |= QMessageBox::No;
    if (buttons & Cancel)
        standard |= QMessageBox::Cancel;
    box.setStandardButtons(standard);
    const int answer = box.exec();
    switch (answer) {
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::Ok:
        return Ok;
    default:
        break;
    }
    if (buttons & Cancel)
        return Cancel;
    if (buttons & No)
        return No;
    return Ok;
}
