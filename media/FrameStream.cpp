#include "FrameStream.h"

#include <array>
#include <string>

namespace media {

namespace {

enum class Family { Mpeg, Adts };

struct FrameHeader {
    Family family = Family::Mpeg;
    int version = 1; // MPEG: 1, 2, or 25 for 2.5; ADTS: the profile
    int layer = 0;   // MPEG: 1 to 3
    int bitRate = 0; // bits per second (MPEG)
    int sampleRate = 0;
    int channels = 0;
    bool mono = false;
    bool crc = false;
    std::size_t length = 0; // the whole frame, header included

    bool continuedBy(const FrameHeader& next) const {
        return next.family == family && next.version == version && next.layer == layer &&
               next.sampleRate == sampleRate;
    }
};

constexpr std::size_t MpegHeaderSize = 4, AdtsHeaderSize = 7;

// kbit/s by bit-rate index 1 to 14: MPEG-1 layers I, II, III; MPEG-2/2.5 layer I; layers II, III.
constexpr int BitRatesKbps[5][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}};
constexpr int MpegSampleRates[3][3] = {
    {44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
constexpr int AdtsSampleRates[13] = {96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                     22050, 16000, 12000, 11025, 8000,  7350};

std::optional<FrameHeader> mpegHeader(const ByteView& bytes, std::size_t at) {
    if (!bytes.has(at, MpegHeaderSize))
        return std::nullopt;
    const std::uint32_t h = bytes.be32(at);
    if ((h >> 21 & 0x7FF) != 0x7FF)
        return std::nullopt;
    const unsigned versionBits = h >> 19 & 3, layerBits = h >> 17 & 3;
    const unsigned bitRateIndex = h >> 12 & 0xF, rateIndex = h >> 10 & 3;
    const unsigned emphasis = h & 3;
    // Reserved values; a free-format bit rate (index 0) gives no frame length to check.
    if (versionBits == 1 || layerBits == 0 || bitRateIndex == 0 || bitRateIndex == 15 ||
        rateIndex == 3 || emphasis == 2)
        return std::nullopt;
    FrameHeader header;
    header.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    header.layer = 4 - static_cast<int>(layerBits);
    header.crc = (h >> 16 & 1) == 0;
    header.mono = (h >> 6 & 3) == 3;
    header.channels = header.mono ? 1 : 2;
    const int table = header.version == 1 ? header.layer - 1 : header.layer == 1 ? 3 : 4;
    header.bitRate = BitRatesKbps[table][bitRateIndex] * 1000;
    header.sampleRate = MpegSampleRates[header.version == 1   ? 0
                                        : header.version == 2 ? 1
                                                              : 2][rateIndex];
    const int padding = h >> 9 & 1;
    if (header.layer == 1) {
        header.length =
            static_cast<std::size_t>((12 * header.bitRate / header.sampleRate + padding) * 4);
    } else {
        const int factor = header.layer == 3 && header.version != 1 ? 72 : 144;
        header.length =
            static_cast<std::size_t>(factor * header.bitRate / header.sampleRate + padding);
    }
    return header;
}

std::optional<FrameHeader> adtsHeader(const ByteView& bytes, std::size_t at) {
    if (!bytes.has(at, AdtsHeaderSize) || bytes.u8(at) != 0xFF || (bytes.u8(at + 1) & 0xF6) != 0xF0)
        return std::nullopt;
    const std::uint8_t b2 = bytes.u8(at + 2), b3 = bytes.u8(at + 3);
    const unsigned rateIndex = b2 >> 2 & 0xF;
    if (rateIndex >= std::size(AdtsSampleRates))
        return std::nullopt;
    FrameHeader header;
    header.family = Family::Adts;
    header.version = b2 >> 6;
    header.sampleRate = AdtsSampleRates[rateIndex];
    header.channels = (b2 & 1) << 2 | b3 >> 6; // 0: given inside the stream, not here
    header.crc = (bytes.u8(at + 1) & 1) == 0;
    header.length =
        static_cast<std::size_t>((b3 & 3) << 11 | bytes.u8(at + 4) << 3 | bytes.u8(at + 5) >> 5);
    if (header.length < AdtsHeaderSize + (header.crc ? 2u : 0u))
        return std::nullopt;
    return header;
}

std::optional<FrameHeader> frameHeader(const ByteView& bytes, std::size_t at) {
    // The two share the 12 sync bits; ADTS has the layer bits that MPEG audio reserves.
    if (auto header = mpegHeader(bytes, at))
        return header;
    return adtsHeader(bytes, at);
}

// Up to three frames in a row from `at`, each where the one before ends; a run cut short by
// the end of the buffer needs two, or one at the very start.
bool confirmed(const ByteView& bytes, std::size_t at, const FrameHeader& first) {
    const std::size_t headerSize = first.family == Family::Mpeg ? MpegHeaderSize : AdtsHeaderSize;
    int frames = 1;
    std::size_t next = at + first.length;
    while (frames < 3 && bytes.has(next, headerSize)) {
        const auto header = frameHeader(bytes, next);
        if (!header || !first.continuedBy(*header))
            return false;
        ++frames;
        next += header->length;
    }
    return frames >= 2 || at == 0;
}

// LAME's and Xing's header, inside the first Layer III frame after its side information.
enum class Summary { None, Variable, Constant };
Summary summaryFrame(const ByteView& bytes, std::size_t at, const FrameHeader& header) {
    if (header.family != Family::Mpeg)
        return Summary::None;
    if (header.layer == 3) {
        const std::size_t sideInfo =
            header.version == 1 ? (header.mono ? 17 : 32) : (header.mono ? 9 : 17);
        // Writers differ on whether the CRC word counts: look on both sides of it.
        for (std::size_t crc : {std::size_t{0}, std::size_t{2}}) {
            if (crc && !header.crc)
                continue;
            const std::size_t offset = at + MpegHeaderSize + crc + sideInfo;
            if (bytes.startsWith(offset, "Xing"))
                return Summary::Variable;
            if (bytes.startsWith(offset, "Info"))
                return Summary::Constant;
        }
    }
    if (bytes.startsWith(at + MpegHeaderSize + 32, "VBRI"))
        return Summary::Variable;
    return Summary::None;
}

std::string codecName(const FrameHeader& header) {
    if (header.family == Family::Adts) {
        static constexpr const char* Profiles[] = {"AAC Main", "AAC LC", "AAC SSR", "AAC LTP"};
        return Profiles[header.version & 3];
    }
    static constexpr const char* Layers[] = {"I", "II", "III"};
    const std::string version = header.version == 25 ? "2.5" : std::to_string(header.version);
    return "MPEG-" + version + " Layer " + Layers[header.layer - 1];
}

// True when the frames from `at` on (as far as the buffer holds them) all have one bit rate.
bool constantBitRate(const ByteView& bytes, std::size_t at, const FrameHeader& first) {
    for (std::size_t pos = at; bytes.has(pos, MpegHeaderSize);) {
        const auto header = mpegHeader(bytes, pos);
        if (!header || !first.continuedBy(*header))
            break; // the end of the stream, or a tag after it
        if (header->bitRate != first.bitRate)
            return false;
        pos += header->length;
    }
    return true;
}

} // namespace

std::optional<AudioFormat> sniffFrameStream(const ByteView& bytes) {
    for (std::size_t at = 0; bytes.has(at, MpegHeaderSize); ++at) {
        if (bytes.u8(at) != 0xFF)
            continue;
        const auto header = frameHeader(bytes, at);
        if (!header || !confirmed(bytes, at, *header))
            continue;
        AudioFormat format;
        format.codec = codecName(*header);
        format.sampleRate = header->sampleRate;
        format.channels = header->channels;
        if (header->family == Family::Adts)
            return format;
        const Summary summary = summaryFrame(bytes, at, *header);
        std::size_t audio = at;
        FrameHeader audioHeader = *header;
        if (summary != Summary::None) {
            // The summary frame carries no audio; the frames after it tell the rate.
            audio += header->length;
            if (const auto next = mpegHeader(bytes, audio); next && header->continuedBy(*next))
                audioHeader = *next;
        }
        format.variableBitRate =
            summary == Summary::Variable ||
            (summary == Summary::None && !constantBitRate(bytes, audio, audioHeader));
        if (!format.variableBitRate)
            format.bitRate = audioHeader.bitRate;
        return format;
    }
    return std::nullopt;
}

} // namespace media
