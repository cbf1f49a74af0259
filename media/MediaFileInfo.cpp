#include "MediaFileInfo.h"

#include "Id3v1Field.h"
#include "Id3v2Text.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>

namespace media {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t Id3v1Size = 128;
constexpr std::size_t Id3v2HeaderSize = 10;

// Header flags.
constexpr std::uint8_t TagUnsynchronised = 0x80;
constexpr std::uint8_t TagExtendedHeader = 0x40; // in ID3v2.2: compression, which has no scheme
// Frame format flags (second flag byte), ID3v2.3 and ID3v2.4.
constexpr std::uint8_t V3Compressed = 0x80, V3Encrypted = 0x40, V3Grouped = 0x20;
constexpr std::uint8_t V4Grouped = 0x40, V4Compressed = 0x08, V4Encrypted = 0x04,
                       V4Unsynchronised = 0x02, V4DataLength = 0x01;

bool isFrameIdByte(std::uint8_t b) {
    return (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9');
}

bool isFrameId(Bytes id) {
    return std::all_of(id.begin(), id.end(), isFrameIdByte);
}

// The 3-character ID3v2.2 form of the 4-character ids a caller is likely to ask for.
std::optional<std::string_view> v22Id(std::string_view id) {
    static constexpr std::string_view Pairs[][2] = {
        {"TIT2", "TT2"}, {"TPE1", "TP1"}, {"TALB", "TAL"}, {"TPE2", "TP2"},
        {"TRCK", "TRK"}, {"TYER", "TYE"}, {"TCON", "TCO"}, {"TCOM", "TCM"},
        {"TXXX", "TXX"}, {"COMM", "COM"}, {"USLT", "ULT"}, {"WXXX", "WXX"}};
    if (id.size() == 3)
        return id;
    for (const auto& pair : Pairs)
        if (pair[0] == id)
            return pair[1];
    return std::nullopt;
}

std::uint32_t littleEndian(const MediaFileInfo::SizeBytes& b) {
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// Syncsafe number of big-endian bytes given reversed (lowest byte first).
std::uint32_t syncsafeOfReversed(const MediaFileInfo::SizeBytes& r) {
    return (r[3] & 0x7Fu) << 21 | (r[2] & 0x7Fu) << 14 | (r[1] & 0x7Fu) << 7 | (r[0] & 0x7Fu);
}

// The walk over the frames of one tag body (the bytes after the 10-byte header).
struct FrameLayout {
    int major;              // 2, 3 or 4
    std::size_t idLength;   // 3 or 4
    std::size_t headerSize; // 6 or 10
};

// True when a frame, padding or the end of the body can start at `pos`: the test that tells
// an ID3v2.4 syncsafe size from the plain sizes some writers put there.
bool frameCanStartAt(Bytes body, std::uint64_t pos, const FrameLayout& layout) {
    if (pos == body.size())
        return true;
    if (pos > body.size())
        return false;
    if (body[pos] == 0)
        return true;
    return pos + layout.headerSize <= body.size() && isFrameId(body.subspan(pos, layout.idLength));
}

// The frame's content with the extra header bytes its flags announce skipped and
// unsynchronisation undone; nullopt when it is compressed or encrypted (no text to read).
std::optional<std::vector<std::uint8_t>>
frameContent(Bytes data, std::uint8_t format, const FrameLayout& layout, bool tagUnsynchronised) {
    std::size_t skip = 0;
    bool unsynchronised = false;
    if (layout.major == 3) {
        if (format & (V3Compressed | V3Encrypted))
            return std::nullopt;
        if (format & V3Grouped)
            skip += 1;
    } else if (layout.major == 4) {
        if (format & (V4Compressed | V4Encrypted))
            return std::nullopt;
        if (format & V4Grouped)
            skip += 1;
        if (format & V4DataLength)
            skip += 4;
        // In 2.4 unsynchronisation is per frame; the header flag says every frame has it.
        unsynchronised = (format & V4Unsynchronised) || tagUnsynchronised;
    }
    data = data.subspan(std::min(skip, data.size()));
    if (unsynchronised)
        return id3v2::removeUnsynchronisation(data);
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

} // namespace

MediaFileInfo::~MediaFileInfo() = default;

bool MediaFileInfo::readId3v1(FileHandle& file, TrackTags& tags) {
    if (!hasId3v1(file))
        return false;
    const Bytes block(tagBytes_);
    tags.title = id3v1FieldText(block, 3, 30);
    tags.artist = id3v1FieldText(block, 33, 30);
    tags.album = id3v1FieldText(block, 63, 30);
    return true;
}

bool MediaFileInfo::hasId3v1(FileHandle& file) {
    if (file.length() < static_cast<std::int64_t>(Id3v1Size))
        return false;
    if (!file.seek(-static_cast<std::int64_t>(Id3v1Size), FileHandle::SeekBase::End))
        return false;
    tagBytes_ = file.read(Id3v1Size);
    return tagBytes_.size() >= 3 && std::memcmp(tagBytes_.data(), "TAG", 3) == 0;
}

bool MediaFileInfo::readId3v2(FileHandle& file, TrackTags& tags) {
    SizeBytes sizeBytes{};
    if (!hasId3v2(file))
        return false;
    if (!file.seek(6, FileHandle::SeekBase::Start))
        return false;
    const std::vector<std::uint8_t> sizeField = file.read(sizeBytes.size());
    std::copy_n(sizeField.begin(), std::min(sizeField.size(), sizeBytes.size()), sizeBytes.begin());
    if (!file.seek(0, FileHandle::SeekBase::Start))
        return false;
    const std::int64_t size = tagSizeFromHeader(sizeBytes);
    // The read stops at the end of the file: a size field claiming 256 MiB costs what the
    // file holds, not what it claims.
    tagBytes_ = file.read(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    tags.title = frameText("TIT2");
    tags.artist = frameText("TPE1");
    tags.album = frameText("TALB");
    return true;
}

bool MediaFileInfo::hasId3v2(FileHandle& file) {
    if (!file.isOpen())
        return false;
    if (!file.seek(0, FileHandle::SeekBase::Start))
        return false;
    const std::vector<std::uint8_t> magic = file.read(3);
    if (magic.size() != 3 || std::memcmp(magic.data(), "ID3", 3) != 0)
        return false;
    const std::vector<std::uint8_t> rest = file.read(7);
    if (rest.size() != 7)
        return false;
    for (std::size_t i = 0; i < 3; ++i)
        if (rest[i] >= 0xFF)
            return false;
    for (std::size_t i = 3; i < 7; ++i)
        if (rest[i] >= 0x80)
            return false;
    return true;
}

std::int64_t MediaFileInfo::tagSizeFromHeader(SizeBytes& sizeBytes) {
    for (auto& b : sizeBytes)
        b &= 0x7F;
    return std::int64_t{sizeBytes[0]} * 2097152 + std::int64_t{sizeBytes[1]} * 16384 +
           std::int64_t{sizeBytes[2]} * 128 + std::int64_t{sizeBytes[3]} +
           static_cast<std::int64_t>(Id3v2HeaderSize);
}

std::string MediaFileInfo::frameText(std::string_view frameId) {
    if (tagBytes_.size() < Id3v2HeaderSize || std::memcmp(tagBytes_.data(), "ID3", 3) != 0)
        return {};
    const std::uint8_t major = tagBytes_[3];
    const std::uint8_t flags = tagBytes_[5];
    if (major < 2 || major > 4)
        return {};
    const FrameLayout layout{major, major == 2 ? 3u : 4u, major == 2 ? 6u : 10u};

    std::string_view wanted = frameId;
    if (major == 2) {
        if (flags & TagExtendedHeader)
            return {}; // 2.2 compression: the standard never defined a scheme
        const auto mapped = v22Id(frameId);
        if (!mapped)
            return {};
        wanted = *mapped;
    } else if (frameId.size() != 4) {
        return {};
    }

    Bytes body = Bytes(tagBytes_).subspan(Id3v2HeaderSize);
    // Before 2.4, unsynchronisation covers the whole tag after the header, frame headers
    // included, and the frame sizes count the bytes after it is undone.
    std::vector<std::uint8_t> resynchronised;
    const bool tagUnsynchronised = flags & TagUnsynchronised;
    if (tagUnsynchronised && major < 4) {
        resynchronised = id3v2::removeUnsynchronisation(body);
        body = resynchronised;
    }

    std::uint64_t pos = 0;
    if (major >= 3 && (flags & TagExtendedHeader)) {
        if (body.size() < 4)
            return {};
        SizeBytes field{body[0], body[1], body[2], body[3]};
        const SizeBytes reversed = reverseBytes4(field);
        // 2.3: a plain size that leaves out its own 4 bytes; 2.4: syncsafe, whole header.
        pos = major == 3 ? std::uint64_t{littleEndian(reversed)} + 4
                         : std::uint64_t{syncsafeOfReversed(reversed)};
    }

    while (pos + layout.headerSize <= body.size()) {
        const Bytes id = body.subspan(pos, layout.idLength);
        if (!isFrameId(id))
            break; // padding (zero bytes) or garbage: no frame can follow
        std::uint64_t size = 0;
        std::uint8_t format = 0;
        const std::uint64_t dataStart = pos + layout.headerSize;
        if (major == 2) {
            size = std::uint64_t{body[pos + 3]} << 16 | std::uint64_t{body[pos + 4]} << 8 |
                   body[pos + 5];
        } else {
            SizeBytes field{body[pos + 4], body[pos + 5], body[pos + 6], body[pos + 7]};
            const SizeBytes reversed = reverseBytes4(field);
            const std::uint64_t plain = littleEndian(reversed);
            size = plain;
            if (major == 4) {
                // 2.4 sizes are syncsafe, but some writers put plain ones there: take the plain
                // reading only where the syncsafe one cannot be right and the plain one can.
                const std::uint64_t safe = syncsafeOfReversed(reversed);
                const bool hasHighBits = (plain & 0x80808080u) != 0;
                if (!hasHighBits &&
                    (safe < 0x80 || frameCanStartAt(body, dataStart + safe, layout) ||
                     !frameCanStartAt(body, dataStart + plain, layout)))
                    size = safe;
            }
            format = body[pos + 9];
        }
        const std::uint64_t available = body.size() - dataStart;
        if (std::string_view(reinterpret_cast<const char*>(id.data()), id.size()) == wanted) {
            // A frame cut off by the end of the tag gives what is there.
            const Bytes data = body.subspan(dataStart, std::min(size, available));
            const auto content = frameContent(data, format, layout, tagUnsynchronised);
            if (!content)
                return {};
            return id3v2::frameContentText(wanted, *content);
        }
        if (size > available)
            break;
        pos = dataStart + size;
    }
    return {};
}

MediaFileInfo::SizeBytes MediaFileInfo::reverseBytes4(SizeBytes& bytes) {
    std::swap(bytes[0], bytes[3]);
    std::swap(bytes[1], bytes[2]);
    return bytes;
}

} // namespace media
