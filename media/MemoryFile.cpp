#include "MemoryFile.h"

#include <algorithm>
#include <limits>

namespace media {

bool MemoryFile::seek(std::int64_t offset, SeekBase base) {
    const auto size = static_cast<std::int64_t>(bytes_.size());
    const std::int64_t origin = base == SeekBase::Start ? 0 : size;
    // Like fseek: beyond the end is allowed (reads then give nothing), before the start is not.
    if (offset < -origin || offset > std::numeric_limits<std::int64_t>::max() - origin)
        return false;
    position_ = origin + offset;
    return true;
}

std::vector<std::uint8_t> MemoryFile::read(std::size_t count) {
    const auto size = static_cast<std::int64_t>(bytes_.size());
    if (position_ >= size)
        return {};
    const auto available = static_cast<std::size_t>(size - position_);
    const std::size_t take = std::min(count, available);
    const auto first = bytes_.begin() + position_;
    position_ += static_cast<std::int64_t>(take);
    return {first, first + static_cast<std::ptrdiff_t>(take)};
}

} // namespace media
