// The meeting point of the engine and libbass-ffmpeg.so, the FFmpeg decoder in a shared object
// of its own. The engine maps it (and with it FFmpeg's ~130-library closure) only when a source
// first needs FFmpeg: a process that only plays MP3 never maps libavcodec.
#pragma once

#include "ByteReader.h"

#define TARVO_FFMPEG_EXPORT __attribute__((visibility("default")))

namespace tarvo::engine {

class Decoder;

/** The plugin's one entry point: opens `bytes` (taken over, freed on failure) with FFmpeg.
 *  `hint` is the path or "", only for probing. Null with `*error` a BASS_ERROR_* code. */
using OpenFfmpegDecoderFn = Decoder* (*)(ByteReader* bytes, const char* hint, int* error);
inline constexpr const char* kFfmpegPluginFile = "libbass-ffmpeg.so";
inline constexpr const char* kFfmpegOpenSymbol = "tarvo_ffmpeg_open_decoder";

/**
 * The plugin's entry point, loaded from the directory of the engine's own binary on the first
 * call and kept for the life of the process; null where it cannot be loaded (said once on
 * standard error). Thread-safe.
 */
OpenFfmpegDecoderFn ffmpegPlugin();

} // namespace tarvo::engine

extern "C" TARVO_FFMPEG_EXPORT tarvo::engine::Decoder*
tarvo_ffmpeg_open_decoder(tarvo::engine::ByteReader* bytes, const char* hint, int* error);
