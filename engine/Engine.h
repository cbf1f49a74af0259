// Engine: the state behind the C entry points. Exactly one instance exists (the library's only
// global besides the handle of libbass-ffmpeg.so, FfmpegPlugin.cpp), reached through
// Engine::instance() from api.cpp.
//
// Threads and locks:
// - `lifecycle_` serialises BASS_Init and BASS_Free; `mutex_` guards the handle table and the
//   output. Neither is ever taken by the audio thread or held while a stream is destroyed.
// - The audio thread mixes the streams in `mixList_`, an immutable snapshot swapped in by API
//   threads (copy on write). After a swap the API thread waits until the audio thread is not
//   inside a render that may still hold the old snapshot (`renderSeq_` is odd while rendering),
//   and only then frees the old snapshot or a removed stream: the audio thread never waits.
// - While nothing plays the output is let go: after about a second of renders in which no
//   stream played, the audio thread signals `keeper_`, which suspends the output unless a play
//   came in since (`playEpoch_`); a play reopens it (wakeOutput). A paused player thus wakes
//   nothing, and on a real device the sound server is free to sleep.
#pragma once

#include "Decoder.h"
#include "Output.h"
#include "Stream.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <semaphore>
#include <thread>
#include <vector>

namespace tarvo::engine {

class Engine {
  public:
    static Engine& instance();
    ~Engine();

    /** device: -1 or 1 the default output, 0 silent; rate: output rate. Sets `error`. */
    bool init(int device, int rate, int& error);
    /** Frees every stream and closes the output. */
    void free();

    uint32_t createStream(const Source& source, int& error);
    bool freeStream(uint32_t handle, int& error);
    /** The stream behind a handle; null with BASS_ERROR_INIT or BASS_ERROR_HANDLE. */
    std::shared_ptr<Stream> find(uint32_t handle, int& error);
    /** After a stream was told to play: takes the output again if it was let go. */
    void wakeOutput();

  private:
    Engine();
    using MixList = std::vector<Stream*>;
    static void renderThunk(void* self, float* out, int frames);
    void render(float* out, int frames);
    /** Swaps in a new snapshot built from `streams_`; call with mutex_ held. */
    void publishMixListLocked();
    void waitForRenderExit();
    void keepOutput(); // the keeper thread
    void stopKeeper();
    /** Reads the output's format; call with mutex_ held, before the output starts. */
    void adoptFormatLocked();

    std::mutex lifecycle_;
    std::mutex mutex_;
    bool initialised_ = false;                            // guarded by mutex_
    std::unique_ptr<Output> output_;                      // guarded by mutex_
    std::map<uint32_t, std::shared_ptr<Stream>> streams_; // guarded by mutex_
    uint32_t nextHandle_ = 1;                             // guarded by mutex_
    bool toldNoDevice_ = false; // the "no sound device" line is printed once
    bool suspended_ = false;    // guarded by mutex_: the output has been let go

    std::thread keeper_;
    std::counting_semaphore<> idleSignal_{0};
    std::atomic<bool> keeperQuit_{false};
    std::atomic<uint64_t> playEpoch_{0}; // counts wakeOutput() calls
    std::atomic<uint64_t> idleEpoch_{0}; // playEpoch_ as the audio thread last saw it idle

    std::atomic<const MixList*> mixList_{nullptr};
    std::atomic<uint64_t> renderSeq_{0};
    MixFormat format_;             // written before the output starts
    uint64_t deviceFrames_ = 0;    // audio thread
    uint64_t streakEpoch_ = 0;     // audio thread: playEpoch_ during the current idle streak
    int idleRenders_ = 0;          // audio thread: renders in a row in which nothing played
    int idleRendersToSuspend_ = 1; // written before the output starts
};

} // namespace tarvo::engine
