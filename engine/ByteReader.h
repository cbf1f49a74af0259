// ByteReader: the bytes of a stream's source, a part of a file (read with pread, so the file
// offset is never shared) or of a memory block, with a position of its own. Every decoder reads
// through one; it has no locks (one thread at a time).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tarvo::engine {

/** Where the bytes come from: a file (path, offset, length; 0 = to the end) or memory. */
struct Source {
    bool inMemory = false;
    std::string path;              // file: UTF-8 path
    const uint8_t* data = nullptr; // memory: the block (stays valid for the stream's life)
    uint64_t offset = 0;
    uint64_t length = 0;
};

class ByteReader {
  public:
    /**
     * Opens the part of the source to read. Null with `error` BASS_ERROR_FILEOPEN (no such
     * file, not a regular file), BASS_ERROR_ILLPARAM (offset past the end, empty memory block)
     * or BASS_ERROR_FILEFORM (nothing to read).
     */
    static std::unique_ptr<ByteReader> open(const Source& source, int& error);
    ~ByteReader();
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    uint64_t size() const { return size_; }
    uint64_t tell() const { return pos_; }
    /** Up to `n` bytes from the position, which moves on; 0 at the end, -1 on a read error. */
    int64_t read(void* buffer, size_t n);
    /** lseek within the part (SEEK_SET, SEEK_CUR, SEEK_END): the new position, or -1. */
    int64_t seek(int64_t offset, int whence);
    /** Up to `n` bytes at `at`, leaving the position alone; -1 on a read error. */
    int64_t readAt(uint64_t at, void* buffer, size_t n) const;

  private:
    ByteReader() = default;
    int fd_ = -1;
    const uint8_t* mem_ = nullptr;
    uint64_t start_ = 0; // first byte in the file / block
    uint64_t size_ = 0;  // bytes available from start_
    uint64_t pos_ = 0;   // relative to start_
};

} // namespace tarvo::engine
