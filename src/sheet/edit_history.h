#pragma once

#include <QByteArray>

#include <array>

inline constexpr int kHistorySlots = 1000;

// Whole-sheet snapshots for undo and redo. Snapshots live in slots
// 1 .. pos + redoCount; slot 0 takes the one dropped when the history is
// full, and slot 1001 is only ever read as the slot above slot 1000.
struct EditHistory {
    std::array<QByteArray, kHistorySlots + 2> texts;
    std::array<int, kHistorySlots + 2> selections{};
    int pos = 0;
    int redoCount = 0;

    // True when the text differs from the current snapshot and from the one
    // redo would return to, ignoring what a regeneration may reshuffle.
    bool differsFrom(const QByteArray &sheetText) const;

    // Stores the text as the new current snapshot and drops the redo steps.
    void record(const QByteArray &sheetText, int selection);

    bool canUndo() const { return pos > 1; }
    bool canRedo() const { return redoCount > 0; }

private:
    QByteArray canonicalOf(const QByteArray &text) const;

    // The canonical form of the text last compared, and of the current
    // snapshot: a commit compares the new text with the snapshot it
    // recorded just before, so neither has to be worked out twice.
    mutable QByteArray m_lastText, m_lastCanonical;
    mutable QByteArray m_snapshotText, m_snapshotCanonical;
};

// The text without what a regeneration may reshuffle: the unsupported-
// properties comment, doubled semicolons, line breaks and blanks, except
// a blank between two word bytes, which stays as one blank.
QByteArray CanonicalSheetText(const QByteArray &text);
