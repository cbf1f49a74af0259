#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The byte-level helpers of the ID3v2 reader: undoing unsynchronisation and turning one
// frame's content into UTF-8 text.
namespace media::id3v2 {

using Bytes = std::span<const std::uint8_t>;

// Undoes unsynchronisation: every 00 that follows an FF is dropped.
std::vector<std::uint8_t> removeUnsynchronisation(Bytes bytes);

// The text of a frame, given its id (3 or 4 characters, as stored) and its content (after the
// frame header and any extra header bytes, already de-unsynchronised). The layout follows the
// id: "T..." an encoding byte and text; "TXXX" an encoding byte, a description and the value;
// "WXXX" an encoding byte, a description and an ISO-8859-1 URL; other "W..." the URL alone;
// any other frame (COMM, USLT, ...) an encoding byte, a 3-byte language, a description and
// the text. Only the first of several zero-separated values is taken. Encodings: 0 GBK (the
// player's code page), 1 UTF-16 with a byte-order mark (little-endian when there is none),
// 2 UTF-16BE, 3 UTF-8; any other value is read as 0.
std::string frameContentText(std::string_view id, Bytes content);

} // namespace media::id3v2
