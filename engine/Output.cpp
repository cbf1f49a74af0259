#include "Output.h"

#include <SDL.h>
#include <dlfcn.h>

#include <chrono>
#include <vector>

namespace tarvo::engine {

namespace {

/**
 * While alive, alsa-lib's own error printing is switched off. Without a sound card, SDL's
 * attempt to open ALSA makes alsa-lib print a dozen lines to standard error; the engine says
 * "no sound device" once instead. libasound is looked up at run time (SDL loads it the same
 * way), so nothing new is linked and nothing happens where it is missing.
 */
class QuietAlsa {
  public:
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    QuietAlsa() {
        lib_ = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (lib_) {
            set_ = reinterpret_cast<int (*)(Handler)>(dlsym(lib_, "snd_lib_error_set_handler"));
        }
        if (set_) {
            set_(&QuietAlsa::ignore);
        }
    }
    ~QuietAlsa() {
        if (set_) {
            set_(nullptr); // alsa-lib's default handler again
        }
        if (lib_) {
            dlclose(lib_);
        }
    }
    QuietAlsa(const QuietAlsa&) = delete;
    QuietAlsa& operator=(const QuietAlsa&) = delete;

  private:
    static void ignore(const char*, int, const char*, int, const char*, ...) {}
    void* lib_ = nullptr;
    int (*set_)(Handler) = nullptr;
};

/**
 * The silent device: a thread that renders one buffer per buffer-duration against absolute
 * deadlines, so positions advance in real time without drift.
 */
class SilentOutput final : public Output {
  public:
    SilentOutput(RenderFn fn, void* context, int rate) : Output(fn, context) {
        rate_ = rate;
        channels_ = 2;
        bufferFrames_ = 512;
        latencyFrames_ = bufferFrames_;
    }
    ~SilentOutput() override { suspend(); }
    void start() override {
        if (!thread_.joinable()) {
            quit_.store(false);
            thread_ = std::thread([this] { run(); });
        }
    }
    void suspend() override {
        quit_.store(true);
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    bool reopen() override { return true; } // the clock restarts with start()

  private:
    void run() {
        using Clock = std::chrono::steady_clock;
        std::vector<float> buffer(static_cast<size_t>(bufferFrames_) * channels_);
        auto begin = Clock::now();
        int64_t frames = 0;
        while (!quit_.load(std::memory_order_relaxed)) {
            fn_(context_, buffer.data(), bufferFrames_);
            frames += bufferFrames_;
            const auto due = begin + std::chrono::nanoseconds(frames * 1000000000LL / rate_);
            const auto now = Clock::now();
            if (now - due > std::chrono::seconds(2)) {
                // Far behind (the machine was suspended): start counting afresh instead of
                // rushing through the backlog. Shorter delays are caught up, so positions keep
                // to the clock on a busy machine.
                begin = now;
                frames = 0;
                continue;
            }
            std::this_thread::sleep_until(due);
        }
    }

    std::atomic<bool> quit_{false};
    std::thread thread_;
};

/**
 * Frames per SDL buffer: about 93 ms (4096 at 44.1 kHz). SDL's PulseAudio backend asks the
 * server for a latency of one buffer, and the server's work grows as that latency shrinks:
 * playing one stream into a null sink took PulseAudio about 4 % of a core with 512 frames,
 * 1.3 % with 2048, 0.9 % with 4096, 0.6 % with 8192. What the device holds is heard before a
 * seek, a pause or a volume change takes effect, and SDL cannot drop it (closing a device
 * waits for the server's next request; a new device starts with a buffer of silence), so the
 * buffer stays at a length where controls still answer within about an eighth of a second.
 */
int steadyBufferFrames(int rate) {
    int frames = 256;
    while (frames < 16384 && frames * 2 * 10 <= rate) { // the largest power of two <= rate / 10
        frames *= 2;
    }
    return frames;
}

/**
 * Device frames from handing a frame over to hearing it, right after the device took a full
 * buffer. SDL's dummy driver consumes each buffer as it is handed over. Through PulseAudio the
 * server holds up to one buffer plus the half buffer it asks for next (measured with
 * `pactl list sink-inputs`: 0.83 buffers on average, so 1.33 just after a write). Other drivers
 * hold about two buffers between the callback and the speaker.
 */
int latencyFor(const char* driver, int bufferFrames) {
    if (SDL_strcmp(driver, "dummy") == 0) {
        return bufferFrames;
    }
    if (SDL_strcmp(driver, "pulseaudio") == 0) {
        return bufferFrames * 4 / 3;
    }
    return 2 * bufferFrames;
}

class SdlOutput final : public Output {
  public:
    SdlOutput(RenderFn fn, void* context) : Output(fn, context) {}
    ~SdlOutput() override {
        if (device_ != 0) {
            SDL_CloseAudioDevice(device_); // waits for a running callback to return
        }
        QuietAlsa quiet;
        if (initialised_) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        } else if (directInit_) {
            SDL_AudioQuit();
        }
    }

