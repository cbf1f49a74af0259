#pragma once

#include "FileHandle.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace media {

// What a file's first bytes say about its audio stream. Zero means not known.
struct AudioFormat {
    std::string codec;  // "MPEG-1 Layer III", "FLAC", "Vorbis", ...; empty when not recognised
    int sampleRate = 0; // Hz
    int channels = 0;
    int bitsPerSample = 0;        // where the stream has a fixed sample size (PCM, FLAC)
    int bitRate = 0;              // bits per second
    bool variableBitRate = false; // MPEG audio with a Xing or VBRI header
    bool averageBitRate = false;  // bitRate is the file's average, not the stream's own figure

    bool operator==(const AudioFormat&) const = default;
};

// Recognises the stream that starts at `head` (the bytes after any ID3v2 tag; a few dozen
// kilobytes are plenty): MPEG audio frames (found within the first bytes and confirmed by the
// frame after), FLAC, Ogg Vorbis/Opus/FLAC, RIFF WAVE, AIFF/AIFC, ADTS AAC and MPEG-4 files.
// The bit rate is set where the stream states it exactly (CBR MPEG audio, PCM). No offset or
// size in the bytes is trusted: a claim beyond the buffer reads as absent.
AudioFormat sniffAudioFormat(std::span<const std::uint8_t> head);

// Skips an ID3v2 tag, sniffs the stream, and where the stream gives no exact bit rate and
// `durationMs` is positive, sets the average: (file size - tag sizes) x 8 / duration.
// nullopt when the file is not open.
std::optional<AudioFormat> readAudioFormat(FileHandle& file, std::int64_t durationMs);

// The same on the file at `path`, opened read-only and closed again.
std::optional<AudioFormat> readAudioFormat(const std::string& path, std::int64_t durationMs);

} // namespace media
