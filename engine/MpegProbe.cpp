#include "MpegProbe.h"

#include <array>
#include <vector>

namespace tarvo::engine {

namespace {

// How far past the ID3v2 tag the first frame may start (junk or padding before it).
constexpr uint64_t kSearchBytes = 16 * 1024;

uint32_t bigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

/** Bytes of an ID3v2 tag at `at` (0 if none); false when its size runs past the end. */
bool id3v2Size(const ByteReader& bytes, uint64_t at, uint64_t& size) {
    uint8_t h[10];
    size = 0;
    if (bytes.readAt(at, h, sizeof h) != static_cast<int64_t>(sizeof h) || h[0] != 'I' ||
        h[1] != 'D' || h[2] != '3') {
        return true;
    }
    if ((h[6] | h[7] | h[8] | h[9]) & 0x80) {
        return false; // not a synchsafe size
    }
    size = 10 + ((uint64_t{h[6]} << 21) | (uint64_t{h[7]} << 14) | (uint64_t{h[8]} << 7) | h[9]);
    if (h[5] & 0x10) {
        size += 10; // footer
    }
    return at + size <= bytes.size();
}

bool headerAt(const ByteReader& bytes, uint64_t at, MpegFrameHeader& h) {
    uint8_t b[4];
    return bytes.readAt(at, b, sizeof b) == 4 && parseMpegHeader(b, h);
}

bool sameStream(const MpegFrameHeader& a, const MpegFrameHeader& b) {
    return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

/** The frame and byte counts of a Xing/Info or VBRI header inside the frame at `at`, if any. */
void readAnnouncement(const ByteReader& bytes, uint64_t at, const MpegFrameHeader& h,
                      MpegProbeResult& out) {
    if (h.layer != 3) {
        return;
    }
    std::vector<uint8_t> frame(static_cast<size_t>(h.bytes));
    if (bytes.readAt(at, frame.data(), frame.size()) != static_cast<int64_t>(frame.size())) {
        return;
    }
    // Xing/Info follows the side information, whose size depends on version and channels:
    // a tag, flags, then the fields the flags name (1: frames, 2: bytes), in that order.
    const size_t side = h.version == 1 ? (h.channels == 1 ? 17 : 32) : (h.channels == 1 ? 9 : 17);
    const size_t x = 4 + side;
    if (x + 8 <= frame.size() && (std::equal(frame.begin() + x, frame.begin() + x + 4, "Xing") ||
                                  std::equal(frame.begin() + x, frame.begin() + x + 4, "Info"))) {
        const uint32_t flags = bigEndian32(&frame[x + 4]);
        size_t field = x + 8;
        if ((flags & 1u) && field + 4 <= frame.size()) {
            out.announcedFrames = bigEndian32(&frame[field]);
            field += 4;
        }
        if ((flags & 2u) && field + 4 <= frame.size()) {
            out.announcedBytes = bigEndian32(&frame[field]);
        }
        return;
    }
    // VBRI: a tag, version, delay and quality (2 bytes each), then bytes and frames.
    const size_t v = 4 + 32;
    if (v + 18 <= frame.size() && std::equal(frame.begin() + v, frame.begin() + v + 4, "VBRI")) {
        out.announcedBytes = bigEndian32(&frame[v + 10]);
        out.announcedFrames = bigEndian32(&frame[v + 14]);
    }
}

} // namespace

bool parseMpegHeader(const uint8_t* b, MpegFrameHeader& out) {
    if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) {
        return false;
    }
    const int versionBits = (b[1] >> 3) & 3; // 0: 2.5, 1: reserved, 2: 2, 3: 1
    const int layerBits = (b[1] >> 1) & 3;   // 0: reserved, 1: III, 2: II, 3: I
    const int bitrateIndex = b[2] >> 4;
    const int rateIndex = (b[2] >> 2) & 3;
    const int padding = (b[2] >> 1) & 1;
    if (versionBits == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 ||
        rateIndex == 3) {
        return false;
    }
    static constexpr std::array<std::array<int, 15>, 5> kBitrates{{
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG-1 I
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG-1 II
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG-1 III
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG-2 I
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG-2 II, III
    }};
    static constexpr std::array<int, 3> kRates{44100, 48000, 32000};
    const int version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    const int layer = 4 - layerBits;
    const int table = version == 1 ? layer - 1 : (layer == 1 ? 3 : 4);
    const int bitrate =
        kBitrates[static_cast<size_t>(table)][static_cast<size_t>(bitrateIndex)] * 1000;
    const int rate = kRates[static_cast<size_t>(rateIndex)] / (version == 1   ? 1
                                                               : version == 2 ? 2
                                                                              : 4);
    out.version = version;
    out.layer = layer;
    out.sampleRate = rate;
    out.channels = ((b[3] >> 6) & 3) == 3 ? 1 : 2;
    if (layer == 1) {
        out.bytes = (12 * bitrate / rate + padding) * 4;
    } else {
        const int factor = (layer == 3 && version != 1) ? 72 : 144;
        out.bytes = factor * bitrate / rate + padding;
    }
    return out.bytes > 4;
}

MpegProbeResult probeMpeg(const ByteReader& bytes) {
    MpegProbeResult result;
    uint64_t tag = 0;
    if (!id3v2Size(bytes, 0, tag)) {
        return result; // a tag that claims more than there is
    }
    const uint64_t end = std::min(bytes.size(), tag + kSearchBytes);
    std::vector<uint8_t> window(static_cast<size_t>(end - tag));
    const int64_t got = bytes.readAt(tag, window.data(), window.size());
    if (got < 4) {
        return result;
    }
    for (uint64_t i = 0; i + 4 <= static_cast<uint64_t>(got); ++i) {
        MpegFrameHeader first;
        if (window[i] != 0xFF || !parseMpegHeader(&window[i], first)) {
            continue;
        }
        const uint64_t at = tag + i;
        const uint64_t second = at + static_cast<uint64_t>(first.bytes);
        MpegFrameHeader next;
        if (second == bytes.size()) {
            result.isMpeg = true; // one frame and the end
        } else if (headerAt(bytes, second, next) && sameStream(first, next)) {
            const uint64_t third = second + static_cast<uint64_t>(next.bytes);
            MpegFrameHeader last;
            result.isMpeg =
                third >= bytes.size() || (headerAt(bytes, third, last) && sameStream(first, last));
        }
        if (result.isMpeg) {
            result.samplesPerFrame =
                first.layer == 1 ? 384 : (first.layer == 3 && first.version != 1 ? 576 : 1152);
            result.bytesFromFirstFrame = bytes.size() - at;
            readAnnouncement(bytes, at, first, result);
            return result;
        }
    }
    return result;
}

} // namespace tarvo::engine
