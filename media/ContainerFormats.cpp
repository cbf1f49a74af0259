#include "ContainerFormats.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

namespace media::containers {

namespace {

// Sample rates outside this range are taken as a broken header, not as a rate.
constexpr double MaxSampleRate = 10'000'000;

int plausibleRate(double rate) {
    return rate >= 1 && rate <= MaxSampleRate ? static_cast<int>(std::lround(rate)) : 0;
}

// Bits per second of a fixed-size sample stream; 0 when it does not fit an int.
int pcmBitRate(std::int64_t rate, std::int64_t channels, std::int64_t bits) {
    const std::int64_t bitRate = rate * channels * bits;
    return bitRate > 0 && bitRate <= std::numeric_limits<int>::max() ? static_cast<int>(bitRate)
                                                                     : 0;
}

// The chunks of an IFF-style file (RIFF little-endian, FORM big-endian) from `offset`: the
// body of the first chunk with this id, as far as the buffer holds it. Chunks are padded to
// an even length.
std::optional<ByteView> findChunk(const ByteView& bytes, std::size_t offset, std::string_view id,
                                  bool bigEndian) {
    for (std::size_t pos = offset; bytes.has(pos, 8);) {
        const std::uint64_t size = bigEndian ? bytes.be32(pos + 4) : bytes.le32(pos + 4);
        if (bytes.startsWith(pos, id))
            return bytes.from(pos + 8);
        pos += 8 + size + (size & 1);
    }
    return std::nullopt;
}

// STREAMINFO, the first metadata block after "fLaC": 20 bits of sample rate, 3 of channels
// minus one, 5 of bits per sample minus one, from the block's eleventh byte.
void readStreamInfo(const ByteView& flac, AudioFormat& format) {
    if ((flac.u8(4) & 0x7F) != 0 || !flac.has(8, 34))
        return;
    const std::uint32_t b = flac.be32(18);
    format.sampleRate = plausibleRate(b >> 12);
    format.channels = static_cast<int>((b >> 9 & 7) + 1);
    format.bitsPerSample = static_cast<int>((b >> 4 & 31) + 1);
}

// An AIFF sample rate: an 80-bit IEEE extended number (sign and 15-bit exponent, 64-bit
// mantissa with an explicit leading bit).
double extended80(const ByteView& bytes, std::size_t offset) {
    if (!bytes.has(offset, 10))
        return 0;
    const int exponent = bytes.be16(offset) & 0x7FFF;
    const std::uint64_t mantissa = bytes.be64(offset + 2);
    if ((bytes.u8(offset) & 0x80) || mantissa == 0 || exponent > 16383 + 64)
        return 0;
    return std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
}

} // namespace

std::optional<AudioFormat> sniffFlac(const ByteView& bytes) {
    if (!bytes.startsWith(0, "fLaC"))
        return std::nullopt;
    AudioFormat format;
    format.codec = "FLAC";
    readStreamInfo(bytes, format);
    return format;
}

std::optional<AudioFormat> sniffOgg(const ByteView& bytes) {
    if (!bytes.startsWith(0, "OggS") || bytes.u8(4) != 0)
        return std::nullopt;
    // The page header is 27 bytes and a segment table; the first packet follows.
    const ByteView packet = bytes.from(27 + std::size_t{bytes.u8(26)});
    AudioFormat format;
    if (packet.startsWith(0, "\x01vorbis")) {
        format.codec = "Vorbis";
        format.channels = packet.u8(11);
        format.sampleRate = plausibleRate(packet.le32(12));
    } else if (packet.startsWith(0, "OpusHead")) {
        // Opus always decodes at 48 kHz; the header's rate is only the source's.
        format.codec = "Opus";
        format.channels = packet.u8(9);
        format.sampleRate = 48000;
    } else if (packet.startsWith(0, "\x7F"
                                    "FLAC")) {
        // Mapping version, header count, then the native "fLaC" stream header.
        if (auto flac = sniffFlac(packet.from(9)))
            return flac;
        format.codec = "FLAC";
    }
    return format;
}

std::optional<AudioFormat> sniffWave(const ByteView& bytes) {
    if (!bytes.startsWith(0, "RIFF") || !bytes.startsWith(8, "WAVE"))
        return std::nullopt;
    AudioFormat format;
    const auto fmt = findChunk(bytes, 12, "fmt ", false);
    if (!fmt || !fmt->has(0, 16))
        return format;
    unsigned tag = fmt->le16(0);
    const unsigned channels = fmt->le16(2);
    const std::uint32_t rate = fmt->le32(4), byteRate = fmt->le32(8);
    const unsigned bits = fmt->le16(14);
    if (tag == 0xFFFE && fmt->has(24, 2))
        tag = fmt->le16(24); // WAVE_FORMAT_EXTENSIBLE: the sub-format's first two bytes
    format.channels = static_cast<int>(channels);
    format.sampleRate = plausibleRate(rate);
    switch (tag) {
    case 1:
    case 3:
        format.codec = tag == 1 ? "PCM" : "PCM float";
        format.bitsPerSample = static_cast<int>(bits);
        format.bitRate = pcmBitRate(format.sampleRate, channels, bits);
        return format;
    case 2:
        format.codec = "MS ADPCM";
        break;
    case 6:
        format.codec = "A-law";
        break;
    case 7:
        format.codec = "μ-law";
        break;
    case 0x11:
        format.codec = "IMA ADPCM";
        break;
    case 0x55:
        format.codec = "MPEG Layer III";
        break;
    default:
        return format;
    }
    // Compressed formats state their average byte rate.
    format.bitRate = pcmBitRate(byteRate, 8, 1);
    return format;
}

std::optional<AudioFormat> sniffAiff(const ByteView& bytes) {
    const bool aifc = bytes.startsWith(8, "AIFC");
    if (!bytes.startsWith(0, "FORM") || !(aifc || bytes.startsWith(8, "AIFF")))
        return std::nullopt;
    AudioFormat format;
    const auto comm = findChunk(bytes, 12, "COMM", true);
    if (!comm || !comm->has(0, 18))
        return format;
    const unsigned channels = comm->be16(0), bits = comm->be16(6);
    format.channels = static_cast<int>(channels);
    format.sampleRate = plausibleRate(extended80(*comm, 8));
    // AIFF is always PCM; AIFC names its compression after the rate.
    for (std::string_view pcm : {"NONE", "sowt", "twos", "raw "})
        if (!aifc || comm->startsWith(18, pcm)) {
            format.codec = "PCM";
            break;
        }
    for (std::string_view pcmFloat : {"fl32", "FL32", "fl64", "FL64"})
        if (aifc && comm->startsWith(18, pcmFloat))
            format.codec = "PCM float";
    if (!format.codec.empty()) {
        format.bitsPerSample = static_cast<int>(bits);
        format.bitRate = pcmBitRate(format.sampleRate, channels, bits);
    }
    return format;
}

std::optional<AudioFormat> sniffMp4(const ByteView& bytes) {
    if (!bytes.startsWith(4, "ftyp") || bytes.be32(0) < 8)
        return std::nullopt;
    AudioFormat format;
    format.codec = "MPEG-4 Audio";
    return format;
}

} // namespace media::containers
