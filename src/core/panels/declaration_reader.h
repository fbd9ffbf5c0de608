#pragma once

class PanelState;
class RuleMemo;

// Puts every panel control into its neutral state.
void ResetPanels(PanelState &panels);

// Reads the current rule's declarations from the memo into the panels and
// rewrites the memo in the program's layout: the generated lines first,
// then, under the unsupported-properties comment, what no control stands
// for, in the case the user wrote it.
void DeclarationsToPanels(PanelState &panels, RuleMemo &memo);
