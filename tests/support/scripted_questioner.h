#pragma once

#include "core/host/questioner.h"

#include <QList>
#include <QString>

// Answers questions from a queue and remembers what was asked. With the
// queue empty it answers Cancel, or the only button offered.
class ScriptedQuestioner : public Questioner
{
public:
    struct Asked {
        QString text;
        QString caption;
        int buttons;
        Icon icon;
    };

    QList<Button> answers;
    QList<Asked> asked;

    Button ask(const QString &text, const QString &caption, int buttons, Icon icon) override
    {
        asked.append({text, caption, buttons, icon});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return (buttons & Cancel) ? Cancel : (buttons & Ok) ? Ok : No;
    }
};
