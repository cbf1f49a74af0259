#pragma once

#include "FileHandle.h"
#include "TrackTags.h"

#include <optional>
#include <string>

// The tag half of the track-open step: what the playback code calls for each track
// it opens.
namespace media {

// Opens the file read-only, reads its ID3v1 tag or, when it has none, its ID3v2 tag, and closes
// the file again. nullopt when the file cannot be opened or has neither tag.
std::optional<TrackTags> readTrackTags(const std::string& path);

// The same on a file the caller has opened (left open, read position anywhere).
std::optional<TrackTags> readTrackTags(FileHandle& file);

// The display name of the track-open step: the artist immediately followed by the title (no
// separator), the title alone when there is no artist, and empty when there is no title.
std::string composeDisplayName(const TrackTags& tags);

} // namespace media
