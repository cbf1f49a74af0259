// Decoder: one audio file (or memory block) decoded with FFmpeg into 16-bit interleaved PCM at
// the file's own sample rate and channel count. Used by one thread at a time (the stream's
// decode thread after opening); it has no locks of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvo::engine {

/** Where the bytes come from: a file (path, offset, length; 0 = to the end) or memory. */
struct Source {
    bool inMemory = false;
    std::string path;              // file: UTF-8 path
    const uint8_t* data = nullptr; // memory: the block (stays valid for the stream's life)
    uint64_t offset = 0;
    uint64_t length = 0;
};

class Decoder {
  public:
    /**
     * Opens and checks the source: it must hold an audio stream that decodes. On failure
     * returns null and sets `error` to a BASS_ERROR_* code.
     */
    static std::unique_ptr<Decoder> open(const Source& source, int& error);
    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

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
    bool decode(std::vector<int16_t>& out);

    /**
     * Moves so that the next decode() starts exactly at `frame` (WAV, FLAC; MP3 within one
     * frame): seeks a little before it and decodes and discards up to it. False on failure.
     */
    bool seek(int64_t frame);

    struct Impl;

  private:
    Decoder();
    bool decodeOne(std::vector<int16_t>& out, int64_t& firstFrame);

    std::unique_ptr<Impl> impl_;
    int rate_ = 0;
    int channels_ = 0;
    int64_t length_ = 0;
    int64_t position_ = 0;
    std::vector<int16_t> pending_; // decoded but not yet handed out (priming, seek remainder)
};

/** Silences FFmpeg's own log output (bad files would otherwise spam standard error). */
void quietFfmpegLog();

} // namespace tarvo::engine
