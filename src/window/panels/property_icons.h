#pragma once

#include <QIcon>

// Pictures of what the option buttons of the panels do, drawn in code.
namespace icons {

enum class Decoration { UnderLine, LineThrough, OverLine, Blink, None };
QIcon decoration(Decoration kind);

enum class VAlign { Bottom, TextBottom, Sub, Baseline, Middle, Super, TextTop, Top };
QIcon verticalAlign(VAlign kind);

enum class Display {
    Block, InLine, ListItem, Marker, None,
    Table, InLineTable, TableCaption, TableHeaderGroup, TableFooterGroup,
    TableCell, TableRow, TableRowGroup, TableColumn, TableColumnGroup,
    InLineBlock, Flex, InLineFlex, Grid, InLineGrid, Contents,
};
QIcon display(Display kind);

enum class Visibility { Visible, Hidden, Collapse };
QIcon visibility(Visibility kind);

enum class Overflow { Auto, Visible, Hidden, Scroll };
QIcon overflow(Overflow kind);

enum class Scheme { Static, Relative, Absolute, Fixed, Sticky };
QIcon positionScheme(Scheme kind);

QIcon floatSide(bool right);

QIcon attachment(bool fixed);

enum class Repeat { Both, None, Vertical, Horizontal };
QIcon repeat(Repeat kind);

// The buttons of the layout page, by their names: how items go in a flex
// or grid container.
QIcon layout(const QString &buttonName);

// No unit after the number: a struck-out unit.
QIcon noUnit();

} // namespace icons
