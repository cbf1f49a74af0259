#pragma once

#include "FileHandle.h"
#include "TrackTags.h"

#include <optional>
#include <string>

// What the player reads from each track it opens.
namespace media {

// Opens the file read-only, reads its ID3v1 tag or, when it has none, its ID3v2 tag, and closes
// the file again. nullopt when the file cannot be opened or has neither tag.
std::optional<TrackTags> readTrackTags(const std::string& path);

// The same on a file the caller has opened (left open, read position anywhere).
std::optional<TrackTags> readTrackTags(FileHandle& file);

// The name the player shows for a track: "artist - title", either alone when the other is
// missing, empty when the tag has neither.
std::string composeDisplayName(const TrackTags& tags);

} // namespace media
