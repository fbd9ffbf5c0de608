#include "window/preview/html_editor.h"
#include <QGuiApplication>
#include <QTimer>

#include "window/shell/memo_binding.h"

#include "core/preview/html_source.h"
#include "window/panels/panel_widgets.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>

#include <algorithm>

namespace {

QColor toColor(TagColour colour)
{
    switch (colour) {
    case TagColour::Maroon:
        return QColor(128, 0, 0);
    case TagColour::Blue:
        return QColor(0, 0, 255);
    case TagColour::Black:
        break;
    }
    return QColor(0, 0, 0);
}

const QTextCharFormat &formatOf(TagColour colour)
{
    static const QTextCharFormat formats[3] = {
        [] { QTextCharFormat f; f.setForeground(toColor(TagColour::Black)); return f; }(),
        [] { QTextCharFormat f; f.setForeground(toColor(TagColour::Maroon)); return f; }(),
        [] { QTextCharFormat f; f.setForeground(toColor(TagColour::Blue)); return f; }(),
    };
    return formats[static_cast<int>(colour)];
}

const QString kInstructions = QStringLiteral(
    "Здесь Вы видите и можете изменять код HTML просматриваемой страницы.\n"
    "Это возможно только тогда, когда страницу возможно загрузить с локального или сетевого диска\n"
    "Чтобы загрузить в редактор страницу выберите в меню Браузер --> Открыть HTML для редактирования\n"
    "После внесения изменений сохраните их комендой Браузер --> Сохранить HTML");

} // namespace

HtmlEditor::HtmlEditor(QTextEdit *edit, HtmlSource &source, QObject *parent)
    : QObject(parent)
    , m_edit(edit)
    , m_source(source)
{
    m_edit->setFont(QFont(QStringLiteral("MS Sans Serif"), 10));
    m_edit->setTabChangesFocus(false);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHint(m_edit, QStringLiteral("Источник HTML"));
    connect(m_edit->document(), &QTextDocument::contentsChange, this, &HtmlEditor::textChanged);
    m_edit->setPlainText(kInstructions);
    m_edit->installEventFilter(this);
    // Another program's change to the page's file, once the file system
    // has settled, or when the window comes back to the front.
    connect(&source.watch(), &SheetFileWatch::touched, this,
            [this] { QTimer::singleShot(50, this, &HtmlEditor::PageDiskChanged); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            PageDiskChanged();
    });
    keepLineBreaksPlain(m_edit);
}

QString HtmlEditor::text() const
{
    return documentText(m_edit->document());
}

TagColour HtmlEditor::colourAt(int position) const
{
    return position >= 0 && size_t(position) < m_colours.size() ? m_colours[size_t(position)] : TagColour::Black;
}

void HtmlEditor::textChanged(int position, int removed, int added)
{
    if (m_showing)
        return;
    // The document's own count of the change may include its last line
    // break; the text's length settles what was really added.
    const int oldSize = int(m_colours.size());
    const int newSize = int(text().size());
    position = std::clamp(position, 0, oldSize);
    removed = std::clamp(removed, 0, oldSize - position);
    added = std::max(0, newSize - (oldSize - removed));
    const TagColour colour = m_insertion.value_or(colourAt(position - 1));
    m_insertion.reset();
    m_colours.erase(m_colours.begin() + position, m_colours.begin() + position + removed);
    m_colours.insert(m_colours.begin() + position, size_t(added), colour);
    showColours(position, position + added);
}

void HtmlEditor::showColours(int from, int to)
{
    QTextDocument *document = m_edit->document();
    const QTextBlock last = document->findBlock(std::clamp(to, 0, int(m_colours.size())));
    int dirtyFrom = -1;
    int dirtyTo = -1;
    for (QTextBlock block = document->findBlock(std::max(from, 0)); block.isValid(); block = block.next()) {
        QList<QTextLayout::FormatRange> ranges;
        const int start = block.position();
        const int length = std::min(block.length() - 1, int(m_colours.size()) - start);
        for (int i = 0; i < length;) {
            int end = i + 1;
            while (end < length && m_colours[size_t(start + end)] == m_colours[size_t(start + i)])
                ++end;
            ranges.append({i, end - i, formatOf(m_colours[size_t(start + i)])});
            i = end;
        }
        // Lines whose colours stay are not laid out again.
        if (ranges != block.layout()->formats()) {
            block.layout()->setFormats(ranges);
            if (dirtyFrom < 0)
                dirtyFrom = start;
            dirtyTo = start + block.length();
        }
        if (block == last)
            break;
    }
    if (dirtyFrom < 0)
        return;
    // Laying the lines out again in their new colours is no edit.
    m_showing = true;
    document->markContentsDirty(dirtyFrom, std::min(dirtyTo, document->characterCount()) - dirtyFrom);
    m_showing = false;
}

