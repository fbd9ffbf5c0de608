#pragma once

#include "core/preview/tag_colouring.h"

#include <QObject>
#include <QString>

#include <optional>
#include <vector>

#include "core/preview/html_source.h"
class QKeyEvent;
class QTextEdit;
class QToolButton;

// The HTML source editor: the page's text with its tags coloured while the
// user types, the quick inserts, loading and saving.
//
// Every character has its colour, kept beside the text and shown through
// the lines' layouts (as Qt's syntax highlighting does), not stored as
// character formats: a large page is coloured at once that way.
class HtmlEditor : public QObject
{
    Q_OBJECT
public:
    HtmlEditor(QTextEdit *edit, HtmlSource &source, QObject *parent);

    void LoadHtmlIntoEditor();
    void SaveHTMLClick();
    // The page's file changed by another program: taken into the editor as
    // its source says.
    void PageDiskChanged();
    void RecolourAllTags();
    void SpeedButton9Click();
    void InsertSnippet(const QString &text, TagColour colour, int caretOffset);
    void InsertTagToHTML(const QToolButton *button);
    void InsertHyperLinkToHTMLClick();

    // The editor's text as it holds it, line breaks as "\n".
    QString text() const;
    // The colour of the character at a position.
    TagColour colourAt(int position) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The tags' colours worked out and shown, focus or not.
    void colourRange(int from, int to);
    void ColourTagRange(int from, int to);
    void showPage(const HtmlSource::Shown &shown);
    void HTMLKeyDown(const QKeyEvent *key);
    void HTMLKeyPress(const QKeyEvent *key);
    void HTMLKeyUp();
    // Keeps the colours in step with an edit of the text.
    void textChanged(int position, int removed, int added);
    // Shows the colours of the characters from..to (inclusive).
    void showColours(int from, int to);

    QTextEdit *m_edit;
    HtmlSource &m_source;
    std::vector<TagColour> m_colours;
    std::optional<TagColour> m_insertion;
    bool m_tagRecolourPending = false;
    bool m_showing = false;
};
