// Mpg123Decoder: MPEG audio (MP3, MP2, MP1) decoded with libmpg123, which the engine links
// directly (it is small, and the sound server's client library maps it anyway). Gapless: the
// encoder's delay and padding are cut, so lengths and samples agree with the mpg123 program.
#pragma once

#include "Decoder.h"
#include "MpegProbe.h"

#include <memory>

struct mpg123_handle_struct;

namespace tarvo::engine {

class Mpg123Decoder final : public Decoder {
  public:
    /**
     * Opens a source that probeMpeg() took for MPEG audio. Null where libmpg123 cannot take it
     * (no frame decodes, or far fewer frames than its Xing/Info header announces: a cut-off
     * file); the caller then leaves the source to FFmpeg, whose verdict stands.
     */
    static std::unique_ptr<Decoder> open(std::unique_ptr<ByteReader> bytes,
                                         const MpegProbeResult& probe);
    ~Mpg123Decoder() override;
    const char* library() const override { return "mpg123"; }
    bool decode(std::vector<int16_t>& out) override;
    bool seek(int64_t frame) override;

  private:
    explicit Mpg123Decoder(std::unique_ptr<ByteReader> bytes) : bytes_(std::move(bytes)) {}
    bool decodeFrame(std::vector<int16_t>& out);

    std::unique_ptr<ByteReader> bytes_;
    mpg123_handle_struct* handle_ = nullptr;
    int badFrames_ = 0;
    std::vector<int16_t> pending_; // decoded at opening, not yet handed out
};

} // namespace tarvo::engine
