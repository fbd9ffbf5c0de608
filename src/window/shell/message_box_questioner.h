#pragma once

#include "core/host/questioner.h"

class QWidget;

// Asks with message boxes over the given window.
class MessageBoxQuestioner : public Questioner
{
public:
    explicit MessageBoxQuestioner(QWidget *parent) : m_parent(parent) {}
    Button ask(const QString &text, const QString &caption, int buttons, Icon icon) override;

private:
    QWidget *m_parent;
};
