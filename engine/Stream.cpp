#include "Stream.h"

#include "Spectrum.h"
#include "bass.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace tarvo::engine {

namespace {
// The decode thread keeps about half a second queued; the ring holds twice that, so the data
// after a seek can be written while the data before it has not yet been skipped.
constexpr double kQueueSeconds = 0.5;
// Frames kept in the tap: enough for the device latency plus the largest read (an FFT).
constexpr size_t kTapFrames = 16384;
// A full 0 -> 100 volume change is spread over this long, so that steps do not click.
constexpr double kRampSeconds = 0.02;
// Where the sound starts or stops abruptly (start, pause, seek, end) the output fades in over
// this long, or the last sample dies away over about this long, so that nothing clicks.
constexpr double kDeclickMs = 5.0;
} // namespace

Stream::Stream(std::unique_ptr<Decoder> decoder)
    : rate_(decoder->sampleRate()), channels_(decoder->channels()), length_(decoder->length()),
      decoder_(std::move(decoder)), ring_(static_cast<size_t>(2 * kQueueSeconds * rate_ + 4096) *
                                          static_cast<size_t>(channels_)) {
    fillTarget_ = ring_.capacity() / 2 / channels_ * channels_;
    freq_.store(rate_);
    tapFrames_ = kTapFrames;
    tap_ = std::make_unique<std::atomic<int16_t>[]>(tapFrames_ * channels_);
    for (size_t i = 0; i < tapFrames_ * channels_; ++i) {
        tap_[i].store(0, std::memory_order_relaxed);
    }
    thread_ = std::thread([this] { decodeLoop(); });
}

