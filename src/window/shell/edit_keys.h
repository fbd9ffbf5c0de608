#pragma once

#include <QObject>

// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y undo and redo the sheet wherever the
// focus is, except in a field or text the user types into: there they stay
// the field's own.
class EditKeys : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether a key is one of the three.
    static bool isUndoKey(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
