#pragma once

#include <QLineEdit>

// RuleFilter: the text the rule list is filtered by. Down hands the focus
// on to the list; Esc empties it.
class RuleFilterField : public QLineEdit
{
    Q_OBJECT
public:
    explicit RuleFilterField(QWidget *parent = nullptr);

signals:
    void downPressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
