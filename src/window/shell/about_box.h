#pragma once

#include <QDialog>

// The about box: the program, its version, the author's mailbox and the
// home page, both opening in the user's own programs.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    void SendMail();
    void Label3Click();

protected:
    void showEvent(QShowEvent *event) override;
};
