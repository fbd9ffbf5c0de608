#include "window/panels/length_field_table.h"

#include "window/panels/panel_controls.h"

#include <QLineEdit>
#include <QToolButton>

LengthFieldTable::LengthFieldTable(const PanelControls &controls)
{
    for (int number = 1; number < kFontSizeUnit; ++number) {
        const LengthField &widgets = controls.lengthFields[QLatin1String(lengthName(field(number)))];
        m_rows[number] = {widgets.edit, widgets.upDown, widgets.unit};
    }
    m_rows[kFontSizeUnit].unit = controls.fontSizeUnit;
}

int LengthFieldTable::numberOf(const QObject *control) const
{
    if (!control)
        return 0;
    for (int number = 1; number <= kFontSizeUnit; ++number) {
        const Row &row = m_rows[number];
        if (control == row.edit || control == row.upDown || control == row.unit)
            return number;
    }
    return 0;
}
