#pragma once

#include "AudioFormat.h"
#include "ByteView.h"

#include <optional>

// The formats that announce themselves with magic bytes at their first byte. Each gives
// nullopt when its magic is not there, and a format with what the header holds otherwise
// (fields left at zero where the header is cut off or says nothing).
namespace media::containers {

// "fLaC" and its STREAMINFO block.
std::optional<AudioFormat> sniffFlac(const ByteView& bytes);
// "OggS" and the first packet: Vorbis, Opus or FLAC; any other codec leaves the codec empty.
std::optional<AudioFormat> sniffOgg(const ByteView& bytes);
// "RIFF....WAVE" and its "fmt " chunk; PCM and float PCM get their exact bit rate.
std::optional<AudioFormat> sniffWave(const ByteView& bytes);
// "FORM....AIFF" or "AIFC" and its "COMM" chunk.
std::optional<AudioFormat> sniffAiff(const ByteView& bytes);
// An ISO media file ("ftyp" box first): MPEG-4 audio, whose codec sits in boxes that may lie
// anywhere in the file.
std::optional<AudioFormat> sniffMp4(const ByteView& bytes);

} // namespace media::containers
