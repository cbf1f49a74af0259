#pragma once

#include "AudioFormat.h"
#include "TrackDetails.h"
#include "TrackInfo.h"

#include <optional>

namespace app {

// What the file-properties window shows of one track: its tags and its stream's format, as
// read from the file, with what the engine knows.
struct TrackProperties {
    QString path;                             // empty when no track is loaded
    media::TrackDetails tags;                 // empty fields when the file has no tag
    std::optional<media::AudioFormat> format; // nullopt when the file cannot be read
    std::int64_t lengthMs = 0;                // 0 when not known
};

// Reads the track's file (read-only, closed again). The engine's sample rate and channel
// count, where it gives them, replace the header's: they are what is playing.
TrackProperties readTrackProperties(const TrackInfo& track);

} // namespace app
