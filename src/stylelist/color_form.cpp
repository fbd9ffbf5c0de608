#include "color_form.h"

TColorForm::TColorForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ColorForm"));
    setWindowTitle(QStringLiteral("Выбор цвета"));
    setModal(true);
}
