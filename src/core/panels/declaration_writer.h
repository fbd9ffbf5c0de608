#pragma once

class PanelState;
class RuleMemo;

// Rewrites the generated declaration lines of the memo from the panels and
// carries the other lines over below them, indented by two blanks. A memo
// that holds the base page rule ("LINK_HTML=") is left alone; the result
// tells whether the memo was rewritten.
bool PanelsToDeclarations(PanelState &panels, RuleMemo &memo);
