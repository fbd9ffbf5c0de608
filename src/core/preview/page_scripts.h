#pragma once

#include <QJsonValue>
#include <QString>

// The scripts the program runs in the shown page, apart from the page's own
// scripts. The library is put into every page as it is created; the calls
// use it and answer with plain values. The page reports back on its own
// (a pick, a new width, the boxes to outline, a sheet arrived) through console lines that start with
// pageMessagePrefix().
namespace page_scripts {

QString library();
QString pageMessagePrefix();

// Outlines (when asked) and counts the elements the selectors match; the
// @media conditions are checked at the page's width. With `layout`, the
// tracks of matched grid containers and the items of flex ones are drawn
// too. Answers {count, invalid, mediaApplies, layout: [elements,
// containers, flex containers, items, flex items]} or nothing on an empty page.
QString highlight(const QJsonValue &selectors, const QJsonValue &media, bool outline, bool layout = false);
// Removes the outlines.
QString clear();
// Starts or ends picking an element; the rules are what the pick is
// checked against: [place, [selector or null, …], [media, …], [supports, …]].
QString startPicking(const QJsonValue &rules);
QString stopPicking();
// Which rules the page does not use: for [place, [selector, …], [media,
// …], [supports, …]] each, answers [place, 1] for a rule none of whose
// selectors matches an element and [place, 2] for one that matches but
// whose conditions do not hold; used rules are left out. Nothing on an
// empty page.
QString usage(const QJsonValue &rules);
// The picked element's colours for its contrast: {text, layers, image,
// size, weight}, or nothing before a pick.
QString pickedContrast();
// Puts the picked element into a state ("hover", "focus", "focus-visible",
// "focus-within", "active") or out of it; answers its colours as
// pickedContrast() does, or nothing before a pick.
QString forceState(const QString &state, bool on);
// Rule bodies as the engine reads them: for each, [[longhand, value,
// important, declaration], …], the declaration being the place among the
// rule's `declarations` of the one that gives the longhand (-1 unknown);
// then the picked element's style attribute the same way; last, its
// [writing mode, direction].
QString expand(const QJsonValue &bodies, const QJsonValue &declarations = QJsonValue());
// The picked element's computed values of the properties named.
QString computed(const QJsonValue &names);
// The page's style sheets in the cascade's order, those whose media hold:
// ["link", local path or null, address] or ["style", text].
QString sheets();
// What the engine reads by itself: {nesting, has, container, scope,
// transforms, colours: ["oklch(", …]}.
QString engineFeatures();
// Puts the sheet's file, read anew, in place of every link to it; answers
// false when the page does not link the file.
// Gives a served page the edited sheet in place of the one at the
// address (or of the dev server's <style> marked with the file): true when
// the page has it.
QString replaceServed(const QString &href, const QString &devId, const QString &text);
// Gives a served page another of its sheets with its states marked, in
// its place; the original text stays the one the cascade reads.
QString replaceMarked(const QString &href, const QString &original, const QString &marked);
QString swapSheet(const QString &sheetPath);

} // namespace page_scripts
