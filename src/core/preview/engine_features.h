#pragma once

#include <QByteArrayList>
#include <QString>
#include <QVariant>

// What the preview's engine reads by itself, as it answers when asked: the
// lowering then rewrites only the rest. Nothing by default, which is what
// the oldest engine the program runs on (Chromium 102) reads of these.
struct EngineFeatures {
    bool nesting = false;              // style rules inside style rules
    bool has = false;                  // :has()
    bool container = false;            // @container
    bool scope = false;                // @scope
    bool individualTransforms = false; // translate, rotate, scale
    // Colour functions it reads, as "oklch(".
    QByteArrayList colours;

    bool readsColour(const char *function) const { return colours.contains(QByteArray(function)); }

    // From the answer of page_scripts::engineFeatures(); nothing for no answer.
    static EngineFeatures fromAnswer(const QVariant &answer);
    bool operator==(const EngineFeatures &other) const = default;
};

// The engine of this process's preview, once it has been asked; before
// that, the one that reads nothing of the above.
const EngineFeatures &previewEngine();
void setPreviewEngine(const EngineFeatures &features);

// "Движок предпросмотра: Chromium 122" where Qt names its Chromium; empty
// where it does not.
QString engineVersionText(const QString &chromiumVersion);
