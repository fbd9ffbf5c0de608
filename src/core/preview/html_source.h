#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class BrowserHost;
class Questioner;
class SheetStore;

// The page loaded into the HTML editor: which file it is, how its bytes
// read, and writing the edited text back over it.
class HtmlSource
{
public:
    HtmlSource(SheetStore &store, Questioner &questioner);

    void setBrowser(BrowserHost *browser) { m_browser = browser; }

    // What the editor shows after a load: the page's text, or the lines
    // that say why it could not be read.
    struct Shown {
        QString text;
        bool loaded = false; // the page itself: its tags are coloured
        QString hint;        // the file's path, shown as the editor's hint
    };
    // Loads the page shown in the preview; nothing when the editor keeps
    // its text (no page to load).
    std::optional<Shown> LoadHtmlIntoEditor();

    // Writes the editor's text over the loaded file and shows the saved
    // page; false when nothing was written.
    bool SaveHTMLClick(const QString &editorText);

    // Whether the loaded page is UTF-8 rather than single-byte text.
    bool utf8() const { return m_utf8; }

private:
    QString decode(const QByteArray &bytes) const;
    QByteArray encode(const QString &text) const;

    SheetStore &m_store;
    Questioner &m_questioner;
    BrowserHost *m_browser = nullptr;
    bool m_utf8 = false;
    bool m_loaded = false;
    QString m_asked; // the page the last load was asked for
};

// Whether a page's bytes are UTF-8: valid UTF-8 with letters beyond
// ASCII, or plain ASCII declared as UTF-8.
bool readsAsUtf8(const QByteArray &bytes);
