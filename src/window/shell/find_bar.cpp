#include "window/shell/find_bar.h"

#include "core/editor/text_search.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>

FindBar *FindBar::attach(QPlainTextEdit *text)
{
    return place({text, text->document(), [text] { return text->textCursor(); },
                  [text](const QTextCursor &cursor) { text->setTextCursor(cursor); },
                  [text](const QList<QTextEdit::ExtraSelection> &all) { text->setExtraSelections(all); }});
}

FindBar *FindBar::attach(QTextEdit *text)
{
    return place({text, text->document(), [text] { return text->textCursor(); },
                  [text](const QTextCursor &cursor) { text->setTextCursor(cursor); },
                  [text](const QList<QTextEdit::ExtraSelection> &all) { text->setExtraSelections(all); }});
}

FindBar *FindBar::place(Text text)
{
    QWidget *edit = text.widget;
    auto *bar = new FindBar(std::move(text), edit->parentWidget());
    bar->setObjectName(edit->objectName() + QStringLiteral("Find"));
    bar->setAccessibleName(edit->accessibleName().isEmpty() ? QStringLiteral("Поиск")
                                                            : QStringLiteral("Поиск: ") + edit->accessibleName());
    QLayout *layout = edit->parentWidget() ? edit->parentWidget()->layout() : nullptr;
    if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
        box->insertWidget(box->indexOf(edit) + 1, bar);
    } else if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(edit), &row, &column, &rows, &columns);
        grid->addWidget(bar, row + rows, column, 1, columns);
    }
    bar->hide();
    auto *shortcut = new QShortcut(QKeySequence::Find, edit, nullptr, nullptr, Qt::WidgetShortcut);
    connect(shortcut, &QShortcut::activated, bar, &FindBar::open);
    return bar;
}

FindBar::FindBar(Text text, QWidget *parent)
    : QWidget(parent)
    , m_text(std::move(text))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("FindText"));
    m_field->setAccessibleName(QStringLiteral("Найти"));
    m_field->setPlaceholderText(QStringLiteral("Найти (Enter, F3 — дальше, Shift+F3 — назад)"));
    // Enter finds the next match here, it does not end an input.
    m_field->setProperty("keepsEnter", true);
    m_field->installEventFilter(this);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("FindCount"));
    m_count->setAccessibleName(QStringLiteral("Найдено"));
    auto *closeButton = new QToolButton(this);
    closeButton->setObjectName(QStringLiteral("FindClose"));
    closeButton->setText(QStringLiteral("×"));
    closeButton->setToolTip(QStringLiteral("Закрыть (Esc)"));
    closeButton->setAutoRaise(true);
    closeButton->setAccessibleName(QStringLiteral("Закрыть поиск"));
    layout->addWidget(new QLabel(QStringLiteral("Найти:"), this));
    layout->addWidget(m_field, 1);
    layout->addWidget(m_count);
    layout->addWidget(closeButton);
    connect(m_field, &QLineEdit::textChanged, this, [this] { search(true); });
    connect(closeButton, &QToolButton::clicked, this, &FindBar::closeBar);
    // A text that changes under an open bar is searched again where it stands.
    connect(m_text.document, &QTextDocument::contentsChanged, this, [this] {
        if (isVisible())
            search(false);
    });
}

void FindBar::open()
{
    const QTextCursor cursor = m_text.cursor();
    m_anchor = cursor.selectionStart();
    // A word selected on one line is what is looked for.
    const QString selected = cursor.selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_field->setText(selected);
    show();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
    search(!m_field->text().isEmpty() && selected.isEmpty());
}

void FindBar::closeBar()
{
    hide();
    m_text.highlight({});
    m_text.widget->setFocus(Qt::OtherFocusReason);
}

void FindBar::step(bool forward)
{
    if (m_matches.isEmpty())
        return;
    const QTextCursor cursor = m_text.cursor();
    // Forward from just after the match now selected, backward from its start.
    const qsizetype from = forward ? cursor.selectionStart() + 1 : cursor.selectionStart();
    select(matchFrom(m_matches, from, forward));
}

void FindBar::search(bool moveToMatch)
{
    const QString word = m_field->text();
    m_matches = matchesOf(m_text.document->toPlainText(), word);
    m_count->setText(word.isEmpty() ? QString() : matchCountText(m_matches.size()));
    QList<QTextEdit::ExtraSelection> all;
    all.reserve(m_matches.size());
    QTextCharFormat marked;
    marked.setBackground(QColor(0xff, 0xe0, 0x66));
    marked.setForeground(Qt::black);
    for (const qsizetype at : std::as_const(m_matches)) {
        QTextCursor cursor(m_text.document);
        cursor.setPosition(int(at));
        cursor.setPosition(int(at + word.size()), QTextCursor::KeepAnchor);
        all.append({cursor, marked});
    }
    m_text.highlight(all);
    if (moveToMatch && !m_matches.isEmpty())
        select(matchFrom(m_matches, m_anchor, true));
}

void FindBar::select(qsizetype index)
{
    if (index < 0 || index >= m_matches.size())
        return;
    QTextCursor cursor(m_text.document);
    cursor.setPosition(int(m_matches[index]));
    cursor.setPosition(int(m_matches[index] + m_field->text().size()), QTextCursor::KeepAnchor);
    m_text.setCursor(cursor);
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool shift = key->modifiers() & Qt::ShiftModifier;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            step(!shift);
            return true;
        case Qt::Key_F3:
            step(!shift);
            return true;
        case Qt::Key_Escape:
            closeBar();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
