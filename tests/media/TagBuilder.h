#pragma once

// Builds tag bytes for the tests: ID3v1 blocks, ID3v2 headers and frames of each version.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace media::testing {

using ByteVector = std::vector<std::uint8_t>;

inline ByteVector bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

inline ByteVector bytes(std::initializer_list<int> values) {
    ByteVector out;
    for (int v : values)
        out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

inline ByteVector operator+(ByteVector a, const ByteVector& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline ByteVector zeros(std::size_t n) {
    return ByteVector(n, 0);
}

inline ByteVector plain32(std::uint32_t n) {
    return bytes({int(n >> 24 & 0xFF), int(n >> 16 & 0xFF), int(n >> 8 & 0xFF), int(n & 0xFF)});
}

inline ByteVector syncsafe32(std::uint32_t n) {
    return bytes({int(n >> 21 & 0x7F), int(n >> 14 & 0x7F), int(n >> 7 & 0x7F), int(n & 0x7F)});
}

// One frame: ID3v2.3 (plain size), ID3v2.4 (syncsafe size) or ID3v2.2 (3-byte id and size).
inline ByteVector frame23(std::string_view id, const ByteVector& content, int formatFlags = 0) {
    return bytes(id) + plain32(static_cast<std::uint32_t>(content.size())) +
           bytes({0, formatFlags}) + content;
}
inline ByteVector frame24(std::string_view id, const ByteVector& content, int formatFlags = 0) {
    return bytes(id) + syncsafe32(static_cast<std::uint32_t>(content.size())) +
           bytes({0, formatFlags}) + content;
}
inline ByteVector frame22(std::string_view id, const ByteVector& content) {
    const auto n = content.size();
    return bytes(id) + bytes({int(n >> 16 & 0xFF), int(n >> 8 & 0xFF), int(n & 0xFF)}) + content;
}

// A whole tag: the 10-byte header (size field = body size, syncsafe) and the body.
inline ByteVector tag(int major, const ByteVector& body, int flags = 0) {
    return bytes("ID3") + bytes({major, 0, flags}) +
           syncsafe32(static_cast<std::uint32_t>(body.size())) + body;
}

// A 30-byte ID3v1 field: the bytes, then zeros.
inline ByteVector field30(const ByteVector& content) {
    ByteVector out = content;
    out.resize(30, 0);
    return out;
}

// The 128-byte ID3v1 block with every field: `comment` fills offsets 97 to 126 (for
// ID3v1.1, 28 bytes of text, a zero and the track number), `year` is 4 bytes.
inline ByteVector id3v1(const ByteVector& title, const ByteVector& artist, const ByteVector& album,
                        const ByteVector& year, const ByteVector& comment, int genre) {
    ByteVector yearField = year;
    yearField.resize(4, 0);
    return bytes("TAG") + field30(title) + field30(artist) + field30(album) + yearField +
           field30(comment) + bytes({genre});
}

// The 128-byte ID3v1 block: year 2024, no comment, track 1, no genre.
inline ByteVector id3v1(const ByteVector& title, const ByteVector& artist,
                        const ByteVector& album) {
    return id3v1(title, artist, album, bytes("2024"), zeros(28) + bytes({0, 1}), 0xFF);
}

} // namespace media::testing
