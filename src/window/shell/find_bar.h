#pragma once

#include <QList>
#include <QTextEdit>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextCursor;
class QTextDocument;

// A find bar under a text, opened by Ctrl+F in it: FindText, what it
// matches ("3 совпадения"), every match highlighted. Typing selects the
// first match from where the caret stood; Enter and F3 go to the next,
// Shift+F3 to the one before, around the ends; Esc closes the bar and
// gives the focus back to the text.
class FindBar : public QWidget
{
    Q_OBJECT
public:
    // A bar under the text, in the text's own layout.
    static FindBar *attach(QPlainTextEdit *text);
    static FindBar *attach(QTextEdit *text);

    void open();
    void closeBar();
    void step(bool forward);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Text {
        QWidget *widget = nullptr;
        QTextDocument *document = nullptr;
        std::function<QTextCursor()> cursor;
        std::function<void(const QTextCursor &)> setCursor;
        std::function<void(const QList<QTextEdit::ExtraSelection> &)> highlight;
    };
    FindBar(Text text, QWidget *parent);
    static FindBar *place(Text text);
    void search(bool moveToMatch);
    void select(qsizetype index);

    Text m_text;
    QLineEdit *m_field = nullptr;
    QLabel *m_count = nullptr;
    QList<qsizetype> m_matches;
    qsizetype m_anchor = 0; // where the caret stood when the bar opened
};
