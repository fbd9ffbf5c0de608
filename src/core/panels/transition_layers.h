#pragma once

#include <QByteArray>
#include <QList>

#include <array>
#include <optional>

// Transitions as the panels edit them: the layers the engine reads from the
// shorthand and its longhands, one layer's part written where the rule
// gives it.

struct TransitionLayer {
    QByteArray property, duration, timing, delay; // as written
    QByteArray behavior = "normal";                // allow-discrete, or normal
};

enum class TransitionPart { Property, Duration, Timing, Delay };

// The rule's transition declarations as written, empty where not given.
struct TransitionValues {
    QByteArray shorthand;
    std::array<QByteArray, 4> longhands; // by TransitionPart
    // A longhand written before the shorthand, which sets that part anew.
    std::array<bool, 4> beforeShorthand{};

    bool isEmpty() const;
};

// The layers as the engine reads them: as many as transition-property
// (or the shorthand) lists, each part from its longhand where the rule
// gives one after the shorthand, a short list repeated whole; nothing for
// a var() or a layer the parts cannot stand for.
std::optional<QList<TransitionLayer>> transitionLayersOf(const TransitionValues &values);
// One part of one layer written anew: into its longhand where the rule
// gives one, else into the shorthand, which a rule without transitions
// gets.
void setTransitionPart(TransitionValues &values, int layer, TransitionPart part, const QByteArray &word);
void addTransitionLayer(TransitionValues &values);
void removeTransitionLayer(TransitionValues &values, int layer);

// Times: "0.15s" is 150 ms; a time written back keeps the unit of the
// word it replaces.
std::optional<double> millisecondsOf(const QByteArray &time);
QByteArray timeText(double milliseconds, const QByteArray &like);

// The two control points of an easing curve: the keywords' and a
// cubic-bezier()'s; nothing for steps() and the like.
std::optional<std::array<double, 4>> easingPoints(const QByteArray &timing);
// The points as cubic-bezier(); a point the timing it replaces gives the
// same keeps its word as written there, the others are rounded to
// hundredths.
QByteArray cubicBezierText(const std::array<double, 4> &points, const QByteArray &replaced = {});

inline constexpr const char *kNewTransitionLayer = "all 150ms ease";
