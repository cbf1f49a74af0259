#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace media {

// The text of one field of a 128-byte ID3v1 block: the `length` bytes from `offset` (fewer
// where the block ends), cut at the first zero byte, with leading and trailing 0x20 and A1 A1
// (the GBK full-width space) bytes removed, decoded from GBK. Empty when the offset lies
// outside the block.
std::string id3v1FieldText(std::span<const std::uint8_t> block, std::size_t offset,
                           std::size_t length);

} // namespace media