    bool open(int rate, bool dummyFallback, std::string& error) {
        requestedRate_ = rate;
        QuietAlsa quiet;
        // SDL's audio brings its event subsystem, which would take SIGINT and SIGTERM from
        // the program the engine lives in: the program decides what those signals do.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            error = SDL_GetError();
            if (!dummyFallback) {
                return false;
            }
            // No audio driver at all: the dummy one still keeps time.
            if (SDL_AudioInit("dummy") != 0) {
                return false;
            }
            directInit_ = true;
        } else {
            initialised_ = true;
        }
        if (openDevice(rate)) {
            return true;
        }
        if (error.empty()) {
            error = SDL_GetError();
        }
        if (!dummyFallback) {
            return false;
        }
        // SDL does not fall back by itself: restart its audio part on the dummy driver.
        SDL_AudioQuit();
        if (SDL_AudioInit("dummy") != 0) {
            return false;
        }
        return openDevice(rate);
    }

    void start() override { SDL_PauseAudioDevice(device_, 0); }
    void suspend() override {
        if (device_ != 0) {
            SDL_CloseAudioDevice(device_); // waits for a running callback to return
            device_ = 0;
        }
    }
    bool reopen() override {
        if (device_ != 0) {
            return true;
        }
        QuietAlsa quiet;
        return openDevice(requestedRate_); // opened paused: start() lets it call back
    }

  private:
    static void callback(void* self, Uint8* stream, int bytes) {
        auto* out = static_cast<SdlOutput*>(self);
        const int frames = bytes / static_cast<int>(sizeof(float)) / out->channels_;
        out->fn_(out->context_, reinterpret_cast<float*>(stream), frames);
    }

    bool openDevice(int rate) {
        SDL_AudioSpec want{};
        SDL_AudioSpec have{};
        want.freq = rate;
        want.format = AUDIO_F32SYS; // SDL converts if the device wants another format
        want.channels = 2;
        want.samples = steadyBufferFrames(rate);
        want.callback = &SdlOutput::callback;
        want.userdata = this;
        device_ =
            SDL_OpenAudioDevice(nullptr, 0, &want, &have,
                                SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE |
                                    SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
        if (device_ == 0) {
            return false;
        }
        rate_ = have.freq;
        channels_ = have.channels;
        bufferFrames_ = have.samples;
        const char* driver = SDL_GetCurrentAudioDriver();
        latencyFrames_ = latencyFor(driver ? driver : "", bufferFrames_);
        return true;
    }

    SDL_AudioDeviceID device_ = 0;
    int requestedRate_ = 44100;
    bool initialised_ = false; // through SDL_InitSubSystem
    bool directInit_ = false;  // through SDL_AudioInit (no driver worked)
};

} // namespace

std::unique_ptr<Output> Output::openSilent(RenderFn fn, void* context, int rate) {
    return std::make_unique<SilentOutput>(fn, context, rate);
}

std::unique_ptr<Output> Output::openSdl(RenderFn fn, void* context, int rate, bool dummyFallback,
                                        std::string& error) {
    auto out = std::make_unique<SdlOutput>(fn, context);
    if (!out->open(rate, dummyFallback, error)) {
        return nullptr;
    }
    return out;
}

} // namespace tarvo::engine
