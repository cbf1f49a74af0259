#include "Id3v2Text.h"

#include "TextDecoding.h"

#include <algorithm>

namespace media::id3v2 {

namespace {

enum Encoding : std::uint8_t { Gbk = 0, Utf16Bom = 1, Utf16Be = 2, Utf8 = 3 };

bool isWide(std::uint8_t encoding) {
    return encoding == Utf16Bom || encoding == Utf16Be;
}

// Where the first string of `data` ends (the terminator's offset, or the size when there is
// no terminator): a zero byte, or for UTF-16 a zero unit at an even offset.
std::size_t stringEnd(std::uint8_t encoding, Bytes data) {
    if (!isWide(encoding))
        return static_cast<std::size_t>(std::find(data.begin(), data.end(), 0) - data.begin());
    for (std::size_t i = 0; i + 1 < data.size(); i += 2)
        if (data[i] == 0 && data[i + 1] == 0)
            return i;
    return data.size();
}

std::size_t terminatorLength(std::uint8_t encoding) {
    return isWide(encoding) ? 2 : 1;
}

// The first string of `data`, decoded.
std::string decodeString(std::uint8_t encoding, Bytes data) {
    data = data.first(stringEnd(encoding, data));
    switch (encoding) {
    case Utf16Bom:
    case Utf16Be: {
        // A byte-order mark decides; encoding 2 without one is big-endian, encoding 1 without
        // one is little-endian (what the writers that forget it produce), unless the text
        // plainly starts with a big-endian ASCII character.
        bool bigEndian = encoding == Utf16Be;
        if (data.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
            bigEndian = false;
            data = data.subspan(2);
        } else if (data.size() >= 2 && data[0] == 0xFE && data[1] == 0xFF) {
            bigEndian = true;
            data = data.subspan(2);
        } else if (encoding == Utf16Bom && data.size() >= 2 && data[0] == 0 && data[1] != 0) {
            bigEndian = true;
        }
        return text::utf16ToUtf8(data, bigEndian);
    }
    case Utf8:
        if (data.size() >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
            data = data.subspan(3);
        return text::sanitizeUtf8(data);
    default:
        return text::gbkToUtf8(data);
    }
}

// `data` with its first string and that string's terminator skipped.
Bytes afterString(std::uint8_t encoding, Bytes data) {
    const std::size_t end = stringEnd(encoding, data);
    if (end >= data.size())
        return {};
    return data.subspan(std::min(data.size(), end + terminatorLength(encoding)));
}

std::string latin1Url(Bytes data) {
    return text::latin1ToUtf8(data.first(stringEnd(Gbk, data)));
}

} // namespace

std::vector<std::uint8_t> removeUnsynchronisation(Bytes bytes) {
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(bytes[i]);
        if (bytes[i] == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == 0x00)
            ++i;
    }
    return out;
}

std::string frameContentText(std::string_view id, Bytes content) {
    if (id.empty())
        return {};
    if (id[0] == 'W' && id != "WXXX" && id != "WXX")
        return latin1Url(content);
    if (content.empty())
        return {};
    const std::uint8_t encoding = content[0];
    Bytes rest = content.subspan(1);
    if (id == "TXXX" || id == "TXX")
        return decodeString(encoding, afterString(encoding, rest));
    if (id[0] == 'T')
        return decodeString(encoding, rest);
    if (id == "WXXX" || id == "WXX")
        return latin1Url(afterString(encoding, rest));
    // Comment-like frames: a 3-byte language, then a description, then the text.
    if (rest.size() < 3)
        return {};
    return decodeString(encoding, afterString(encoding, rest.subspan(3)));
}

} // namespace media::id3v2
