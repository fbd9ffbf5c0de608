#include "core/sheet/edit_history.h"

#include "core/sheet/canonical_text.h"

namespace {

// Every this many slots a snapshot is kept whole, so reading one never
// replays more changes than that.
constexpr int kWholeEvery = 32;

} // namespace

QByteArray EditHistory::text(int slot) const
{
    for (const Cached &cached : m_texts) {
        if (cached.slot == slot)
            return cached.value;
    }
    int whole = slot;
    while (whole > 0 && m_slots[whole].prefix >= 0)
        --whole;
    QByteArray result = m_slots[whole].data;
    for (int k = whole + 1; k <= slot; ++k) {
        const Stored &step = m_slots[k];
        result.replace(step.prefix, result.size() - step.prefix - step.suffix, step.data);
    }
    m_texts[1] = m_texts[0];
    m_texts[0] = {slot, result};
    return result;
}

void EditHistory::forget(int slot) const
{
    for (Cached &cached : m_texts) {
        if (cached.slot == slot)
            cached = {};
    }
}

void EditHistory::storeWhole(int slot)
{
    if (m_slots[slot].prefix >= 0)
        m_slots[slot] = {text(slot), -1, 0};
}

void EditHistory::setText(int slot, const QByteArray &sheetText)
{
    // The slot above is kept as a change of this one: it is made whole
    // before this one changes.
    if (slot + 1 < int(m_slots.size()))
        storeWhole(slot + 1);
    int distance = 0;
    for (int k = slot - 1; k > 0 && m_slots[k].prefix >= 0; --k)
        ++distance;
    Stored stored{sheetText, -1, 0};
    if (slot > 0 && distance + 1 < kWholeEvery && !m_slots[slot - 1].data.isNull()) {
        const QByteArray below = text(slot - 1);
        const qsizetype prefix = commonPrefixLength(below, sheetText);
        const qsizetype suffix = commonSuffixLength(below, sheetText, prefix);
        stored = {sheetText.mid(prefix, sheetText.size() - prefix - suffix), int(prefix), int(suffix)};
    }
    m_slots[slot] = std::move(stored);
    forget(slot);
    m_texts[1] = m_texts[0];
    m_texts[0] = {slot, sheetText};
}

qsizetype EditHistory::storedBytes() const
{
    qsizetype bytes = 0;
    for (const Stored &stored : m_slots)
        bytes += stored.data.size();
    return bytes;
}

bool EditHistory::differsFrom(const QByteArray &sheetText) const
{
    if (pos == 0)
        return true;
    return !SameCanonicalText(sheetText, text(pos)) && !SameCanonicalText(sheetText, text(pos + 1));
}

void EditHistory::record(const QByteArray &sheetText, int selection, quint8 encoding)
{
    if (pos >= kHistorySlots) {
        // The oldest snapshot goes; the ones that were changes of it, and
        // the one above the top, are made whole first.
        storeWhole(1);
        storeWhole(kHistorySlots + 1);
        std::move(m_slots.begin() + 1, m_slots.begin() + kHistorySlots + 1, m_slots.begin());
        std::move(selections.begin() + 1, selections.begin() + kHistorySlots + 1, selections.begin());
        std::move(encodings.begin() + 1, encodings.begin() + kHistorySlots + 1, encodings.begin());
        m_slots[kHistorySlots] = {};
        // The texts worked out move down with their slots: rebuilding the
        // current one would replay up to kWholeEvery changes at every commit.
        for (Cached &cached : m_texts) {
            if (cached.slot == 0)
                cached = {};
            else if (cached.slot <= kHistorySlots)
                --cached.slot;
        }
        pos = kHistorySlots;
    } else {
        ++pos;
    }
    setText(pos, sheetText);
    selections[pos] = selection;
    encodings[pos] = encoding;
    redoCount = 0;
}
