#include "core/panels/css_overlap.h"

#include "core/css/css_catalogue.h"

#include <QHash>

bool cssPropertiesOverlap(QByteArray earlier, QByteArray later)
{
    if (earlier == later)
        return true;
    // A reading asks for the same few hundred pairs of names again and
    // again; the answer never changes.
    thread_local QHash<QByteArray, bool> known;
    const QByteArray key = earlier + '|' + later;
    if (const auto it = known.constFind(key); it != known.constEnd())
        return *it;
    const bool overlap = cssCatalogue::setsTheSame(earlier, later);
    if (known.size() < 100000)
        known.insert(key, overlap);
    return overlap;
}
