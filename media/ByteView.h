#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace media {

// Bounded reading of numbers and magic bytes from a buffer of untrusted bytes: every read
// outside the buffer gives 0 (or false), so a parser can follow any offset a file claims
// without checking it first, and check has() where a missing byte changes the meaning.
class ByteView {
  public:
    explicit ByteView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    bool has(std::size_t offset, std::size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    // The bytes from `offset` on; empty when it lies beyond the end.
    ByteView from(std::size_t offset) const {
        return ByteView(has(offset, 0) ? bytes_.subspan(offset) : std::span<const std::uint8_t>());
    }
    bool startsWith(std::size_t offset, std::string_view magic) const {
        return has(offset, magic.size()) &&
               std::memcmp(bytes_.data() + offset, magic.data(), magic.size()) == 0;
    }

    std::uint8_t u8(std::size_t offset) const { return has(offset, 1) ? bytes_[offset] : 0; }
    std::uint16_t be16(std::size_t offset) const {
        return static_cast<std::uint16_t>(be(offset, 2));
    }
    std::uint16_t le16(std::size_t offset) const {
        return static_cast<std::uint16_t>(le(offset, 2));
    }
    std::uint32_t be24(std::size_t offset) const {
        return static_cast<std::uint32_t>(be(offset, 3));
    }
    std::uint32_t be32(std::size_t offset) const {
        return static_cast<std::uint32_t>(be(offset, 4));
    }
    std::uint32_t le32(std::size_t offset) const {
        return static_cast<std::uint32_t>(le(offset, 4));
    }
    std::uint64_t be64(std::size_t offset) const { return be(offset, 8); }

  private:
    std::uint64_t be(std::size_t offset, std::size_t count) const {
        if (!has(offset, count))
            return 0;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value = value << 8 | bytes_[offset + i];
        return value;
    }
    std::uint64_t le(std::size_t offset, std::size_t count) const {
        if (!has(offset, count))
            return 0;
        std::uint64_t value = 0;
        for (std::size_t i = count; i-- > 0;)
            value = value << 8 | bytes_[offset + i];
        return value;
    }

    std::span<const std::uint8_t> bytes_;
};

} // namespace media
