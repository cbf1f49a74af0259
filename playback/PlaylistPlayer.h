#pragma once

#include "Playlist.h"

#include <QObject>
#include <QStringList>

namespace playback {

class PlaybackModel;

// Plays through a playlist: opening files makes the list (several files) or follows the
// folder (one file), previous and next step through it skipping files the engine refuses,
// and a track that plays to its end is followed by the next one; at the end of the list
// playback stops. Main thread only.
class PlaylistPlayer : public QObject {
    Q_OBJECT
  public:
    explicit PlaylistPlayer(PlaybackModel& model, QObject* parent = nullptr);

    // Plays the first of `files` the engine takes and keeps them all as the list; a single
    // file brings its folder with it. False, and nothing changed, when none plays.
    bool openFiles(const QStringList& files);
    // The next (previous) track the engine takes; false at the end (start), where the current
    // track stays as it is.
    bool next();
    bool previous();
    bool hasNext() const { return playlist_.hasNext(); }
    bool hasPrevious() const { return playlist_.hasPrevious(); }
    const Playlist& playlist() const { return playlist_; }

  signals:
    // Whether there is a previous or next track may have changed.
    void navigationChanged();

  private:
    bool step(bool forwards);

    PlaybackModel& model_;
    Playlist playlist_;
};

} // namespace playback
