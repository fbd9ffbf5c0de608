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

// The program's own layout for every rule a save writes, as a user who
// chose it has it stored.
inline void chooseProgramLayout()
{
    std::unique_ptr<QSettings> settings(openProgramSettings());
    settings->setValue(QStringLiteral("Init/KeepUntouchedLayout"), 0);
    settings->sync();
}