Stream::~Stream() {
    {
        std::lock_guard lock(ctlMutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

// ---------------------------------------------------------------- API threads

void Stream::requestSeekLocked(int64_t frame, State newState) {
    const uint32_t seq = seqOf(ctl_.load()) + 1;
    requestedSeq_ = seq;
    requestedFrame_ = frame;
    pendingTarget_.store(frame, std::memory_order_relaxed);
    seekPending_.store(true, std::memory_order_relaxed);
    ctl_.store(pack(seq, newState), std::memory_order_release);
    wake_.notify_one();
}

void Stream::play(bool restart) {
    std::lock_guard lock(ctlMutex_);
    const uint64_t w = ctl_.load();
    if (restart || stateOf(w) == Ended) {
        requestSeekLocked(0, Playing);
    } else {
        ctl_.store(pack(seqOf(w), Playing), std::memory_order_release);
    }
    frozenPos_.store(-1, std::memory_order_relaxed);
    ++plays_;
    wake_.notify_one(); // the decode thread may be resting on a full queue
}

bool Stream::pause() {
    std::lock_guard lock(ctlMutex_);
    const uint64_t w = ctl_.load();
    if (stateOf(w) != Playing) {
        return false;
    }
    freezePosition();
    ctl_.store(pack(seqOf(w), Paused), std::memory_order_release);
    return true;
}

void Stream::stop() {
    std::lock_guard lock(ctlMutex_);
    const uint64_t w = ctl_.load();
    if (stateOf(w) == Playing) {
        freezePosition();
    }
    if (stateOf(w) != Ended) {
        ctl_.store(pack(seqOf(w), Stopped), std::memory_order_release);
    }
}

void Stream::freezePosition() {
    // The device still plays out what it was given (one latency), which would move the
    // audible position on after the caller was told the stream has paused. The position a
    // paused or stopped stream reports is the one audible when it was told to rest.
    const Published p = readPublished();
    frozenTap_.store(p.tap, std::memory_order_relaxed);
    frozenPos_.store(audiblePosition(ctl_.load(std::memory_order_relaxed), p),
                     std::memory_order_relaxed);
}

void Stream::setPosition(int64_t frame) {
    std::lock_guard lock(ctlMutex_);
    frozenPos_.store(-1, std::memory_order_relaxed);
    const State s = stateOf(ctl_.load());
    requestSeekLocked(frame, s == Ended ? Stopped : s);
}

Stream::Published Stream::readPublished() const {
    Published p;
    for (;;) {
        const uint32_t s1 = pubSeq_.load(std::memory_order_acquire);
        if (s1 & 1u) {
            std::this_thread::yield(); // the audio thread is publishing
            continue;
        }
        p.pos = pubPos_.load(std::memory_order_acquire);
        p.tap = pubTap_.load(std::memory_order_acquire);
        const double rate = pubRate_.load(std::memory_order_acquire);
        const double maxAhead = pubMaxAhead_.load(std::memory_order_acquire);
        const int64_t at = pubTime_.load(std::memory_order_acquire);
        p.applied = pubApplied_.load(std::memory_order_acquire);
        if (pubSeq_.load(std::memory_order_relaxed) == s1) {
            // Carried forward by the time since the audio thread published it.
            const int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                    std::chrono::steady_clock::now().time_since_epoch())
                                    .count();
            const double ahead =
                std::clamp(static_cast<double>(now - at) * 1e-9 * rate, 0.0, maxAhead);
            p.pos += ahead;
            p.tap += ahead;
            return p;
        }
    }
}

bool Stream::frozen(uint64_t w, Published& at) const {
    if (stateOf(w) == Playing || frozenPos_.load(std::memory_order_relaxed) < 0) {
        return false;
    }
    at.pos = static_cast<double>(frozenPos_.load(std::memory_order_relaxed));
    at.tap = frozenTap_.load(std::memory_order_relaxed);
    return true;
}

int64_t Stream::positionFrames() const {
    const uint64_t w = ctl_.load(std::memory_order_acquire);
    if (stateOf(w) == Ended) {
        return length_;
    }
    Published p;
    if (frozen(w, p)) {
        return static_cast<int64_t>(p.pos);
    }
    return audiblePosition(w, readPublished());
}

int64_t Stream::audiblePosition(uint64_t w, const Published& p) const {
    if (p.applied != seqOf(w)) {
        return pendingTarget_.load(std::memory_order_relaxed); // the seek is on its way
    }
    return std::clamp<int64_t>(static_cast<int64_t>(p.pos + 1e-6), 0, length_);
}

uint32_t Stream::activity() const {
    switch (stateOf(ctl_.load(std::memory_order_acquire))) {
    case Playing:
        return stalled_.load(std::memory_order_relaxed) ? BASS_ACTIVE_STALLED : BASS_ACTIVE_PLAYING;
    case Paused:
        return BASS_ACTIVE_PAUSED;
    default:
        return BASS_ACTIVE_STOPPED;
    }
}

void Stream::setVolume(int volume) {
    volume_.store(volume, std::memory_order_relaxed);
}

size_t Stream::readAudible(int16_t* out, size_t frames) const {
    // Where the audible point is in the tap, consistently with the reported position.
    Published p;
    if (!frozen(ctl_.load(std::memory_order_acquire), p)) {
        p = readPublished();
    }
    const double tap = p.tap;
    // Leave room for what the audio thread may write meanwhile (one latency and a block).
    frames = std::min(frames, tapFrames_ / 2);
    const auto end = static_cast<int64_t>(tap + 1e-6);
    const int64_t begin = end - static_cast<int64_t>(frames);
    const auto ch = static_cast<size_t>(channels_);
    for (int64_t f = begin; f < end; ++f) {
        int16_t* dst = out + static_cast<size_t>(f - begin) * ch;
        if (f < 0) {
            std::fill(dst, dst + ch, int16_t{0}); // before the stream began: silence
            continue;
        }
        const size_t at = static_cast<size_t>(f % static_cast<int64_t>(tapFrames_)) * ch;
        for (size_t c = 0; c < ch; ++c) {
            dst[c] = tap_[at + c].load(std::memory_order_relaxed);
        }
    }
    return frames;
}

bool Stream::spectrum(int size, float* magnitudes) {
    std::lock_guard lock(fftMutex_);
    std::unique_ptr<Spectrum>& fft = size == 512 ? fft512_ : fft1024_;
    if (!fft) {
        fft = std::make_unique<Spectrum>(size);
        fftSamples_.resize(1024 * kMaxChannels);
        fftMono_.resize(1024);
    }
    if (!fft->valid()) {
        return false;
    }
    readAudible(fftSamples_.data(), static_cast<size_t>(size));
    const float scale = 1.0f / (32768.0f * static_cast<float>(channels_));
    for (int i = 0; i < size; ++i) {
        int sum = 0;
        for (int c = 0; c < channels_; ++c) {
            sum += fftSamples_[static_cast<size_t>(i * channels_ + c)];
        }
        fftMono_[static_cast<size_t>(i)] = static_cast<float>(sum) * scale;
    }
    fft->compute(fftMono_.data(), magnitudes);
    return true;
}

// ---------------------------------------------------------------- decode thread

bool Stream::pushMarker(const Marker& m) {
    // The audio thread drains markers on every callback; wait for room, unless told to quit.
    while (!markers_.push(m)) {
        std::unique_lock lock(ctlMutex_);
        if (wake_.wait_for(lock, std::chrono::milliseconds(2), [this] { return quit_; })) {
            return false;
        }
    }
    return true;
}

void Stream::decodeLoop() {
    std::vector<int16_t> buf;
    size_t bufAt = 0;
    bool atEnd = false;
    uint32_t doneSeq = 0;
    uint64_t epochStart = 0; // ring index where the data after the latest seek begins
    auto wait = std::chrono::milliseconds(0);
    // Nothing can drain the queue until a play or a seek: then wait without a timeout, so a
    // paused or finished stream costs no wake-ups.
    bool rest = false;
    uint32_t seenPlays = 0;
    for (;;) {
        bool seek = false;
        int64_t target = 0;
        uint32_t seq = 0;
        {
            std::unique_lock lock(ctlMutex_);
            const auto woken = [&] {
                return quit_ || requestedSeq_ != doneSeq || plays_ != seenPlays;
            };
            if (rest) {
                wake_.wait(lock, woken);
            } else {
                wake_.wait_for(lock, wait, woken);
            }
            // Read before the state is looked at below: a later play() changes the count.
            seenPlays = plays_;
            if (quit_) {
                return;
            }
            if (requestedSeq_ != doneSeq) {
                seek = true;
                target = requestedFrame_;
                seq = requestedSeq_;
                seekPending_.store(false, std::memory_order_relaxed);
            }
        }
        if (seek) {
            // A seek that fails leaves the decoder at the end: the stream then ends.
            atEnd = !decoder_->seek(target);
            buf.clear();
            bufAt = 0;
            doneSeq = seq;
            Marker m;
            m.kind = Marker::Seek;
            m.seq = seq;
            m.ringIndex = ring_.writeIndex();
            epochStart = m.ringIndex;
            m.base = atEnd ? length_ : decoder_->position();
            if (!pushMarker(m)) {
                return;
            }
            if (atEnd && !pushMarker(Marker{Marker::End, seq, ring_.writeIndex(), 0})) {
                return;
            }
            wait = std::chrono::milliseconds(0);
            rest = false;
            continue;
        }
        if (atEnd) {
            rest = true; // only a seek (or a restart) makes more to decode
            continue;
        }
        // Fill the ring up to the target level, in whole frames.
        bool blocked = false; // the ring is full of data the audio thread has yet to skip
        for (;;) {
            // Only what follows the latest seek counts: what precedes it is about to be
            // skipped by the audio thread (the ring has room for both).
            const uint64_t w = ring_.writeIndex();
            const uint64_t r = w - (ring_.capacity() - ring_.writable());
            const size_t level = static_cast<size_t>(w - std::max(r, epochStart));
            if (level >= fillTarget_ || seekPending_.load(std::memory_order_relaxed)) {
                break;
            }
            if (bufAt == buf.size()) {
                buf.clear();
                bufAt = 0;
                if (!decoder_->decode(buf)) {
                    atEnd = true;
                    if (!pushMarker(Marker{Marker::End, doneSeq, ring_.writeIndex(), 0})) {
                        return;
                    }
                    break;
                }
            }
            size_t room = std::min(fillTarget_ - level, buf.size() - bufAt);
            room -= room % static_cast<size_t>(channels_);
            if (room == 0) {
                break;
            }
            const size_t written = ring_.write(buf.data() + bufAt, room);
            bufAt += written;
            if (written == 0) {
                // Seeks came faster than the audio thread applies them (or it no longer runs
                // this stream): look again soon instead of spinning.
                blocked = true;
                break;
            }
        }
        // Sleep until about two fifths of the queue have been played: few wake-ups, and still
        // well over a quarter of a second queued when it tops up again.
        wait = blocked ? std::chrono::milliseconds(2)
                       : std::chrono::milliseconds(static_cast<int>(kQueueSeconds * 400));
        rest = !blocked && stateOf(ctl_.load(std::memory_order_acquire)) != Playing;
    }
}

// ---------------------------------------------------------------- audio thread

void Stream::publish(const Point& point) {
    // A sequence lock without fences: the data stores are releases, so a reader that sees any
    // of them (with an acquire load) also sees the odd sequence number stored before, and
    // retries. Readers never block the audio thread.
    const uint32_t s = pubSeq_.load(std::memory_order_relaxed);
    pubSeq_.store(s + 1, std::memory_order_relaxed);
    pubPos_.store(point.pos, std::memory_order_release);
    pubTap_.store(point.tap, std::memory_order_release);
    pubRate_.store(point.framesPerSecond, std::memory_order_release);
    pubMaxAhead_.store(point.maxAhead, std::memory_order_release);
    pubTime_.store(std::chrono::duration_cast<std::chrono::nanoseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                       .count(),
                   std::memory_order_release);
    pubApplied_.store(appliedSeq_, std::memory_order_release);
    pubSeq_.store(s + 2, std::memory_order_release);
}

void Stream::resetTimeline(double holdPos, double holdTap) {
    historyCount_ = 0;
    holdPos_ = holdPos;
    holdTap_ = holdTap;
}

void Stream::applyMarkers() {
    const size_t n = markers_.size();
    if (n == 0) {
        return;
    }
    // A seek throws away everything queued before it, end markers included: apply the last.
    size_t lastSeek = n;
    for (size_t i = 0; i < n; ++i) {
        if (markers_.peek(i).kind == Marker::Seek) {
            lastSeek = i;
        }
    }
    size_t first = 0;
    if (lastSeek < n) {
        const Marker& m = markers_.peek(lastSeek);
        ring_.skipTo(m.ringIndex);
        appliedSeq_ = m.seq;
        base_ = m.base;
        played_ = 0.0;
        tapEpoch_ = static_cast<double>(tapWrite_.load(std::memory_order_relaxed));
        primed_ = false;
        drained_ = false;
        frac_ = 0.0;
        blockLen_ = blockPos_ = 0;
        endIndex_ = UINT64_MAX;
        // Until the new samples reach the speaker, the position is the target and the
        // spectrum describes the last samples heard.
        resetTimeline(static_cast<double>(m.base), pubTap_.load(std::memory_order_relaxed));
        publish(Point{static_cast<double>(m.base), holdTap_, 0.0, 0.0});
        first = lastSeek + 1;
    }
    for (size_t i = first; i < n; ++i) {
        const Marker& m = markers_.peek(i);
        if (m.kind == Marker::End) {
            endIndex_ = m.ringIndex;
        }
    }
    markers_.pop(n);
}

bool Stream::popFrame(float* frame) {
    if (blockPos_ == blockLen_) {
        const size_t avail = ring_.readable() / static_cast<size_t>(channels_);
        if (avail == 0) {
            return false;
        }
        const size_t n = std::min(avail, kBlockFrames);
        ring_.read(block_, n * static_cast<size_t>(channels_));
        blockLen_ = n;
        blockPos_ = 0;
    }
    // Volume, ramped per frame towards the set value.
    const float target = static_cast<float>(volume_.load(std::memory_order_relaxed)) / 100.0f;
    const float step = static_cast<float>(1.0 / (kRampSeconds * rate_));
    if (gain_ < target) {
        gain_ = std::min(target, gain_ + step);
    } else if (gain_ > target) {
        gain_ = std::max(target, gain_ - step);
    }
    const int16_t* src = block_ + blockPos_ * static_cast<size_t>(channels_);
    const uint64_t t = tapWrite_.load(std::memory_order_relaxed);
    const size_t at = static_cast<size_t>(t % tapFrames_) * static_cast<size_t>(channels_);
    for (int c = 0; c < channels_; ++c) {
        const float v = std::nearbyint(static_cast<float>(src[c]) * gain_);
        tap_[at + static_cast<size_t>(c)].store(static_cast<int16_t>(v), std::memory_order_relaxed);
        frame[c] = v * (1.0f / 32768.0f);
    }
    tapWrite_.store(t + 1, std::memory_order_release);
    ++blockPos_;
    return true;
}

bool Stream::render(float* mix, int frames, const MixFormat& format, uint64_t deviceFrame) {
    applyMarkers();
    const uint64_t w = ctl_.load(std::memory_order_acquire);
    const bool current = appliedSeq_ == seqOf(w);
    const bool playing = stateOf(w) == Playing && current && !drained_;

    const double posStart = static_cast<double>(base_) + played_;
    const double tapStart = tapEpoch_ + played_;
    bool stalled = false;
    int produced = 0; // device frames this stream filled in this call
    const float fadeStep = static_cast<float>(1000.0 / (kDeclickMs * format.rate));
    if (playing) {
        const double step =
            static_cast<double>(freq_.load(std::memory_order_relaxed)) / format.rate;
        const int pan = pan_.load(std::memory_order_relaxed);
        const float panL = std::min(1.0f, 1.0f - static_cast<float>(pan) / 100.0f);
        const float panR = std::min(1.0f, 1.0f + static_cast<float>(pan) / 100.0f);
        const int ch = channels_;
        for (int i = 0; i < frames; ++i) {
            if (!primed_) {
                if (!popFrame(cur_)) {
                    if (ring_.readIndex() >= endIndex_) {
                        drained_ = true;
                    } else {
                        stalled = true;
                    }
                    break;
                }
                if (!popFrame(next_)) {
                    // Only one frame left before the end (or an underrun): hold it.
                    std::copy(cur_, cur_ + ch, next_);
                }
                primed_ = true;
            }
            // Linear interpolation between the two frames around the position (exact when
            // the rates agree: frac_ stays 0).
            const auto f = static_cast<float>(frac_);
            float left = 0;
            float right = 0;
            if (ch == 1) {
                left = right = cur_[0] + (next_[0] - cur_[0]) * f;
            } else {
                for (int c = 0; c < ch; ++c) {
                    const float v = cur_[c] + (next_[c] - cur_[c]) * f;
                    (c % 2 == 0 ? left : right) += v;
                }
                if (ch > 2) {
                    left /= static_cast<float>((ch + 1) / 2);
                    right /= static_cast<float>(ch / 2);
                }
            }
            // Fade in after any silence (start, resume, seek) so the first sample does not click.
            fadeIn_ = std::min(1.0f, fadeIn_ + fadeStep);
            tail_[0] = left * panL * fadeIn_;
            tail_[1] = right * panR * fadeIn_;
            float* out = mix + static_cast<size_t>(i) * format.channels;
            if (format.channels == 1) {
                out[0] += 0.5f * (tail_[0] + tail_[1]);
            } else {
                out[0] += tail_[0];
                out[1] += tail_[1];
            }
            produced = i + 1;
            played_ += step;
            frac_ += step;
            bool ended = false;
            while (frac_ >= 1.0) {
                frac_ -= 1.0;
                std::copy(next_, next_ + ch, cur_);
                if (!popFrame(next_)) {
                    if (ring_.readIndex() >= endIndex_) {
                        ended = true;
                    } else {
                        stalled = true;
                        std::copy(cur_, cur_ + ch, next_); // hold through the underrun
                    }
                    break;
                }
            }
            if (ended) {
                drained_ = true;
                break;
            }
            if (stalled) {
                break;
            }
        }
    }
    if (drained_) {
        // Everything up to the end has been handed to the device.
        played_ = std::min(played_, static_cast<double>(length_ - base_));
    }
    stalled_.store(stalled, std::memory_order_relaxed);
    if (produced < frames) {
        // The sound stops here (pause, stop, seek, end, underrun): let the last sample die away
        // over a few milliseconds instead of dropping to zero, which would click.
        const float decay =
            static_cast<float>(std::exp(-1000.0 / (kDeclickMs * format.rate / 5.0)));
        for (int i = produced; i < frames; ++i) {
            tail_[0] *= decay;
            tail_[1] *= decay;
            float* out = mix + static_cast<size_t>(i) * format.channels;
            if (format.channels == 1) {
                out[0] += 0.5f * (tail_[0] + tail_[1]);
            } else {
                out[0] += tail_[0];
                out[1] += tail_[1];
            }
        }
        fadeIn_ = 0.0f;
    }

    // The timeline: which stream frame the device is handed at which device frame.
    Segment& s = history_[historyHead_];
    s.devStart = deviceFrame;
    s.devEnd = deviceFrame + static_cast<uint64_t>(frames);
    s.posStart = posStart;
    s.posEnd = static_cast<double>(base_) + played_;
    s.tapStart = tapStart;
    s.tapEnd = tapEpoch_ + played_;
    historyHead_ = (historyHead_ + 1) % kHistory;
    historyCount_ = std::min(historyCount_ + 1, kHistory);

    // What is audible: the frame handed over `latency` device frames ago.
    const uint64_t devEnd = deviceFrame + static_cast<uint64_t>(frames);
    const uint64_t lat = static_cast<uint64_t>(format.latencyFrames);
    Point heard{holdPos_, holdTap_, 0.0, 0.0};
    if (devEnd >= lat) {
        const uint64_t a = devEnd - lat;
        for (size_t k = 0; k < historyCount_; ++k) {
            const Segment& g = history_[(historyHead_ + kHistory - 1 - k) % kHistory];
            if (g.devStart <= a) {
                const double span = static_cast<double>(g.devEnd - g.devStart);
                const double t = span > 0 ? static_cast<double>(a - g.devStart) / span : 0.0;
                heard.pos = g.posStart + (g.posEnd - g.posStart) * t;
                heard.tap = g.tapStart + (g.tapEnd - g.tapStart) * t;
                // Until the next render the point moves on as the device plays this segment,
                // for no longer than what lies between it and the newest frame handed over.
                const double perDeviceFrame = span > 0 ? (g.posEnd - g.posStart) / span : 0.0;
                heard.framesPerSecond = perDeviceFrame * format.rate;
                heard.maxAhead =
                    perDeviceFrame *
                    static_cast<double>(std::min(lat, static_cast<uint64_t>(format.bufferFrames)));
                break;
            }
            if (k + 1 == historyCount_) {
                heard.pos = g.posStart; // older than what is kept: the earliest point known
                heard.tap = g.tapStart;
            }
        }
    }
    publish(heard);
    const double pos = heard.pos;

    if (drained_ && current && stateOf(w) == Playing && pos >= s.posEnd - 0.5) {
        // The end has been heard: the stream stops, at its length. Only against the request
        // seen above: a play or seek that came in meanwhile wins.
        uint64_t expected = w;
        ctl_.compare_exchange_strong(expected, pack(seqOf(w), Ended), std::memory_order_acq_rel);
    }
    return stateOf(w) == Playing;
}

} // namespace tarvo::engine
