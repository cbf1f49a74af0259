#pragma once

#include "AudioFormat.h"
#include "ByteView.h"

#include <optional>

namespace media {

// Streams of self-contained frames, MPEG audio (layers I to III, MPEG-1, 2 and 2.5) and ADTS
// AAC: the first frame header in `bytes` that the next frames' headers confirm, where its
// length says they start. At offset 0 a frame whose successor lies beyond the buffer counts
// as confirmed, so that a short file is recognised. nullopt when no such frame is found.
//
// MPEG audio: the bit rate is the frames' own when every frame in the buffer has the same one
// and no Xing or VBRI header announces a variable rate; LAME's "Info" header marks a constant
// rate. ADTS: no bit rate (its frames state none).
std::optional<AudioFormat> sniffFrameStream(const ByteView& bytes);

} // namespace media
