#include "window/shell/memo_binding.h"

#include "core/sheet/rule_memo.h"
#include "core/preview/sheet_view_model.h"

#include <QPlainTextEdit>
#include <QTextEdit>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

QString documentText(const QTextDocument *document)
{
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

static QString rawText(const QPlainTextEdit *edit)
{
    return documentText(edit->document());
}

namespace {

// Shift+Enter would put a line separator inside the line; the user means
// a line break.
class PlainLineBreaks : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || !(key->modifiers() & Qt::ShiftModifier))
            return false;
        QKeyEvent plain(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ShiftModifier, key->text(),
                        key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(watched, &plain);
        return true;
    }
};

} // namespace

void keepLineBreaksPlain(QWidget *edit)
{
    edit->installEventFilter(new PlainLineBreaks(edit));
}

QString linesToMemoText(const ByteLines &lines, const SheetCodec &codec)
{
    QString text;
    for (const QByteArray &line : lines) {
        text += codec.decode(line);
        text += QLatin1Char('\n');
    }
    return text;
}

ByteLines memoTextToLines(const QString &text, const SheetCodec &codec)
{
    return splitText(codec.encode(text));
}

void bindRuleMemo(RuleMemo *memo, QPlainTextEdit *edit, const SheetCodec &codec, std::function<void()> userEdited)
{
    QObject::connect(memo, &RuleMemo::linesChanged, edit, [memo, edit, &codec] {
        if (memoTextToLines(rawText(edit), codec) == memo->lines())
            return;
        const QSignalBlocker block(edit);
        edit->setPlainText(linesToMemoText(memo->lines(), codec));
    });
    QObject::connect(edit, &QPlainTextEdit::textChanged, memo, [memo, edit, &codec, userEdited] {
        memo->setLines(memoTextToLines(rawText(edit), codec));
        if (userEdited)
            userEdited();
    });
    keepLineBreaksPlain(edit);
    const QSignalBlocker block(edit);
    edit->setPlainText(linesToMemoText(memo->lines(), codec));
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

namespace {

// Shows the view model on the edit. A hidden edit is brought up to date
// when it is shown: laying out a large sheet nobody sees costs more than
// the commit that changed it.
class SheetViewBinding : public QObject
{
public:
    SheetViewBinding(SheetViewModel *view, QPlainTextEdit *edit, const SheetCodec &codec)
        : QObject(edit)
        , m_view(view)
        , m_edit(edit)
        , m_codec(codec)
    {
        connect(view, &SheetViewModel::changed, this, &SheetViewBinding::update);
        connect(edit, &QPlainTextEdit::cursorPositionChanged, view,
                [view, edit] { view->noteCaret(edit->textCursor().position()); });
        edit->installEventFilter(this);
    }

    void update()
    {
        if (!m_edit->isVisible()) {
            m_stale = true;
            return;
        }
        m_stale = false;
        const QSignalBlocker block(m_edit);
        const QString text = m_codec.decode(m_view->text());
        replaceChangedPart(m_edit, text);
        QTextCursor cursor = m_edit->textCursor();
        cursor.setPosition(qBound(0, m_view->caret(), static_cast<int>(text.size())));
        m_edit->setTextCursor(cursor);
        m_edit->ensureCursorVisible();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_edit && event->type() == QEvent::Show && m_stale)
            update();
        return QObject::eventFilter(watched, event);
    }

private:
    SheetViewModel *m_view;
    QPlainTextEdit *m_edit;
    const SheetCodec &m_codec;
    bool m_stale = false;
};

} // namespace

void bindSheetView(SheetViewModel *view, QPlainTextEdit *edit, const SheetCodec &codec)
{
    // The view is never undone by its own undo stack.
    edit->setUndoRedoEnabled(false);
    new SheetViewBinding(view, edit, codec);
}

void showLines(QPlainTextEdit *edit, const ByteLines &lines, const SheetCodec &codec)
{
    edit->setPlainText(linesToMemoText(lines, codec));
}

ByteLines memoLines(const QPlainTextEdit *edit, const SheetCodec &codec)
{
    return memoTextToLines(rawText(edit), codec);
}

qsizetype byteOffsetOfCaret(const QPlainTextEdit *edit, const SheetCodec &codec)
{
    const QTextCursor caret = edit->textCursor();
    // Each line break is two bytes in the sheet, one character here.
    return codec.encode(rawText(edit).left(caret.position())).size() + caret.blockNumber();
}

void showLines(QTextEdit *edit, const ByteLines &lines, const SheetCodec &codec)
{
    edit->setPlainText(linesToMemoText(lines, codec));
}

ByteLines memoLines(const QTextEdit *edit, const SheetCodec &codec)
{
    return memoTextToLines(documentText(edit->document()), codec);
}
