#pragma once

#include "core/panels/panel_state.h"

// The part controls of shadows, transforms and transitions: shown from the
// declarations the panels keep as written, and written back into them a
// part at a time, so what the user did not touch stays as the rule had it.

// Every part control from the declarations, for the layers chosen.
void showEffectParts(PanelState &p);
// A part field changed: its layer is written anew. False for a field that
// is no part of a layer.
bool foldEffectPart(PanelState &p, Length field);

// Shadows: the colour (its swatch, check box or opacity), inset, and the
// list of layers.
void foldShadowColor(PanelState &p);
void foldShadowInset(PanelState &p, bool inset);
void addShadowLayer(PanelState &p);
void removeShadowLayer(PanelState &p);

// Transitions: the property, the timing, and the list of layers.
void foldTransitionProperty(PanelState &p, const QByteArray &property);
void foldTransitionTiming(PanelState &p, const QByteArray &timing);
void addTransitionLayer(PanelState &p);
void removeTransitionLayer(PanelState &p);

// What a colour with its alpha is written as: "#1E90FF", or rgba() below
// full opacity.
QByteArray shadowColorText(Rgb color, int percent);

// What typed into the content field is written as: text is quoted as CSS
// wants it ("→ " becomes "\"→ \""); none, normal, strings, attr(),
// counter() and the like stay as typed.
QByteArray contentAsCss(const QByteArray &typed);

// Whether the content field is shown: for a rule of ::before or ::after,
// and for any rule that gives content.
bool contentFieldShown(const QByteArray &selector, const QByteArray &content);
