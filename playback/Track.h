#pragma once

#include <QString>

namespace playback {

// The track the player has loaded: where it is and what its tags call it.
struct Track {
    QString path; // empty when nothing is loaded
    QString title;
    QString artist;
    QString album;
    // What the window shows: "artist - title", either alone, or the file's name when the
    // tags name neither.
    QString displayName;

    bool operator==(const Track&) const = default;
};

} // namespace playback
