#include "memo_binding.h"

#include "cp1251.h"
#include "rule_memo.h"
#include "sheet_view_model.h"

#include <QPlainTextEdit>
#include <QTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

// The document's text exactly as held: plain text would turn no-break
// spaces into blanks and lose the byte behind them.
static QString rawText(const QTextDocument *document)
{
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

static QString rawText(const QPlainTextEdit *edit)
{
    return rawText(edit->document());
}

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
        if (memoTextToLines(rawText(edit)) == memo->lines())
            return;
        const QSignalBlocker block(edit);
        edit->setPlainText(linesToMemoText(memo->lines()));
    });
    QObject::connect(edit, &QPlainTextEdit::textChanged, memo, [memo, edit, userEdited] {
        memo->setLines(memoTextToLines(rawText(edit)));
        if (userEdited)
            userEdited();
    });
    const QSignalBlocker block(edit);
    edit->setPlainText(linesToMemoText(memo->lines()));
}

// Replaces only the part of the text that changed: a commit touches one
// rule, and laying out the whole sheet again would cost more than the
// commit itself.
static void replaceChangedPart(QPlainTextEdit *edit, const QString &text)
{
    const QString old = rawText(edit);
    if (old == text)
        return;
    if (old.isEmpty()) {
        edit->setPlainText(text);
        return;
    }
    const qsizetype common = std::min(old.size(), text.size());
    qsizetype head = 0;
    while (head < common && old[head] == text[head])
        ++head;
    qsizetype tail = 0;
    while (tail < common - head && old[old.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    QTextCursor cursor(edit->document());
    cursor.setPosition(static_cast<int>(head));
    cursor.setPosition(static_cast<int>(old.size() - tail), QTextCursor::KeepAnchor);
    cursor.insertText(text.mid(head, text.size() - tail - head));
}

void bindSheetView(SheetViewModel *view, QPlainTextEdit *edit)
{
    // The view is never undone by its own undo stack.
    edit->setUndoRedoEnabled(false);
    QObject::connect(view, &SheetViewModel::changed, edit, [view, edit] {
        const QSignalBlocker block(edit);
        const QString text = cp1251::decode(view->text());
        replaceChangedPart(edit, text);
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

ByteLines memoLines(const QPlainTextEdit *edit)
{
    return memoTextToLines(rawText(edit));
}

void showLines(QTextEdit *edit, const ByteLines &lines)
{
    edit->setPlainText(linesToMemoText(lines));
}

ByteLines memoLines(const QTextEdit *edit)
{
    return memoTextToLines(rawText(edit->document()));
}
