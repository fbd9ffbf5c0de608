#pragma once

#include <QByteArray>
#include <QObject>

// The whole-sheet view ("Текущий CSS"): its text, one line per sheet line
// each ended by "\n", and the caret as an offset into that text.
class SheetViewModel : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    const QByteArray &text() const { return m_text; }
    int caret() const { return m_caret; }

    // The widget reports where the user put the caret.
    void noteCaret(int caret) { m_caret = caret; }

    // Refills the view and places the caret on rule k (-1 for none): a
    // caret outside the rule's braces moves to just after its "}".
    void refresh(const QByteArray &text, int selectedRule);

    // Where the caret goes for a rule, given where it stands now.
    static int placeCaret(const QByteArray &text, int selectedRule, int caret);

signals:
    void changed();

private:
    QByteArray m_text;
    int m_caret = 0;
};
