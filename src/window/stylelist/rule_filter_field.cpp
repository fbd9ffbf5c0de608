#include "window/stylelist/rule_filter_field.h"

#include <QKeyEvent>

RuleFilterField::RuleFilterField(QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("RuleFilter"));
    setAccessibleName(QStringLiteral("Фильтр правил"));
    setPlaceholderText(QStringLiteral("Фильтр (Ctrl+F)"));
    setProperty("keepsEnter", true);
}

void RuleFilterField::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier) {
        emit downPressed();
        return;
    }
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
