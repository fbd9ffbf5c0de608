#include "memo_binding.h"

#include "cp1251.h"
#include "rule_memo.h"
#include "sheet_view_model.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

QString linesToMemoText(const ByteLines &lines)
{
    QString text;
    for (const QByteArray &line : lines) {
        text += cp1251::decode(line);
        text += QLatin1Char('\n');
    }
    return text;
}

ByteLines memoTextToLines(const QString &text)
{
    return splitText(cp1251::encode(text));
}

void bindRuleMemo(RuleMemo *memo, QPlainTextEdit *edit, std::function<void()> userEdited)
{
    QObject::connect(memo, &RuleMemo::linesChanged, edit, [memo, edit] {
        if (memoTextToLines(edit->toPlainText()) == memo->lines())
            return;
        const QSignalBlocker block(edit);
        edit->setPlainText(linesToMemoText(memo->lines()));
    });
    QObject::connect(edit, &QPlainTextEdit::textChanged, memo, [memo, edit, userEdited] {
        memo->setLines(memoTextToLines(edit->toPlainText()));
        if (userEdited)
            userEdited();
    });
    const QSignalBlocker block(edit);
    edit->setPlainText(linesToMemoText(memo->lines()));
}

void bindSheetView(SheetViewModel *view, QPlainTextEdit *edit)
{
    QObject::connect(view, &SheetViewModel::changed, edit, [view, edit] {
        const QSignalBlocker block(edit);
        const QString text = cp1251::decode(view->text());
        if (edit->toPlainText() != text)
            edit->setPlainText(text);
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(qBound(0, view->caret(), static_cast<int>(text.size())));
        edit->setTextCursor(cursor);
        edit->ensureCursorVisible();
    });
    QObject::connect(edit, &QPlainTextEdit::cursorPositionChanged, view,
                     [view, edit] { view->noteCaret(edit->textCursor().position()); });
}

void showLines(QPlainTextEdit *edit, const ByteLines &lines)
{
    edit->setPlainText(linesToMemoText(lines));
}
