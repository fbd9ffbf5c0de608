#pragma once

#include "core/host/editor_host.h"

#include <QList>

// Answers the editor's dialogs from queues and records the caption.
class FakeHost : public EditorHost
{
public:
    QString caption;
    int focusSinkCalls = 0;
    QList<std::optional<QString>> openAnswers;
    QList<std::optional<QString>> saveAnswers;
    QList<QByteArray> selectorAnswers;
    QList<QString> openFolders;
    QByteArray lastExistingList;
    QStringList longWork; // the notices begun
    int longWorkOpen = 0;

    void setCaption(const QString &text) override { caption = text; }
    void moveFocusToSink() override { ++focusSinkCalls; }
    std::optional<QString> chooseSheetToOpen(const QString &folder) override
    {
        openFolders.append(folder);
        return openAnswers.isEmpty() ? std::nullopt : openAnswers.takeFirst();
    }
    std::optional<QString> chooseSheetToSaveAs(const QString &) override
    {
        return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.takeFirst();
    }
    void beginLongWork(const QString &whatIsDone) override
    {
        longWork.append(whatIsDone);
        ++longWorkOpen;
    }
    void endLongWork() override { --longWorkOpen; }
    QByteArray createSelector(const QByteArray &existing) override
    {
        lastExistingList = existing;
        return selectorAnswers.isEmpty() ? QByteArray() : selectorAnswers.takeFirst();
    }
};
