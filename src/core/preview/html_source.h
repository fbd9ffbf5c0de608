#pragma once

#include "core/sheet/sheet_file_watch.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>

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

    // The loaded page's file as another program may have left it: read
    // again when the editor's text is unchanged, else after the user says
    // so; nothing when the editor keeps its text.
    std::optional<Shown> PageDiskChanged(bool editorChanged);
    // Before the editor's text is written: true to write; false when
    // another program changed the file and the user takes that change,
    // which is then in taken().
    bool MayWritePage();
    std::optional<Shown> taken() { return std::exchange(m_taken, std::nullopt); }
    SheetFileWatch &watch() { return m_watch; }

private:
    QString decode(const QByteArray &bytes) const;
    QByteArray encode(const QString &text) const;

    SheetStore &m_store;
    Questioner &m_questioner;
    BrowserHost *m_browser = nullptr;
    bool m_utf8 = false;
    bool m_loaded = false;
    QString m_asked; // the page the last load was asked for
    SheetFileWatch m_watch;
    std::optional<Shown> m_taken;
    std::optional<Shown> readPage(const QString &path);
};

// Whether a page's bytes are UTF-8: valid UTF-8 with letters beyond
// ASCII, or plain ASCII declared as UTF-8.
bool readsAsUtf8(const QByteArray &bytes);
