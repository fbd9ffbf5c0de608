#pragma once

#include <QDir>
#include <QString>

// The public sheets scripts/fetch-corpus keeps outside the source tree:
// QUILLBOX_CORPUS_DIR, else quillbox-corpus in the user's cache folder.
inline QString corpusDir()
{
    const QString configured = qEnvironmentVariable("QUILLBOX_CORPUS_DIR");
    if (!configured.isEmpty())
        return configured;
    const QString cache = qEnvironmentVariable("XDG_CACHE_HOME", QDir::homePath() + QStringLiteral("/.cache"));
    return cache + QStringLiteral("/quillbox-corpus");
}
