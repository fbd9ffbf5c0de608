#pragma once

class PanelState;
class RuleMemo;

// Rewrites the generated declaration lines of the memo from the panels and
// carries the other lines over below them, indented by two blanks. A memo
// that holds the base page rule ("LINK_HTML=") is left alone; the result
// tells whether the memo was rewritten.
//
// A property whose control is as it was read is written as the rule wrote
// it. One the user changed takes effect: the kept lines that set that very
// property go (their "!important" passes to the new value), and where a
// kept shorthand also sets it, the new value is written after the kept
// lines so that it wins. Taken out, a property leaves a plain shorthand
// with what else it gives.
bool PanelsToDeclarations(PanelState &panels, RuleMemo &memo);
