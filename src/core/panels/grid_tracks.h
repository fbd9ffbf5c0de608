#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Whether the value is a track list grid-template-columns and -rows take,
// as CSS Grid's grammar has it: none; subgrid with line names; or track
// sizes, line names and repeat(), where one automatic repeat (auto-fill,
// auto-fit) may stand only among tracks of a fixed size. A var() may
// stand for anything.
bool isGridTrackList(const QByteArray &value);

// A track added to or taken off a list: the new list (empty when no track
// is left), or nothing when it cannot be done; and what the user is told.
struct TrackEdit {
    std::optional<QByteArray> tracks;
    QString message;
};
// One more track: a "1fr", or one more round of a fixed repeat() at the
// end; beside an automatic repeat, a track of the repeat's own fixed size.
TrackEdit withTrackAdded(const QByteArray &tracks);
// The last track off: one round less of a fixed repeat() at the end; an
// automatic repeat is not taken off by it.
TrackEdit withLastTrackRemoved(const QByteArray &tracks);
