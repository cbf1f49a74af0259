// MpegProbe: whether a source's bytes are MPEG audio (MP3, MP2, MP1), judged by its content:
// an optional ID3v2 tag that fits in the source, then frame headers that follow each other
// exactly (three in a row, or two and the end). Decides which decoder takes the source.
#pragma once

#include "ByteReader.h"

#include <cstdint>

namespace tarvo::engine {

struct MpegFrameHeader {
    int version = 0; // 1 (MPEG-1), 2 (MPEG-2), 25 (MPEG-2.5)
    int layer = 0;   // 1..3
    int sampleRate = 0;
    int channels = 0;
    int bytes = 0; // the whole frame, header included
};

/** Parses a 4-byte frame header; false for anything that is not a valid one (free-format
 *  bit rates included, which only some decoders handle). */
bool parseMpegHeader(const uint8_t* h, MpegFrameHeader& out);

struct MpegProbeResult {
    bool isMpeg = false;
    /** Frame count announced by a Xing/Info or VBRI header in the first frame; 0 if none. */
    uint32_t announcedFrames = 0;
    /** Stream bytes (from the first frame on) that header announces; 0 if none. */
    uint64_t announcedBytes = 0;
    /** Bytes from the first frame to the end of the source. */
    uint64_t bytesFromFirstFrame = 0;
    int samplesPerFrame = 0;
};

MpegProbeResult probeMpeg(const ByteReader& bytes);

} // namespace tarvo::engine
