#pragma once

#include <cstdint>
#include <span>
#include <string>

// Tag text to UTF-8. Every function returns well-formed UTF-8 whatever the bytes: a sequence
// that cannot be decoded becomes U+FFFD, so nothing downstream ever sees broken text.
namespace media::text {

using Bytes = std::span<const std::uint8_t>;

// GBK (the player's "ANSI" code page; ID3v1 fields and ID3v2 encoding 0), through iconv.
// ASCII passes through unchanged; each byte that starts no valid GBK character becomes U+FFFD.
std::string gbkToUtf8(Bytes bytes);

// ISO-8859-1: every byte is the code point of the same number (URL fields of ID3v2).
std::string latin1ToUtf8(Bytes bytes);

// UTF-16 in the given byte order, with no byte-order mark expected (a mark is decoded as
// U+FEFF like any character). Surrogate pairs are joined; a lone surrogate and an odd last
// byte become U+FFFD.
std::string utf16ToUtf8(Bytes bytes, bool bigEndian);

// UTF-8 checked strictly (no overlong forms, no surrogates, nothing above U+10FFFF); each byte
// that starts no valid sequence becomes U+FFFD.
std::string sanitizeUtf8(Bytes bytes);

// True when the bytes are well-formed UTF-8 by the rules of sanitizeUtf8.
bool isValidUtf8(Bytes bytes);

} // namespace media::text
