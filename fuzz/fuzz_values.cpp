// Any text as a colour, a variable's value, a shorthand and a length: the
// readers answer at once, never loop, and what they read writes back.
#include "core/css/css_color.h"
#include "core/panels/css_variables.h"
#include "core/panels/declaration_reader.h"
#include "core/panels/declaration_writer.h"
#include "core/panels/panel_state.h"
#include "core/panels/shorthand_parts.h"
#include "core/sheet/byte_lines.h"
#include "core/sheet/rule_memo.h"

#include <QHash>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    // The first line is the value; the others define variables, "--name:value".
    const QList<QByteArray> lines = text.split('\n');
    const QByteArray value = lines.first();
    QHash<QByteArray, QByteArray> defined;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            defined.insert(lines[i].left(colon), lines[i].mid(colon + 1));
    }
    const VariableLookup lookup = [&defined](const QByteArray &name) -> std::optional<QByteArray> {
        const auto it = defined.constFind(name);
        return it == defined.constEnd() ? std::nullopt : std::optional<QByteArray>(*it);
    };

    const std::optional<QByteArray> plain = substituteVariables(value, lookup);
    if (plain && plain->size() > 64 * 1024)
        std::abort(); // substitution is bounded
    if (const std::optional<Rgb> color = CssToColor(latinUpper(plain.value_or(value)))) {
        const QByteArray css = ColorToCss(*color);
        if (CssToColor(css) != Rgb{color->r, color->g, color->b})
            std::abort(); // what a swatch writes reads back as the same colour
    }
    for (const char *shorthand : {"MARGIN", "PADDING", "BORDER", "BORDER-WIDTH", "BACKGROUND", "FONT"}) {
        for (const char *longhand : {"MARGIN-TOP", "PADDING-LEFT", "BORDER-COLOR", "BORDER-WIDTH",
                                     "BACKGROUND-COLOR", "FONT-FAMILY", "FONT-SIZE", "LINE-HEIGHT"})
            (void)longhandOf(shorthand, value, longhand);
    }
    for (const char *longhand : {"PADDING-TOP", "BORDER-COLOR", "BORDER-STYLE", "BACKGROUND-COLOR"}) {
        for (const char *shorthand : {"padding", "border", "background"})
            (void)withoutLonghand(shorthand, value, longhand);
    }

    // As the values of declarations the panels show: read and written, a
    // second round gives the same lines.
    PanelState panels;
    panels.sheetVariable = lookup;
    RuleMemo memo;
    memo.setLines({"padding: " + value + ";", "width: " + value + ";", "color: " + value + ";",
                   "font: " + value + ";", "border: " + value + ";", "background: " + value});
    DeclarationsToPanels(panels, memo);
    PanelsToDeclarations(panels, memo);
    DeclarationsToPanels(panels, memo);
    PanelsToDeclarations(panels, memo);
    const ByteLines once = memo.lines();
    DeclarationsToPanels(panels, memo);
    PanelsToDeclarations(panels, memo);
    if (memo.lines() != once)
        std::abort();
    return 0;
}
