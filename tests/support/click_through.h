#pragma once

#include "fake_host.h"
#include "scripted_questioner.h"
#include "sheet_fixture.h"

#include "core/editor/editor.h"

// A sheet opened, clicked through rule by rule and saved, in one layout:
// the text a save writes, and how many style rules the list held.
struct ClickedThrough {
    QByteArray saved;
    int styleRules = 0;
};

inline ClickedThrough clickThroughAndSave(const QByteArray &text, bool keepLayout)
{
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
    SheetStore &store = editor.store();
    store.setKeepUntouchedLayout(keepLayout);
    openText(store, text);
    for (int row = 0; row < store.styleCount(); ++row)
        editor.ListTagClick(row);
    store.RegenerateSheet();
    ClickedThrough out;
    out.saved = store.fileText();
    for (int row = 0; row < store.styleCount(); ++row)
        out.styleRules += store.list().item(row).startsWith('@') ? 0 : 1;
    return out;
}
