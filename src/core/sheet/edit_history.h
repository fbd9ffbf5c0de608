#pragma once

#include <QByteArray>

#include <array>

inline constexpr int kHistorySlots = 1000;

// Whole-sheet snapshots for undo and redo. Snapshots live in slots
// 1 .. pos + redoCount; slot 0 takes the one dropped when the history is
// full, and slot 1001 is only ever read as the slot above slot 1000.
//
// A snapshot is kept as the part that differs from the slot below it, with
// a whole text every few slots: a thousand snapshots of a large sheet then
// take little more than the changes.
struct EditHistory {
    std::array<int, kHistorySlots + 2> selections{};
    // The sheet's encoding in each slot, as the store names it: a snapshot
    // is bytes, and only its encoding says which characters they are.
    std::array<quint8, kHistorySlots + 2> encodings{};
    int pos = 0;
    int redoCount = 0;

    // True when the text differs from the current snapshot and from the one
    // redo would return to, ignoring what a regeneration may reshuffle.
    bool differsFrom(const QByteArray &sheetText) const;

    // Stores the text as the new current snapshot and drops the redo steps.
    void record(const QByteArray &sheetText, int selection, quint8 encoding = 0);

    // The snapshot in a slot, and replacing it.
    QByteArray text(int slot) const;
    void setText(int slot, const QByteArray &sheetText);
    // The bytes the snapshots take.
    qsizetype storedBytes() const;

    bool canUndo() const { return pos > 1; }
    bool canRedo() const { return redoCount > 0; }

private:
    // The text of a slot: whole (prefix < 0), or the slot below with its
    // first prefix and last suffix bytes kept and data between them.
    struct Stored {
        QByteArray data;
        int prefix = -1;
        int suffix = 0;
    };
    void storeWhole(int slot);
    void forget(int slot) const;

    std::array<Stored, kHistorySlots + 2> m_slots;
    // The last texts worked out, by slot.
    struct Cached {
        int slot = -1;
        QByteArray value;
    };
    mutable std::array<Cached, 2> m_texts;
};
