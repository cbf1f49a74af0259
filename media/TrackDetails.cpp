#include "TrackDetails.h"

#include "Id3Genres.h"
#include "Id3v1Field.h"
#include "MediaFileInfo.h"
#include "ReadOnlyFile.h"

#include <string_view>

namespace media {

namespace {

// Offsets in the 128-byte ID3v1 block.
constexpr std::size_t YearOffset = 93, YearLength = 4;
constexpr std::size_t CommentOffset = 97, CommentLength = 30, V11CommentLength = 28;
constexpr std::size_t V11ZeroByte = 125, V11TrackByte = 126, GenreByte = 127;

std::string trimSpaces(std::string_view text) {
    static constexpr std::string_view FullWidthSpace = "\xE3\x80\x80"; // U+3000 in UTF-8
    for (;;) {
        if (text.starts_with(' '))
            text.remove_prefix(1);
        else if (text.starts_with(FullWidthSpace))
            text.remove_prefix(FullWidthSpace.size());
        else if (text.ends_with(' '))
            text.remove_suffix(1);
        else if (text.ends_with(FullWidthSpace))
            text.remove_suffix(FullWidthSpace.size());
        else
            return std::string(text);
    }
}

// The fields beyond title, artist and album, from the block MediaFileInfo holds after
// readId3v1.
void readId3v1Extras(const std::vector<std::uint8_t>& block, TrackDetails& details) {
    details.year = id3v1FieldText(block, YearOffset, YearLength);
    // ID3v1.1: a zero byte before the last comment byte makes that byte the track number.
    const bool hasTrack =
        block.size() > GenreByte && block[V11ZeroByte] == 0 && block[V11TrackByte] != 0;
    details.comment =
        id3v1FieldText(block, CommentOffset, hasTrack ? V11CommentLength : CommentLength);
    if (hasTrack)
        details.track = std::to_string(block[V11TrackByte]);
    if (block.size() > GenreByte)
        details.genre = std::string(id3::genreName(block[GenreByte]));
}

// The year of a TYER ("2024") or TDRC ("2024-05-01T12:00") frame.
std::string yearOf(std::string_view text) {
    return trimSpaces(text.substr(0, text.find_first_of("-T")));
}

bool lacksAny(const TrackDetails& d) {
    return d.title.empty() || d.artist.empty() || d.album.empty() || d.year.empty() ||
           d.track.empty() || d.genre.empty() || d.comment.empty();
}

void fillFrom(std::string& field, const std::string& value) {
    if (field.empty())
        field = value;
}

} // namespace

std::optional<TrackDetails> readTrackDetails(FileHandle& file) {
    MediaFileInfo info;
    TrackTags v1;
    TrackDetails details;
    const bool hasV1 = info.readId3v1(file, v1);
    if (hasV1) {
        details.title = v1.title;
        details.artist = v1.artist;
        details.album = v1.album;
        readId3v1Extras(info.tagBytes(), details);
    }
    if (!lacksAny(details))
        return details;

    TrackTags v2;
    if (!info.readId3v2(file, v2))
        return hasV1 ? std::optional(details) : std::nullopt;
    fillFrom(details.title, trimSpaces(v2.title));
    fillFrom(details.artist, trimSpaces(v2.artist));
    fillFrom(details.album, trimSpaces(v2.album));
    std::string year = yearOf(info.frameText("TYER"));
    if (year.empty())
        year = yearOf(info.frameText("TDRC"));
    fillFrom(details.year, year);
    fillFrom(details.track, trimSpaces(info.frameText("TRCK")));
    fillFrom(details.genre, trimSpaces(id3::resolveGenre(trimSpaces(info.frameText("TCON")))));
    fillFrom(details.comment, trimSpaces(info.frameText("COMM")));
    return details;
}

std::optional<TrackDetails> readTrackDetails(const std::string& path) {
    ReadOnlyFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    return readTrackDetails(file);
}

} // namespace media
