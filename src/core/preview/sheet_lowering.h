#pragma once

#include "core/preview/engine_features.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

// The sheet as the preview's engine is given it: what the engine predates
// is lowered to what it understands, the rest left as written. What the
// engine reads by itself (its features) is never lowered.
//  - Nested style rules are written flat. A nested selector's "&" stands
//    for its parent as :is(parent); one without "&" is a descendant of the
//    parent. Declarations after a nested rule keep their place in the
//    cascade: each run of them is a rule of its own. Conditional rules
//    inside a style rule wrap the parent's selector.
//  - oklch(), oklab(), lab(), lch(), hwb(), color(), color-mix() and
//    light-dark() are written as rgba() where the panels can read them (no
//    var() inside).
//  - Relative addresses in url() and @import are made absolute against the
//    sheet's own address, as the page then gets the sheet from elsewhere.
// Never throws; text it cannot read (a block that never closes) is passed
// on as written.
struct LoweredSheet {
    QByteArray text;
    // What the engine still cannot show, with how often the sheet uses it:
    // "@container", ":has()", "@scope".
    QList<std::pair<QString, int>> unshown;
};
LoweredSheet lowerForPreview(const QByteArray &sheet, const QByteArray &sheetUrl,
                             const EngineFeatures &engine = previewEngine());

// The selector list a nested rule really has, as the browser reads it: in
// each of its selectors "&" stands for the parent list as :is(parent), and
// one without "&" is a descendant of the parent ("> p" a child). Without a
// parent, the list itself.
QByteArray resolveNestedSelector(const QByteArray &nested, const QByteArray &parent);

// Declarations, as a rule's body holds them, as the preview's engine is
// given them; themselves when the lowering makes anything else of them.
QByteArray lowerDeclarations(const QByteArray &declarations, const EngineFeatures &engine = previewEngine());

// "Просмотр не показывает: @container (6), :has() (12)", or nothing.
QString unshownMessage(const LoweredSheet &lowered);
