// Stream: one decoded file being played.
//
// Threads (the contract):
// - API threads (any number) call the control functions: play, pause, stop, setPosition,
//   attributes, position, getData. They take `ctlMutex_` only to hand requests to the decode
//   thread; everything the audio thread reads is an atomic.
// - The decode thread (one per stream) owns the Decoder. It fills `ring_` with 16-bit samples and
//   tells the audio thread about seeks and the end through `markers_`, tagged with the ring
//   index where they take effect.
// - The audio thread (the output's callback) calls render(). It never blocks, locks, allocates
//   or logs: it reads the ring and the markers, mixes into the device buffer, keeps the timeline
//   from which the audible position is computed, and copies what it plays (after the volume)
//   into `tap_`, from which getData reads without a lock.
//
// Control word: `ctl_` packs a seek sequence number with the transport state, so that the audio
// thread's "reached the end" can only take effect against the exact request it saw. Every seek
// (setPosition, restart) bumps the sequence; the audio thread plays only once it has applied the
// decode thread's marker for the current sequence, so stale audio is never heard after a seek.
//
// The audible point is published once per render, with the wall-clock time and the rate at
// which it moves; readers carry it forward by the time since (at most one device buffer), so
// positions and the spectrum move smoothly between renders however long the buffers are.
#pragma once

#include "Decoder.h"
#include "SpscRing.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tarvo::engine {

class Spectrum;

/** The output format render() writes. */
struct MixFormat {
    int rate = 44100;
    int channels = 2;
    int latencyFrames = 512; // device frames from handing a frame over to hearing it
    int bufferFrames = 512;  // device frames per render, at most
};

class Stream {
  public:
    enum State : uint32_t { Stopped = 0, Playing = 1, Paused = 2, Ended = 3 };

    /** Takes over an opened decoder and starts the decode thread. */
    explicit Stream(std::unique_ptr<Decoder> decoder);
    ~Stream(); // stops and joins the decode thread
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    int sampleRate() const { return rate_; }
    int channels() const { return channels_; }
    int64_t lengthFrames() const { return length_; }

    // --- API threads ---
    void play(bool restart);
    bool pause(); // false when not playing
    void stop();
    void setPosition(int64_t frame);
    int64_t positionFrames() const;
    /** BASS_ACTIVE_* */
    uint32_t activity() const;
    void setVolume(int volume);
    void setPan(int pan) { pan_.store(pan, std::memory_order_relaxed); }
    void setFrequency(int freq) { freq_.store(freq, std::memory_order_relaxed); }
    int volume() const { return volume_.load(std::memory_order_relaxed); }
    int pan() const { return pan_.load(std::memory_order_relaxed); }
    int frequency() const { return freq_.load(std::memory_order_relaxed); }
    /** Up to `frames` frames of 16-bit samples ending at the audible position; frames copied. */
    size_t readAudible(int16_t* out, size_t frames) const;
    /** The most frames readAudible() gives. */
    size_t maxReadable() const { return tapFrames_ / 2; }
    /** size (512 or 1024) samples ending at the audible position, channels averaged. */
    bool spectrum(int size, float* magnitudes);

    // --- audio thread ---
    /** Adds this stream's next `frames` device frames to `mix`; `deviceFrame` counts frames
     *  the device has been given before this call. True while the stream is playing (its
     *  end included, until it has been heard). */
    bool render(float* mix, int frames, const MixFormat& format, uint64_t deviceFrame);

  private:
    struct Marker {
        enum Kind : uint32_t { Seek, End } kind = Seek;
        uint32_t seq = 0;
        uint64_t ringIndex = 0; // samples before this index belong to what came before
        int64_t base = 0;       // Seek: stream frame of the sample at ringIndex
    };
    struct Segment { // one render call of the timeline
        uint64_t devStart, devEnd;
        double posStart, posEnd; // stream frames (absolute)
        double tapStart, tapEnd; // tap frames
    };
    static constexpr size_t kHistory = 32;
    static constexpr size_t kBlockFrames = 256;
    static constexpr size_t kMaxChannels = 8;

    static uint64_t pack(uint32_t seq, State s) { return (uint64_t{seq} << 8) | s; }
    static uint32_t seqOf(uint64_t w) { return static_cast<uint32_t>(w >> 8); }
    static State stateOf(uint64_t w) { return static_cast<State>(w & 0xff); }

