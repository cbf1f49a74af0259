#include "TrackTagReader.h"

#include "MediaFileInfo.h"
#include "ReadOnlyFile.h"

namespace media {

std::optional<TrackTags> readTrackTags(const std::string& path) {
    ReadOnlyFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    return readTrackTags(file);
}

std::optional<TrackTags> readTrackTags(FileHandle& file) {
    MediaFileInfo info;
    TrackTags tags;
    // ID3v1 first; most files written since carry only an ID3v2 tag, and a person who opens
    // one expects to see its title, so ID3v2 is the fallback.
    if (info.readId3v1(file, tags) || info.readId3v2(file, tags))
        return tags;
    return std::nullopt;
}

std::string composeDisplayName(const TrackTags& tags) {
    if (tags.artist.empty() || tags.title.empty())
        return tags.artist + tags.title;
    return tags.artist + " - " + tags.title;
}

} // namespace media
