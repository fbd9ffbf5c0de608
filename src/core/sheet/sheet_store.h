#pragma once

#include "core/sheet/byte_lines.h"
#include "core/sheet/edit_history.h"
#include "core/sheet/sheet_encoding.h"
#include "core/sheet/sheet_file_watch.h"
#include "core/sheet/rule_memo.h"
#include "core/sheet/style_list_model.h"
#include "core/sheet/style_table.h"

#include <QObject>
#include <QString>

#include <functional>

// The editor's shared state: the sheet as text and as a table of rules,
// the rule list and the rule memo the widgets mirror, the undo history,
// the current file and rule. One instance lives for the whole run.
class SheetStore : public QObject
{
    Q_OBJECT
public:
    explicit SheetStore(QObject *parent = nullptr);

    // --- the sheet as text
    const ByteLines &sheetLines() const { return m_sheetLines; }
    QByteArray sheetText() const { return joinLines(m_sheetLines); }
    void setSheetLines(const ByteLines &lines);
    void setSheetText(const QByteArray &text) { setSheetLines(splitTextReusing(text, m_sheetLines)); }
    // The bytes the file gets: the byte order mark, where the sheet was
    // read with one, in front. Lines end in the file's own line break (LF
    // for a new sheet); while untouched layout is kept, the last line ends
    // as it ended when read, and lines that ended otherwise end so again.
    QByteArray fileText() const;
    void setLineBreaks(const QByteArray &lineBreak, bool finalBreak)
    {
        m_lineBreak = lineBreak;
        m_finalBreak = finalBreak;
        m_readLines.clear();
        m_readEnds.clear();
    }
    // The line breaks of a file as read (its lines, the byte order mark
    // taken off): the first is the one the program writes, and where lines
    // end in different ways, each line written as read ends as it did.
    void setLineBreaksOf(const QByteArray &fileBytes, const ByteLines &lines);
    // The sheet as last read from disk.
    const ByteLines &diskLines() const { return m_diskLines; }

    // --- the sheet's encoding, decided when it is read; the widgets show
    // its text through the codec.
    const SheetCodec &codec() const { return m_codec; }
    SheetEncoding encoding() const { return m_codec.encoding(); }
    bool hasBom() const { return m_bom; }

    // Untouched rules and the text between rules written as they were read.
    bool keepsUntouchedLayout() const { return m_keepLayout; }
    // Switched on, the sheet as it stands now counts as read: the table is
    // read again from the text, with the current rule selected again.
    void setKeepUntouchedLayout(bool keep);
    void setEncoding(SheetEncoding encoding, bool bom);
    // The encoding and mark as the history keeps them with each snapshot.
    quint8 encodingCode() const;
    void setEncodingCode(quint8 code);
    // Writes the whole sheet in another encoding from now on: its text is
    // the same characters, what the encoding lacks written as escapes, and
    // an @charset at its head names the new encoding. One undo step.
    void recode(SheetEncoding to);
    void setDiskLines(const ByteLines &lines) { m_diskLines = lines; }
    // Text after the last held rule, written back unchanged.
    const ByteLines &tail() const { return m_tail; }

    // --- the table of rules
    StyleTable &table() { return m_table; }
    const StyleTable &table() const { return m_table; }
    int styleCount() const { return m_table.count; }

    StyleListModel &list() { return m_list; }
    const StyleListModel &list() const { return m_list; }
    RuleMemo &memo() { return m_memo; }
    const RuleMemo &memo() const { return m_memo; }

    // --- current rule, file and flags
    int currentStyleIndex() const { return m_currentStyleIndex; }
    void setCurrentStyleIndex(int index) { m_currentStyleIndex = index; }
    const QString &currentFileName() const { return m_currentFileName; }
    void setCurrentFileName(const QString &path) { m_currentFileName = path; }
    bool sheetModified() const { return m_sheetModified; }
    void setSheetModified(bool modified);
    // The sheet as it now stands is the file's: just read, taken or saved.
    void markUnmodified();
    // Whether the text differs from what it was when last marked so.
    bool differsFromUnmodified() const { return sheetText() != m_unmodifiedText; }
    bool mayProceed() const { return m_mayProceed; }
    void setMayProceed(bool may) { m_mayProceed = may; }
    const QString &homePageAddress() const { return m_homePageAddress; }
    void setHomePageAddress(const QString &address) { m_homePageAddress = address; }
    const QString &htmlFileName() const { return m_htmlFileName; }
    void setHtmlFileName(const QString &path) { m_htmlFileName = path; }

    // What the program last read from or wrote to the sheet's file.
    SheetFileWatch &fileWatch() { return m_fileWatch; }

    // --- undo history
    EditHistory &history() { return m_history; }
    const EditHistory &history() const { return m_history; }
    bool backEditEnabled() const { return m_backEditEnabled; }
    bool foreEditEnabled() const { return m_foreEditEnabled; }
    void setHistoryActions(bool backEnabled, bool foreEnabled);

    // Text to table: replaces the table and the list by the rules of the
    // sheet; leaves the list without a selection.
    void RebuildStyleTable();

    // Table to text: stores the memo into the current rule and reloads the
    // selected one, rebuilds the sheet text and records a snapshot when the
    // text really changed.
    void RegenerateSheet();
    bool SheetDiffersFromHistory() const;

    // Writes the memo back into the current rule, then loads the selected
    // rule (row 0 when none is selected) into the memo.
    void SelectStyle();

    // Loads a rule into the memo, the panels following, without writing
    // the memo back anywhere.
    void loadRule(int row);
    // Selects a rule of a table just read from the text: the memo belongs
    // to the text before and is not written back.
    void selectAfterRebuild(int row);

    // Runs after SelectStyle has loaded a rule into the memo, so the panels
    // and the sheet view can follow.
    void setRuleLoadedHandler(std::function<void()> handler) { m_ruleLoaded = std::move(handler); }

    // While untouched layout is kept, writes a changed rule as its own text
    // with only the change made, where it can.
    using InPlaceWriter = std::function<std::optional<ByteLines>(const AsRead &, const QByteArray &, const ByteLines &)>;
    void setInPlaceWriter(InPlaceWriter writer) { m_inPlace = std::move(writer); }
    void runRuleLoaded()
    {
        if (m_ruleLoaded)
            m_ruleLoaded();
    }

signals:
    void sheetLinesChanged();
    void sheetModifiedChanged(bool modified);
    void historyActionsChanged();
    void encodingChanged();

private:
    ByteLines m_sheetLines;
    ByteLines m_tail;
    ByteLines m_rawTail; // the tail byte for byte, from right after the last group brace or rule
    bool m_keepLayout = false;
    QByteArray m_lineBreak = "\r\n";
    bool m_finalBreak = true;
    ByteLines m_readLines;  // only while the file's lines end in different ways
    QByteArray m_readEnds;
    ByteLines m_diskLines;
    StyleTable m_table;
    StyleListModel m_list;
    RuleMemo m_memo;
    EditHistory m_history;
    SheetCodec m_codec;
    bool m_bom = false;

    int m_currentStyleIndex = 0;
    QString m_currentFileName;
    bool m_sheetModified = false;
    QByteArray m_unmodifiedText;
    bool m_mayProceed = false;
    QString m_homePageAddress;
    QString m_htmlFileName;
    bool m_backEditEnabled = false;
    bool m_foreEditEnabled = false;

    std::function<void()> m_ruleLoaded;
    InPlaceWriter m_inPlace;
    SheetFileWatch m_fileWatch;
};
