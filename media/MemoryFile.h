#pragma once

#include "FileHandle.h"

#include <span>

namespace media {

// A "file" over bytes in memory (not copied: they must outlive the object). Tests and the
// fuzzer hand the tag reader bytes this way; it behaves as ReadOnlyFile does on a file with
// those contents.
class MemoryFile final : public FileHandle {
  public:
    explicit MemoryFile(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool isOpen() const override { return true; }
    std::int64_t length() override { return static_cast<std::int64_t>(bytes_.size()); }
    bool seek(std::int64_t offset, SeekBase base) override;
    std::vector<std::uint8_t> read(std::size_t count) override;

  private:
    std::span<const std::uint8_t> bytes_;
    std::int64_t position_ = 0;
};

} // namespace media
