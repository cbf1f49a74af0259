// Which decoder takes a source: decided by its bytes, with FFmpeg as the last word.
#include "Decoder.h"
#include "FfmpegPlugin.h"
#include "MpegProbe.h"
#include "Mpg123Decoder.h"
#include "bass.h"

#include <cstdlib>
#include <cstring>

namespace tarvo::engine {

namespace {

std::unique_ptr<Decoder> openWithFfmpeg(const Source& source, std::unique_ptr<ByteReader> bytes,
                                        int& error) {
    const OpenFfmpegDecoderFn open = ffmpegPlugin();
    if (!open) {
        error = BASS_ERROR_CODEC;
        return nullptr;
    }
    // The path only helps FFmpeg's probing (by its extension).
    const char* hint = source.inMemory ? "" : source.path.c_str();
    return std::unique_ptr<Decoder>(open(bytes.release(), hint, &error));
}

} // namespace

std::unique_ptr<Decoder> openDecoder(const Source& source, int& error, DecoderChoice choice) {
    std::unique_ptr<ByteReader> bytes = ByteReader::open(source, error);
    if (!bytes) {
        return nullptr;
    }
    if (choice == DecoderChoice::ByContent) {
        const MpegProbeResult probe = probeMpeg(*bytes);
        if (probe.isMpeg) {
            if (auto d = Mpg123Decoder::open(std::move(bytes), probe)) {
                error = BASS_OK;
                return d;
            }
            bytes = ByteReader::open(source, error); // what libmpg123 refused goes to FFmpeg
            if (!bytes) {
                return nullptr;
            }
        }
    }
    return openWithFfmpeg(source, std::move(bytes), error);
}

DecoderChoice streamDecoderChoice() {
    const char* v = std::getenv("TARVO_ENGINE_DECODER");
    return v && std::strcmp(v, "ffmpeg") == 0 ? DecoderChoice::Ffmpeg : DecoderChoice::ByContent;
}

} // namespace tarvo::engine
