#pragma once

#include "core/sheet/byte_lines.h"
#include "core/sheet/sheet_encoding.h"

#include <QString>

#include <functional>

class QPlainTextEdit;
class QTextDocument;
class QTextEdit;
class QWidget;
class RuleMemo;
class SheetViewModel;

// A document's text exactly as held, every line break as "\n": plain
// text would turn no-break spaces into blanks and lose the byte behind them.
QString documentText(const QTextDocument *document);

// Shift+Enter in the edit breaks the line as Enter does.
void keepLineBreaksPlain(QWidget *edit);

// Text shown in a memo: each line followed by a line break, bytes shown
// through the sheet's codec. A memo's text reads back into the same lines.
QString linesToMemoText(const ByteLines &lines, const SheetCodec &codec);
ByteLines memoTextToLines(const QString &text, const SheetCodec &codec);

// Keeps the rule memo and CSSMemo equal both ways; userEdited runs after
// each change the user makes to the text.
void bindRuleMemo(RuleMemo *memo, QPlainTextEdit *edit, const SheetCodec &codec,
                  std::function<void()> userEdited = {});

// Keeps HCSSMemo showing the whole-sheet view with its caret.
void bindSheetView(SheetViewModel *view, QPlainTextEdit *edit, const SheetCodec &codec);

// The lines a memo shows, read back byte for byte.
ByteLines memoLines(const QPlainTextEdit *edit, const SheetCodec &codec);
// Where the caret stands in the sheet's bytes, lines ending in CR LF.
qsizetype byteOffsetOfCaret(const QPlainTextEdit *edit, const SheetCodec &codec);

// Shows lines in a read-only memo.
void showLines(QPlainTextEdit *edit, const ByteLines &lines, const SheetCodec &codec);

// The same for the rich text edit of the HTML page: its text is shown
// plain, and read back byte for byte.
void showLines(QTextEdit *edit, const ByteLines &lines, const SheetCodec &codec);
ByteLines memoLines(const QTextEdit *edit, const SheetCodec &codec);
