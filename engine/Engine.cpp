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

Engine::Engine() {
    quietFfmpegLog();
}

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
    format_.rate = output->rate();
    format_.channels = output->channels();
    format_.latencyFrames = output->latencyFrames();
    deviceFrames_ = 0;
    {
        std::lock_guard lock(mutex_);
        output_ = std::move(output);
        initialised_ = true;
        output_->start();
    }
    error = BASS_OK;
    return true;
}

void Engine::free() {
    std::lock_guard life(lifecycle_);
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
    std::unique_ptr<Decoder> decoder = Decoder::open(source, error);
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
    if (list) {
        for (Stream* stream : *list) {
            stream->render(out, frames, format_, deviceFrames_);
        }
    }
    for (size_t i = 0; i < samples; ++i) {
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }
    deviceFrames_ += static_cast<uint64_t>(frames);
    renderSeq_.fetch_add(1); // even: outside
}

} // namespace tarvo::engine
