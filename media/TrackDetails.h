#pragma once

#include "FileHandle.h"

#include <optional>
#include <string>

namespace media {

// Everything the file-properties window shows of a track's tags. UTF-8; empty where the tags
// say nothing.
struct TrackDetails {
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string track; // as written: "3", "3/12"
    std::string genre; // a name, never a genre number
    std::string comment;

    bool operator==(const TrackDetails&) const = default;
};

// Reads the ID3v1 block and the ID3v2 tag of a file. Field by field, the ID3v1 value is taken
// when it is not empty, as readTrackTags takes ID3v1 first, and the ID3v2 value fills what
// ID3v1 leaves empty (an ID3v1 tag has no genre when its genre byte is 255 and a track number
// only in its ID3v1.1 form). Every text is trimmed of spaces and full-width spaces at both
// ends. nullopt when the file cannot be opened or has neither tag.
std::optional<TrackDetails> readTrackDetails(FileHandle& file);

// The same on the file at `path`, opened read-only and closed again.
std::optional<TrackDetails> readTrackDetails(const std::string& path);

} // namespace media
