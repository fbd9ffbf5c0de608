#pragma once

#include "core/sheet/byte_lines.h"
#include "core/sheet/style_table.h"

#include <optional>

// A changed rule written the way an editor of text would change it: its
// text as read, with only what changed changed.
//  - A declaration whose value changed keeps its name, its blanks, its
//    !important and its line; only the value is new.
//  - A new declaration follows the rule's last declaration, in lower case,
//    in the rule's own style: on a line of its own with the same indent,
//    or on the same line in a rule written on one line.
//  - A declaration taken out goes, with its line when it stood alone.
//  - A new selector takes the old one's place.
// Everything else stays byte for byte. Nothing when the change cannot be
// made so: a changed property whose old place would put it before a
// shorthand that then overrides it moves to the end instead, but a change
// of !important, of a property given more than once, or a selector with
// comments in it leaves the rule to the program's layout.
std::optional<ByteLines> ruleEditedInPlace(const AsRead &read, const QByteArray &name, const ByteLines &body);
