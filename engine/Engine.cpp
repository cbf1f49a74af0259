#include "Engine.h"

#include "bass.h"

#include <algorithm>
#include <cstdio>
#include <thread>

namespace tarvo::engine {

Engine& Engine::instance() {
    static Engine engine;
    return engine;
}

Engine::Engine() = default;

Engine::~Engine() {
    free();
}

bool Engine::init(int device, int rate, int& error) {
    std::lock_guard life(lifecycle_);
    {
        std::lock_guard lock(mutex_);
        if (initialised_) {
            error = BASS_ERROR_ALREADY;
            return false;
        }
    }
    std::unique_ptr<Output> output;
    if (device == 0) {
        output = Output::openSilent(&Engine::renderThunk, this, rate);
    } else {
        std::string why;
        output = Output::openSdl(&Engine::renderThunk, this, rate, false, why);
        if (!output) {
            // No sound device: say so once, then play silently in real time.
            if (!toldNoDevice_) {
                std::fprintf(stderr, "libbass: no sound device (%s); playing silently\n",
                             why.empty() ? "unknown error" : why.c_str());
                toldNoDevice_ = true;
            }
            std::string again;
            output = Output::openSdl(&Engine::renderThunk, this, rate, true, again);
            if (!output) {
                output = Output::openSilent(&Engine::renderThunk, this, rate);
            }
        }
    }
    if (!output) {
        error = BASS_ERROR_DRIVER;
        return false;
    }
    while (idleSignal_.try_acquire()) {
        // left from before the last BASS_Free: the new keeper starts from nothing
    }
    deviceFrames_ = 0;
    streakEpoch_ = playEpoch_.load();
    idleRenders_ = 0;
    {
        std::lock_guard lock(mutex_);
        output_ = std::move(output);
        adoptFormatLocked();
        initialised_ = true;
        suspended_ = false;
        output_->start();
    }
    keeperQuit_.store(false);
    keeper_ = std::thread([this] { keepOutput(); });
    error = BASS_OK;
    return true;
}

void Engine::adoptFormatLocked() {
    format_.rate = output_->rate();
    format_.channels = output_->channels();
    format_.latencyFrames = output_->latencyFrames();
    format_.bufferFrames = output_->bufferFrames();
    // About a second of silence before the output is let go: long enough for the audible
    // position to settle on what was last played, short enough to be idle soon after a pause.
    idleRendersToSuspend_ = std::max(1, output_->rate() / std::max(1, output_->bufferFrames()));
}

void Engine::keepOutput() {
    for (;;) {
        idleSignal_.acquire();
        if (keeperQuit_.load()) {
            return;
        }
        std::lock_guard lock(mutex_);
        // Only if no play came in after the audio thread found everything idle.
        if (output_ && !suspended_ && idleEpoch_.load() == playEpoch_.load()) {
            output_->suspend();
            suspended_ = true;
        }
    }
}

void Engine::stopKeeper() {
    if (!keeper_.joinable()) {
        return;
    }
    keeperQuit_.store(true);
    idleSignal_.release();
    keeper_.join();
}

void Engine::wakeOutput() {
    std::lock_guard lock(mutex_);
    playEpoch_.fetch_add(1);
    if (!output_ || !suspended_) {
        return;
    }
    if (!output_->reopen()) {
        // The device went away while it was let go: keep time silently from here on.
        std::fprintf(stderr, "libbass: the sound device could not be opened again; "
                             "playing silently\n");
        output_ = Output::openSilent(&Engine::renderThunk, this, format_.rate);
    }
    adoptFormatLocked();
    suspended_ = false;
    output_->start();
}

void Engine::free() {
    std::lock_guard life(lifecycle_);
    stopKeeper(); // before the output goes: the keeper may be suspending it
    std::unique_ptr<Output> output;
    std::map<uint32_t, std::shared_ptr<Stream>> streams;
    const MixList* list = nullptr;
    {
        std::lock_guard lock(mutex_);
        initialised_ = false;
        output = std::move(output_);
        streams.swap(streams_);
        list = mixList_.exchange(nullptr);
    }
    output.reset(); // stops the audio thread: nothing renders from here on
    delete list;
    streams.clear(); // joins the decode threads (other holders may keep one a little longer)
}

uint32_t Engine::createStream(const Source& source, int& error) {
    {
        std::lock_guard lock(mutex_);
        if (!initialised_) {
            error = BASS_ERROR_INIT;
            return 0;
        }
    }
    // Opening reads the file: done outside the lock.
    std::unique_ptr<Decoder> decoder = openDecoder(source, error, streamDecoderChoice());
    if (!decoder) {
        return 0;
    }
    auto stream = std::make_shared<Stream>(std::move(decoder));
    std::lock_guard lock(mutex_);
    if (!initialised_) { // BASS_Free came in meanwhile
        error = BASS_ERROR_INIT;
        return 0;
    }
    uint32_t handle = nextHandle_;
    while (handle == 0 || streams_.count(handle) != 0) {
        ++handle;
    }
    nextHandle_ = handle + 1;
    streams_.emplace(handle, std::move(stream));
    publishMixListLocked();
    error = BASS_OK;
    return handle;
}

bool Engine::freeStream(uint32_t handle, int& error) {
    std::shared_ptr<Stream> stream;
    {
        std::lock_guard lock(mutex_);
        if (!initialised_) {
            error = BASS_ERROR_INIT;
            return false;
        }
        auto it = streams_.find(handle);
        if (it == streams_.end()) {
            error = BASS_ERROR_HANDLE;
            return false;
        }
        stream = std::move(it->second);
        streams_.erase(it);
        publishMixListLocked(); // returns once the audio thread no longer sees the stream
    }
    stream.reset(); // joins its decode thread, outside the lock
    error = BASS_OK;
    return true;
}

std::shared_ptr<Stream> Engine::find(uint32_t handle, int& error) {
    std::lock_guard lock(mutex_);
    if (!initialised_) {
        error = BASS_ERROR_INIT;
        return nullptr;
    }
    auto it = streams_.find(handle);
    if (it == streams_.end()) {
        error = BASS_ERROR_HANDLE;
        return nullptr;
    }
    error = BASS_OK;
    return it->second;
}

void Engine::publishMixListLocked() {
    auto* list = new MixList();
    list->reserve(streams_.size());
    for (const auto& [handle, stream] : streams_) {
        list->push_back(stream.get());
    }
    const MixList* old = mixList_.exchange(list);
    waitForRenderExit();
    delete old;
}

void Engine::waitForRenderExit() {
    // Dekker-style handshake with render(): both sides use sequentially consistent operations,
    // so either the render that is running loaded the new list, or we see it running here.
    const uint64_t seq = renderSeq_.load();
    if ((seq & 1u) == 0) {
        return;
    }
    while (renderSeq_.load() == seq) {
        std::this_thread::yield();
    }
}

void Engine::renderThunk(void* self, float* out, int frames) {
    static_cast<Engine*>(self)->render(out, frames);
}

void Engine::render(float* out, int frames) {
    renderSeq_.fetch_add(1); // odd: inside
    const MixList* list = mixList_.load();
    const size_t samples = static_cast<size_t>(frames) * static_cast<size_t>(format_.channels);
    std::fill(out, out + samples, 0.0f);
    // A play moves the epoch under mutex_ after its stream shows Playing, and the keeper
    // compares epochs under the same mutex: either it sees the move and keeps the output, or it
    // lets the output go first and the play takes it again.
    const uint64_t epoch = playEpoch_.load();
    bool playing = false;
    if (list) {
        for (Stream* stream : *list) {
            playing |= stream->render(out, frames, format_, deviceFrames_);
        }
    }
    if (playing || epoch != streakEpoch_) {
        streakEpoch_ = epoch;
        idleRenders_ = 0;
    }
    if (!playing && idleRenders_ < idleRendersToSuspend_ &&
        ++idleRenders_ == idleRendersToSuspend_) {
        idleEpoch_.store(epoch);
        idleSignal_.release(); // wakes the keeper without a lock
    }
    for (size_t i = 0; i < samples; ++i) {
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }
    deviceFrames_ += static_cast<uint64_t>(frames);
    renderSeq_.fetch_add(1); // even: outside
}

} // namespace tarvo::engine
