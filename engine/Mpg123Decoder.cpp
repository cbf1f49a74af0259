#include "Mpg123Decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <mutex>

namespace tarvo::engine {

namespace {

// Consecutive frames that fail to decode after which the stream is taken to be broken.
constexpr int kMaxBadFrames = 64;

mpg123_ssize_t readBytes(void* reader, void* buffer, size_t n) {
    return static_cast<mpg123_ssize_t>(static_cast<ByteReader*>(reader)->read(buffer, n));
}

off_t seekBytes(void* reader, off_t offset, int whence) {
    return static_cast<off_t>(static_cast<ByteReader*>(reader)->seek(offset, whence));
}

} // namespace

std::unique_ptr<Decoder> Mpg123Decoder::open(std::unique_ptr<ByteReader> bytes,
                                             const MpegProbeResult& probe) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); }); // a no-op from 1.27 on; older need it
    std::unique_ptr<Mpg123Decoder> d(new Mpg123Decoder(std::move(bytes)));
    mpg123_handle* mh = mpg123_new(nullptr, nullptr);
    if (!mh) {
        return nullptr;
    }
    d->handle_ = mh;
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
    // 16-bit output at whatever rate and channel count the file has.
    mpg123_format_none(mh);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i) {
        mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    }
    if (mpg123_replace_reader_handle(mh, &readBytes, &seekBytes, nullptr) != MPG123_OK ||
        mpg123_open_handle(mh, d->bytes_.get()) != MPG123_OK) {
        return nullptr;
    }
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
        channels < 1 || channels > 2) {
        return nullptr;
    }
    // Keep this format for the whole stream: should a later frame change rate or channels,
    // libmpg123 converts it rather than handing out samples the stream cannot describe.
    mpg123_format_none(mh);
    mpg123_format(mh, rate, channels == 1 ? MPG123_MONO : MPG123_STEREO, MPG123_ENC_SIGNED_16);
    d->rate_ = static_cast<int>(rate);
    d->channels_ = channels;

    // The exact length; the gapless length leaves out the encoder's delay and padding. Where
    // the first frame announces the stream's frames and bytes and those bytes are all there,
    // libmpg123 takes the length from the announcement. Otherwise it scans every frame header
    // (no decoding), which reads the whole file before the open returns: about 8 ms for five
    // minutes at 192 kbit/s, and the window waits for it.
    const bool announcedAndWhole = probe.announcedFrames > 0 && probe.announcedBytes > 0 &&
                                   probe.bytesFromFirstFrame >= probe.announcedBytes;
    if (!announcedAndWhole && mpg123_scan(mh) != MPG123_OK) {
        return nullptr;
    }
    const off_t frames = mpg123_framelength(mh);
    const off_t samples = mpg123_length(mh);
    if (frames <= 0 || samples <= 0) {
        return nullptr;
    }
    const off_t announced = probe.announcedFrames;
    if (announced > 0 && frames < announced - announced / 20) {
        return nullptr; // cut off
    }
    d->length_ = samples;
    if (mpg123_seek(mh, 0, SEEK_SET) != 0) {
        return nullptr;
    }
    // Prove that it decodes.
    if (!d->decodeFrame(d->pending_) || d->pending_.empty()) {
        return nullptr;
    }
    d->position_ = 0;
    return d;
}

Mpg123Decoder::~Mpg123Decoder() {
    if (handle_) {
        mpg123_close(handle_);
        mpg123_delete(handle_);
    }
}

// Appends the samples of the next frame that has any (gapless trimming can leave a frame
// empty); false at the end or when the stream keeps failing.
bool Mpg123Decoder::decodeFrame(std::vector<int16_t>& out) {
    for (;;) {
        off_t frameNumber = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        const int r = mpg123_decode_frame(handle_, &frameNumber, &audio, &bytes);
        if (r == MPG123_OK || r == MPG123_NEW_FORMAT) {
            badFrames_ = 0;
            if (bytes == 0 || !audio) {
                continue;
            }
            const auto* samples = reinterpret_cast<const int16_t*>(audio);
            const size_t count = bytes / sizeof(int16_t);
            out.insert(out.end(), samples,
                       samples + count - count % static_cast<size_t>(channels_));
            return true;
        }
        if (r == MPG123_DONE || ++badFrames_ > kMaxBadFrames) {
            return false;
        }
    }
}

bool Mpg123Decoder::decode(std::vector<int16_t>& out) {
    const size_t before = out.size();
    if (!pending_.empty()) {
        out.insert(out.end(), pending_.begin(), pending_.end());
        pending_.clear();
    } else if (!decodeFrame(out)) {
        return false;
    }
    position_ += static_cast<int64_t>(out.size() - before) / channels_;
    return true;
}

bool Mpg123Decoder::seek(int64_t frame) {
    pending_.clear();
    badFrames_ = 0;
    // libmpg123 seeks to the sample: it goes back to an earlier frame, decodes the frames the
    // bit reservoir needs and drops the samples before the target.
    const off_t at =
        mpg123_seek(handle_, static_cast<off_t>(std::clamp<int64_t>(frame, 0, length_)), SEEK_SET);
    if (at < 0) {
        return false;
    }
    position_ = at;
    return true;
}

} // namespace tarvo::engine
