// Any lines as a rule's declarations: read into the panels and written
// back, a second round gives the same lines.
#include "core/panels/declaration_reader.h"
#include "core/panels/declaration_writer.h"
#include "core/panels/panel_state.h"
#include "core/sheet/rule_memo.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    PanelState panels;
    RuleMemo memo;
    memo.setLines(splitText(text));
    DeclarationsToPanels(panels, memo);
    PanelsToDeclarations(panels, memo);
    const ByteLines once = memo.lines();
    DeclarationsToPanels(panels, memo);
    PanelsToDeclarations(panels, memo);
    DeclarationsToPanels(panels, memo);
    PanelsToDeclarations(panels, memo);
    const ByteLines twice = memo.lines();
    DeclarationsToPanels(panels, memo);
    PanelsToDeclarations(panels, memo);
    if (memo.lines() != twice)
        std::abort(); // what the panels hold must round-trip
    (void)once;
    return 0;
}
