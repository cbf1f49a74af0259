#include "ReadOnlyFile.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

namespace media {

namespace {
// Reads grow the buffer by at most this much at a time, so that a size field claiming far
// more than the file holds costs only what the file really has.
constexpr std::size_t ReadChunk = 64 * 1024;
} // namespace

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    // A directory opens fine with fopen on Linux and then answers nonsense lengths.
    std::error_code error;
    if (path.empty() || std::filesystem::is_directory(path, error))
        return;
    file_ = std::fopen(path.c_str(), "rb");
}

ReadOnlyFile::~ReadOnlyFile() {
    if (file_)
        std::fclose(file_);
}

std::int64_t ReadOnlyFile::length() {
    if (!file_)
        return -1;
    const long here = std::ftell(file_);
    if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0)
        return -1;
    const long end = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return end < 0 ? -1 : static_cast<std::int64_t>(end);
}

bool ReadOnlyFile::seek(std::int64_t offset, SeekBase base) {
    if (!file_)
        return false;
    if (offset > std::numeric_limits<long>::max() || offset < std::numeric_limits<long>::min())
        return false;
    return std::fseek(file_, static_cast<long>(offset),
                      base == SeekBase::Start ? SEEK_SET : SEEK_END) == 0;
}

std::vector<std::uint8_t> ReadOnlyFile::read(std::size_t count) {
    std::vector<std::uint8_t> bytes;
    if (!file_)
        return bytes;
    while (bytes.size() < count) {
        const std::size_t want = std::min(count - bytes.size(), ReadChunk);
        const std::size_t had = bytes.size();
        bytes.resize(had + want);
        const std::size_t got = std::fread(bytes.data() + had, 1, want, file_);
        bytes.resize(had + got);
        if (got < want)
            break;
    }
    return bytes;
}

} // namespace media
