#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What the editor asks of its window: file dialogs, the selector dialog,
// the caption and the focus sink. Core tests answer with a fake.
class EditorHost
{
public:
    virtual ~EditorHost() = default;

    virtual void setCaption(const QString &caption) = 0;
    // Takes the keyboard focus away from the panels (the hidden button ZF),
    // so an edit that had it finishes its input first.
    virtual void moveFocusToSink() = 0;
    virtual std::optional<QString> chooseSheetToOpen(const QString &folder) = 0;
    virtual std::optional<QString> chooseSheetToSaveAs(const QString &folder) = 0;
    // Runs the selector constructor; an empty result means it was cancelled.
    virtual QByteArray createSelector(const QByteArray &existingSelectorList) = 0;
    virtual bool htmlEditorHasFocus() const { return false; }
    // Work that may take a noticeable time (a large sheet being opened):
    // the window says what it is doing until it ends.
    virtual void beginLongWork(const QString &whatIsDone) { (void)whatIsDone; }
    virtual void endLongWork() {}
};
