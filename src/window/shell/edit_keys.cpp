#include "window/shell/edit_keys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool typesText(const QWidget *widget)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(widget))
        return !line->isReadOnly();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(widget))
        return !plain->isReadOnly();
    if (const auto *rich = qobject_cast<const QTextEdit *>(widget))
        return !rich->isReadOnly();
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
        return !spin->isReadOnly();
    if (const auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->isEditable();
    return false;
}

} // namespace

bool EditKeys::isUndoKey(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;
    return (key == Qt::Key_Z && (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier)))
        || (key == Qt::Key_Y && modifiers == Qt::ControlModifier);
}

bool EditKeys::eventFilter(QObject *watched, QEvent *event)
{
    // Taking the override makes the key reach the field instead of the
    // window's undo and redo actions.
    if (event->type() == QEvent::ShortcutOverride && watched == QApplication::focusWidget()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isUndoKey(key->key(), key->modifiers()) && typesText(QApplication::focusWidget()))
            event->accept();
    }
    return QObject::eventFilter(watched, event);
}