    void requestSeekLocked(int64_t frame, State newState);
    void freezePosition(); // under ctlMutex_, before the state leaves Playing
    struct Published {
        double pos = 0; // stream frames
        double tap = 0; // tap frames
        uint32_t applied = 0;
    };
    struct Point { // what the audio thread publishes
        double pos = 0, tap = 0;
        double framesPerSecond = 0; // how fast both move on after publishing
        double maxAhead = 0;        // stream frames they may be carried forward
    };
    Published readPublished() const;
    // The point a resting stream reports: true, with `at` filled, while it is frozen.
    bool frozen(uint64_t ctl, Published& at) const;
    int64_t audiblePosition(uint64_t ctl, const Published& p) const;
    void decodeLoop();
    bool pushMarker(const Marker& m);

    // audio thread helpers
    void applyMarkers();
    bool popFrame(float* frame); // false: nothing available now
    void publish(const Point& p);
    void resetTimeline(double holdPos, double holdTap);

    // fixed at construction
    int rate_ = 0;
    int channels_ = 0;
    int64_t length_ = 0;
    std::unique_ptr<Decoder> decoder_; // decode thread only

    // control (API threads)
    mutable std::mutex ctlMutex_;
    std::condition_variable wake_;
    bool quit_ = false;          // guarded by ctlMutex_
    uint32_t plays_ = 0;         // guarded by ctlMutex_; counts play() calls
    uint32_t requestedSeq_ = 0;  // guarded by ctlMutex_
    int64_t requestedFrame_ = 0; // guarded by ctlMutex_
    std::atomic<bool> seekPending_{false};
    std::atomic<uint64_t> ctl_{pack(0, Stopped)};
    std::atomic<int64_t> pendingTarget_{0};
    // Audible position when the stream was paused or stopped; -1 while playing, after a seek
    // and before the first rest.
    std::atomic<int64_t> frozenPos_{-1};
    std::atomic<double> frozenTap_{0.0};
    std::atomic<int> volume_{100};
    std::atomic<int> pan_{0};
    std::atomic<int> freq_{0};
    std::atomic<bool> stalled_{false};

    // decode thread -> audio thread
    SpscRing ring_;
    SpscQueue<Marker, 64> markers_;
    size_t fillTarget_ = 0; // samples the decode thread keeps queued

    // audio thread -> readers: the tap of played samples and the published audible point
    size_t tapFrames_ = 0;
    std::unique_ptr<std::atomic<int16_t>[]> tap_;
    std::atomic<uint64_t> tapWrite_{0}; // frames written
    std::atomic<uint32_t> pubSeq_{0};   // seqlock over the six below
    std::atomic<double> pubPos_{0.0};
    std::atomic<double> pubTap_{0.0};
    std::atomic<double> pubRate_{0.0};     // stream frames per second
    std::atomic<double> pubMaxAhead_{0.0}; // stream frames
    std::atomic<int64_t> pubTime_{0};      // steady clock, ns
    std::atomic<uint32_t> pubApplied_{0};

    // audio thread only
    uint32_t appliedSeq_ = 0;
    int64_t base_ = 0;               // stream frame where the current epoch starts
    uint64_t endIndex_ = UINT64_MAX; // ring index of the end, once known
    double played_ = 0.0;            // stream frames played in this epoch
    double tapEpoch_ = 0.0;          // tap frame where this epoch starts
    bool primed_ = false;            // cur_/next_ hold frames
    bool drained_ = false;           // the end has been played out of the ring
    double frac_ = 0.0;
    float cur_[kMaxChannels] = {};
    float next_[kMaxChannels] = {};
    float gain_ = 1.0f;
    float fadeIn_ = 0.0f; // output-side fade after silence (declick)
    float tail_[2] = {};  // last output frame (after pan), for the die-away
    int16_t block_[kBlockFrames * kMaxChannels] = {};
    size_t blockLen_ = 0, blockPos_ = 0; // frames
    Segment history_[kHistory] = {};
    size_t historyCount_ = 0, historyHead_ = 0;
    double holdPos_ = 0.0, holdTap_ = 0.0;

    // spectrum (API threads, under its own mutex)
    std::mutex fftMutex_;
    std::unique_ptr<Spectrum> fft512_, fft1024_;
    std::vector<int16_t> fftSamples_;
    std::vector<float> fftMono_;

    std::thread thread_; // last: starts after everything above exists
};

} // namespace tarvo::engine
