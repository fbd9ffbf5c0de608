#pragma once

#include <functional>

class QObject;
class QWebEngineProfile;

// Asks the preview's engine, in a page of its own that is never shown,
// what it reads by itself, and makes that the process's preview engine.
// `known` runs once the answer is in, with whether it changed anything.
void probePreviewEngine(QWebEngineProfile *profile, QObject *owner, std::function<void(bool changed)> known);
