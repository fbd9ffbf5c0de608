// Any bytes as a rule's body: every declaration the property table can
// switch off comes back as it was when switched on again, and while off it
// is a row of its own, switched off.
#include "core/panels/prop_rows.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096)
        return 0;
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<PropRow> rows = propRows(body);
    for (qsizetype k = 0; k < rows.size(); ++k) {
        if (!rows[k].on || rows[k].lock != PropRow::Lock::None)
            continue;
        const QByteArray off = propEdit::switchedOff(body, rows[k]);
        const QList<PropRow> offRows = propRows(off);
        if (offRows.size() != rows.size() || offRows[k].on || offRows[k].name != rows[k].name)
            std::abort(); // the declaration switched off is the same row, off
        if (propEdit::switchedOn(off, offRows[k]) != body)
            std::abort(); // and on again, the bytes as they were
    }
    return 0;
}
