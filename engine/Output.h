// Output: where mixed sound goes. Either SDL2's audio device or a silent device driven by our
// own real-time clock thread. Both call the render function from their audio thread with a
// buffer of float frames (interleaved, `channels` per frame) to fill.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace tarvo::engine {

/** Called on the audio thread: fill `frames` frames of `out`. Must not block. */
using RenderFn = void (*)(void* context, float* out, int frames);

class Output {
  public:
    virtual ~Output() = default;
    int rate() const { return rate_; }
    int channels() const { return channels_; }
    int bufferFrames() const { return bufferFrames_; }
    /** Device frames between handing a frame over and hearing it. */
    int latencyFrames() const { return latencyFrames_; }
    /** Starts calling back. */
    virtual void start() = 0;
    /** Stops calling back and lets the device go, so that nothing wakes while nothing plays.
     *  Not from the audio thread. */
    virtual void suspend() = 0;
    /** Takes the device again after suspend(), in the format it then offers (read it back
     *  before start()); false when it cannot be had. */
    virtual bool reopen() = 0;

    /** A silent device that consumes frames in real time on a clock thread of its own. */
    static std::unique_ptr<Output> openSilent(RenderFn fn, void* context, int rate);
    /**
     * SDL2's default output. Where it cannot be opened, `error` says why and, when
     * `dummyFallback`, SDL's "dummy" driver (silent, real time) is opened instead.
     */
    static std::unique_ptr<Output> openSdl(RenderFn fn, void* context, int rate, bool dummyFallback,
                                           std::string& error);

  protected:
    Output(RenderFn fn, void* context) : fn_(fn), context_(context) {}
    RenderFn fn_;
    void* context_;
    int rate_ = 44100;
    int channels_ = 2;
    int bufferFrames_ = 512;
    int latencyFrames_ = 512;
};

} // namespace tarvo::engine
