#pragma once

#include <QString>

// How the program asks the user and tells the user things. The window
// answers with message boxes; core tests answer from a script.
class Questioner
{
public:
    enum Button { Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };
    enum class Icon { None, Exclamation, Error, Information };

    virtual ~Questioner() = default;

    // Texts may hold single CR line breaks. Returns the button pressed;
    // closing the box counts as Cancel (or No, or Ok, whichever it offers).
    virtual Button ask(const QString &text, const QString &caption, int buttons, Icon icon) = 0;

    void tell(const QString &text, const QString &caption = QStringLiteral("Quillbox"),
              Icon icon = Icon::Exclamation)
    {
        ask(text, caption, Ok, icon);
    }
};
