#pragma once

#include "core/host/init_settings.h"

#include <QSettings>

#include <memory>

// Empties the program's settings store (a temporary folder in tests).
inline void clearProgramSettings()
{
    std::unique_ptr<QSettings> settings(openProgramSettings());
    settings->clear();
    settings->sync();
}
