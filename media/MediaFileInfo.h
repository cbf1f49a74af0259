#pragma once

#include "FileHandle.h"
#include "TrackTags.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace media {

// Reads title, artist and album from the ID3v1 block at the end of an opened file and from the
// ID3v2 tag at its start. The operations are virtual, in a fixed slot order
// (release and copy are the destructor and copying), and call one another through `this`, so a
// derived class that replaces one changes what the others do.
//
// Beyond a plain byte reader: text comes out as UTF-8 (GBK for ID3v1 and
// ID3v2 encoding 0, UTF-16 with either byte order and UTF-8 decoded as such); frameText finds
// frames by walking the frame headers (2.2, 2.3, 2.4 sizes, extended header, flags and
// unsynchronisation) instead of searching the bytes; and no size field, however large, negative
// or cut off, makes it read outside the bytes it holds.
class MediaFileInfo {
  public:
    using SizeBytes = std::array<std::uint8_t, 4>;

    MediaFileInfo() = default;
    // Slots 1 and 2: release members, copy.
    virtual ~MediaFileInfo();
    MediaFileInfo(const MediaFileInfo&) = default;
    MediaFileInfo& operator=(const MediaFileInfo&) = default;

    // Slot 3. On true, the three fields are set from the ID3v1 block: each 30-byte field ends at
    // its first zero byte, loses leading and trailing 0x20 and A1 A1 (the GBK full-width space)
    // bytes and is decoded from GBK. On false, `tags` is unchanged.
    virtual bool readId3v1(FileHandle& file, TrackTags& tags);
    // Slot 4. Loads the last 128 bytes into tagBytes(); true when they begin with "TAG". A file
    // shorter than 128 bytes (or not open) gives false and leaves tagBytes() as it was.
    virtual bool hasId3v1(FileHandle& file);
    // Slot 5. On true, tagBytes() holds the whole tag from offset 0 (as much of it as the file
    // has) and the fields are the texts of TIT2, TPE1 and TALB (untrimmed, empty when absent).
    // On false, `tags` and tagBytes() are unchanged.
    virtual bool readId3v2(FileHandle& file, TrackTags& tags);
    // Slot 6. True when the first 10 bytes are "ID3", version, revision and flags bytes below
    // 0xFF and four size bytes below 0x80.
    virtual bool hasId3v2(FileHandle& file);
    // Slot 7. Masks each byte to 7 bits in place; the syncsafe number plus the 10 header bytes.
    virtual std::int64_t tagSizeFromHeader(SizeBytes& sizeBytes);
    // Slot 8. The UTF-8 text of the first frame with this id in the ID3v2 tag tagBytes() holds;
    // empty when there is no such frame (or tagBytes() holds no ID3v2 tag). 4-character ids
    // are mapped to their 3-character forms in ID3v2.2 tags.
    virtual std::string frameText(std::string_view frameId);
    // Slot 9. Reverses the buffer in place and returns a copy of the result.
    virtual SizeBytes reverseBytes4(SizeBytes& bytes);

    const std::vector<std::uint8_t>& tagBytes() const { return tagBytes_; }

  private:
    std::vector<std::uint8_t> tagBytes_;
};

} // namespace media
