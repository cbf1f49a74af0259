#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace media {

// What the tag operations need of an opened file. The operations never open or close a file;
// whoever made the handle does (ReadOnlyFile closes itself when destroyed). A handle whose open
// failed answers isOpen() false and length() -1, and every read on it comes back empty.
class FileHandle {
  public:
    enum class SeekBase { Start, End };

    virtual ~FileHandle() = default;

    virtual bool isOpen() const = 0;
    // Length in bytes, or -1 when the handle is not open.
    virtual std::int64_t length() = 0;
    // Moves the read position to `offset` bytes from the start or the end. False (position
    // unchanged) when not open or when the position would be negative.
    virtual bool seek(std::int64_t offset, SeekBase base) = 0;
    // Reads up to `count` bytes from the read position and moves it past them; fewer (or none)
    // at the end of the file or on a read error.
    virtual std::vector<std::uint8_t> read(std::size_t count) = 0;
};

} // namespace media
