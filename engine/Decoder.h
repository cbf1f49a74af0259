// Decoder: one audio source decoded into 16-bit interleaved PCM at the file's own sample rate
// and channel count. Used by one thread at a time (the stream's decode thread after opening);
// it has no locks of its own.
//
// Two implementations: libmpg123 for MPEG audio (MP3, MP2, MP1), linked into the engine, and
// FFmpeg for everything else, in libbass-ffmpeg.so beside the engine, loaded on first need (its
// ~130-library closure stays out of a process that only plays MP3). Which one takes a source
// is decided by its bytes, never by its name; a source libmpg123 refuses goes to FFmpeg.
#pragma once

#include "ByteReader.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tarvo::engine {

class Decoder {
  public:
    virtual ~Decoder() = default;
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    /** "mpg123" or "ffmpeg": the library that decodes this source. */
    virtual const char* library() const = 0;
    int sampleRate() const { return rate_; }
    int channels() const { return channels_; }
    /** Length in sample frames (exact for PCM, FLAC, Vorbis and MP3). */
    int64_t length() const { return length_; }
    /** Frame index of the next sample decode() gives. */
    int64_t position() const { return position_; }

    /**
     * Appends the next decoded samples (whole frames, interleaved) to `out`. Returns false at
     * the end of the stream or on an error that stops decoding; a stream that breaks ends.
     */
    virtual bool decode(std::vector<int16_t>& out) = 0;

    /**
     * Moves so that the next decode() starts exactly at `frame` (PCM, FLAC, MP3 through
     * libmpg123; MP3 through FFmpeg within one frame). False on failure.
     */
    virtual bool seek(int64_t frame) = 0;

  protected:
    Decoder() = default;
    int rate_ = 0;
    int channels_ = 0;
    int64_t length_ = 0;
    int64_t position_ = 0;
};

enum class DecoderChoice {
    ByContent, // MPEG audio to libmpg123 (FFmpeg if it refuses), the rest to FFmpeg
    Ffmpeg,    // FFmpeg for everything
};

/**
 * Opens and checks the source: it must hold an audio stream that decodes. On failure returns
 * null and sets `error` to a BASS_ERROR_* code (BASS_ERROR_CODEC also when FFmpeg is needed and
 * libbass-ffmpeg.so cannot be loaded).
 */
std::unique_ptr<Decoder> openDecoder(const Source& source, int& error,
                                     DecoderChoice choice = DecoderChoice::ByContent);

/** The choice for the engine's streams: ByContent, or Ffmpeg where the environment has
 *  TARVO_ENGINE_DECODER=ffmpeg (so that the engine's tests can run every stream on FFmpeg). */
DecoderChoice streamDecoderChoice();

} // namespace tarvo::engine
