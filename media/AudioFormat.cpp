#include "AudioFormat.h"

#include "ByteView.h"
#include "ContainerFormats.h"
#include "FrameStream.h"
#include "MediaFileInfo.h"
#include "ReadOnlyFile.h"

#include <algorithm>
#include <limits>

namespace media {

namespace {

// Enough for every header the sniffers read and for a few dozen MPEG frames, and for the
// junk some writers leave between a tag and the first frame.
constexpr std::size_t HeadSize = 64 * 1024;
constexpr std::size_t Id3v1Size = 128;
constexpr std::uint8_t Id3v24Footer = 0x10;

// Where the audio starts: after the ID3v2 tag (and its footer), or at 0 without one.
std::int64_t audioStart(FileHandle& file) {
    MediaFileInfo info;
    if (!info.hasId3v2(file) || !file.seek(3, FileHandle::SeekBase::Start))
        return 0;
    const std::vector<std::uint8_t> header = file.read(7); // version, revision, flags, size
    if (header.size() != 7)
        return 0;
    MediaFileInfo::SizeBytes size{header[3], header[4], header[5], header[6]};
    const bool footer = header[0] == 4 && (header[2] & Id3v24Footer);
    return info.tagSizeFromHeader(size) + (footer ? 10 : 0);
}

} // namespace

AudioFormat sniffAudioFormat(std::span<const std::uint8_t> head) {
    const ByteView bytes(head);
    for (auto sniff : {containers::sniffFlac, containers::sniffOgg, containers::sniffWave,
                       containers::sniffAiff, containers::sniffMp4, sniffFrameStream}) {
        if (auto format = sniff(bytes))
            return *format;
    }
    return {};
}

std::optional<AudioFormat> readAudioFormat(FileHandle& file, std::int64_t durationMs) {
    if (!file.isOpen())
        return std::nullopt;
    const std::int64_t length = std::max<std::int64_t>(file.length(), 0);
    const std::int64_t start = std::min(audioStart(file), length);
    std::vector<std::uint8_t> head;
    if (file.seek(start, FileHandle::SeekBase::Start))
        head = file.read(HeadSize);
    AudioFormat format = sniffAudioFormat(head);
    if (format.codec.empty() || format.bitRate > 0 || durationMs <= 0)
        return format;

    MediaFileInfo info;
    const std::int64_t tail = info.hasId3v1(file) ? static_cast<std::int64_t>(Id3v1Size) : 0;
    const std::int64_t audioBytes = length - start - tail;
    if (audioBytes <= 0 || audioBytes > std::numeric_limits<std::int64_t>::max() / 8000)
        return format;
    const std::int64_t bitRate = audioBytes * 8000 / durationMs;
    if (bitRate > 0 && bitRate <= std::numeric_limits<int>::max()) {
        format.bitRate = static_cast<int>(bitRate);
        format.averageBitRate = true;
    }
    return format;
}

std::optional<AudioFormat> readAudioFormat(const std::string& path, std::int64_t durationMs) {
    ReadOnlyFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    return readAudioFormat(file, durationMs);
}

} // namespace media
