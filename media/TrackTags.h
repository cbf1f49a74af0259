#pragma once

#include <string>

namespace media {

// The three texts the track-open step wants from a tag, in this order. UTF-8; empty
// when the tag has no such field.
struct TrackTags {
    std::string title;
    std::string artist;
    std::string album;

    bool operator==(const TrackTags&) const = default;
};

} // namespace media
