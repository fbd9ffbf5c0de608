#pragma once

#include "core/sheet/sheet_store.h"

// Puts a text into the store the way opening a file does: rebuild, select
// the first rule without writing anything back, start a fresh history.
inline void openText(SheetStore &store, const QByteArray &text)
{
    store.memo().clear();
    store.setSheetText(text);
    store.RebuildStyleTable();
    store.list().setSelected(0);
    store.setCurrentStyleIndex(-1);
    store.SelectStyle();
    store.history().pos = 0;
    store.RegenerateSheet();
}

inline ByteLines lines(std::initializer_list<const char *> items)
{
    ByteLines out;
    for (const char *item : items)
        out.append(QByteArray(item));
    return out;
}
