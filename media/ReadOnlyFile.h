#pragma once

#include "FileHandle.h"

#include <cstdio>
#include <string>

namespace media {

// A file on disk opened for reading only, so that tags of write-protected files can be read
// and nothing is ever written. Closed when the object is destroyed.
class ReadOnlyFile final : public FileHandle {
  public:
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile() override;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const override { return file_ != nullptr; }
    std::int64_t length() override;
    bool seek(std::int64_t offset, SeekBase base) override;
    std::vector<std::uint8_t> read(std::size_t count) override;

  private:
    std::FILE* file_ = nullptr;
};

} // namespace media