void HtmlEditor::ColourTagRange(int from, int to)
{
    if (!m_edit->hasFocus())
        return;
    colourRange(from, to);
}

void HtmlEditor::colourRange(int from, int to)
{
    const QString all = text();
    const std::vector<TagColour> colours = ::ColourTagRange(all, from, to);
    const int start = std::max(from, 0);
    std::copy(colours.begin(), colours.end(), m_colours.begin() + start);
    showColours(start, start + int(colours.size()));
}

// Colouring never moves the caret: the user's caret and selection stay.
void HtmlEditor::RecolourAllTags()
{
    ColourTagRange(0, 9999999);
    m_edit->ensureCursorVisible();
}

void HtmlEditor::SpeedButton9Click()
{
    m_edit->setFocus();
    RecolourAllTags();
}

void HtmlEditor::LoadHtmlIntoEditor()
{
    const std::optional<HtmlSource::Shown> shown = m_source.LoadHtmlIntoEditor();
    if (!shown)
        return;
    showPage(*shown);
    if (shown->loaded)
        m_edit->setFocus();
}

void HtmlEditor::showPage(const HtmlSource::Shown &shown)
{
    const int caret = m_edit->textCursor().position();
    m_insertion = TagColour::Black;
    m_edit->setPlainText(shown.text);
    m_edit->document()->setModified(false);
    if (!shown.loaded)
        return;
    setHint(m_edit, shown.hint);
    // A page shown is coloured whole, wherever the focus is: a load from
    // the tool bar or a re-read when the window comes back.
    colourRange(0, int(m_colours.size()));
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(std::min(caret, int(m_colours.size())));
    m_edit->setTextCursor(cursor);
    m_edit->ensureCursorVisible();
}

void HtmlEditor::PageDiskChanged()
{
    if (const std::optional<HtmlSource::Shown> shown = m_source.PageDiskChanged(m_edit->document()->isModified()))
        showPage(*shown);
}

void HtmlEditor::SaveHTMLClick()
{
    if (m_source.SaveHTMLClick(text()))
        m_edit->document()->setModified(false);
    else if (const std::optional<HtmlSource::Shown> taken = m_source.taken())
        showPage(*taken);
    m_edit->setFocus();
}

void HtmlEditor::InsertSnippet(const QString &snippet, TagColour colour, int caretOffset)
{
    if (!m_edit->hasFocus())
        return;
    QTextCursor cursor = m_edit->textCursor();
    const int start = cursor.selectionStart();
    m_insertion = colour;
    cursor.insertText(snippet);
    cursor.setPosition(start + int(snippet.size()) + caretOffset);
    m_edit->setTextCursor(cursor);
}

void HtmlEditor::InsertTagToHTML(const QToolButton *button)
{
    InsertSnippet(button->text(), TagColour::Maroon, 0);
}

void HtmlEditor::InsertHyperLinkToHTMLClick()
{
    InsertSnippet(QStringLiteral("<a href=\"\">"), TagColour::Maroon, 0);
    InsertSnippet(QStringLiteral("  "), TagColour::Black, 0);
    InsertSnippet(QStringLiteral("</a>"), TagColour::Maroon, -8);
}

void HtmlEditor::HTMLKeyDown(const QKeyEvent *key)
{
    const bool backspace = key->key() == Qt::Key_Backspace;
    if (!backspace && key->key() != Qt::Key_Delete)
        return;
    const QTextCursor cursor = m_edit->textCursor();
    if (deletionChangesTags(text(), cursor.position(), backspace, cursor.hasSelection()))
        m_tagRecolourPending = true;
}

void HtmlEditor::HTMLKeyPress(const QKeyEvent *key)
{
    const QString typed = key->text();
    // A line break and a tab are text too: after ">" they are page text.
    const bool breakOrTab = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Tab;
    if (!breakOrTab && (typed.size() != 1 || typed.at(0) < QLatin1Char(' ')))
        return;
    if (isTagCharacter(typed.at(0)))
        m_tagRecolourPending = true;
    const int caret = m_edit->textCursor().position();
    if (const std::optional<TagColour> colour = insertionColour(text(), caret, colourAt(caret - 2)))
        m_insertion = *colour;
}

void HtmlEditor::HTMLKeyUp()
{
    if (!m_tagRecolourPending)
        return;
    const QString all = text();
    const int caret = m_edit->textCursor().position();
    ColourTagRange(FindTagStart(all, caret) - 1, FindTagEnd(all, caret));
    m_tagRecolourPending = false;
}

bool HtmlEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            HTMLKeyDown(key);
            HTMLKeyPress(key);
        } else if (event->type() == QEvent::KeyRelease) {
            HTMLKeyUp();
        }
    }
    return QObject::eventFilter(watched, event);
}
