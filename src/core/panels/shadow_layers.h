#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// box-shadow as the panels edit it: a list of layers, one layer in parts.
// Words keep what the rule wrote; a part changed replaces its own word.

struct ShadowLayer {
    QList<QByteArray> words;
    // The word of each part, -1 where the layer leaves it out.
    int x = -1, y = -1, blur = -1, spread = -1, color = -1, inset = -1;
};

// The layer in parts; nothing for none, a var() and whatever else the
// parts cannot stand for.
std::optional<ShadowLayer> shadowLayerOf(const QByteArray &layer);

enum class ShadowPart { X, Y, Blur, Spread, Color };
// The layer with one part written anew; an empty word leaves a blur,
// spread or colour out (a blur before a spread becomes 0).
QByteArray withShadowPart(const QByteArray &layer, ShadowPart part, const QByteArray &word);
QByteArray withShadowInset(const QByteArray &layer, bool inset);

QList<QByteArray> shadowLayers(const QByteArray &value);
QByteArray joinedLayers(const QList<QByteArray> &layers);
// A soft shadow under the box, the layer a new one starts from.
inline constexpr const char *kNewShadowLayer = "0 2px 6px rgba(0, 0, 0, 0.15)";

// A word that is a length with a bare point (".5rem") as the fields read it.
QByteArray withLeadingZero(const QByteArray &number);
