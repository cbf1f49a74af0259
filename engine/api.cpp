// The C entry points of libbass.so. Each one validates its arguments first, records a specific
// error code for the calling thread, and lets no C++ exception out (an exception, e.g. out of
// memory, becomes BASS_ERROR_MEM or BASS_ERROR_UNKNOWN).
#include "bass.h"

#include "Engine.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#define BASS_API extern "C" __attribute__((visibility("default")))

using tarvo::engine::Engine;
using tarvo::engine::Source;
using tarvo::engine::Stream;

namespace {

/** The calling thread's last error: per thread by the interface's definition. */
int& lastError() {
    thread_local int code = BASS_OK;
    return code;
}

template <typename T> T fail(int code, T result) {
    lastError() = code;
    return result;
}

/** Runs `body`, turning any exception into an error code and `onError`. */
template <typename T, typename F> T guarded(T onError, F&& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return fail(BASS_ERROR_MEM, onError);
    } catch (...) {
        return fail(BASS_ERROR_UNKNOWN, onError);
    }
}

/** The stream behind `handle`, or null with the error recorded. */
std::shared_ptr<Stream> streamFor(DWORD handle) {
    int error = BASS_OK;
    auto stream = Engine::instance().find(handle, error);
    lastError() = error;
    return stream;
}

QWORD frameBytes(const Stream& s) {
    return static_cast<QWORD>(s.channels()) * 2;
}

constexpr QWORD kBadQword = static_cast<QWORD>(-1);
constexpr DWORD kBadDword = static_cast<DWORD>(-1);

} // namespace

BASS_API DWORD BASS_GetVersion(void) {
    lastError() = BASS_OK;
    return BASS_VERSION;
}

BASS_API BOOL BASS_Init(int device, DWORD freq, DWORD /*flags*/, void* /*win*/,
                        const void* /*clsid*/) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        if (device < -1 || device > 1) {
            return fail(BASS_ERROR_DEVICE, FALSE);
        }
        if (freq != 0 && (freq < 8000 || freq > 192000)) {
            return fail(BASS_ERROR_ILLPARAM, FALSE);
        }
        int error = BASS_OK;
        const bool ok =
            Engine::instance().init(device, freq == 0 ? 44100 : static_cast<int>(freq), error);
        lastError() = error;
        return ok ? TRUE : FALSE;
    });
}

BASS_API BOOL BASS_Free(void) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        Engine::instance().free();
        lastError() = BASS_OK;
        return TRUE;
    });
}

BASS_API HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length,
                                       DWORD /*flags*/) {
    return guarded<HSTREAM>(0, [&]() -> HSTREAM {
        if (!file) {
            return fail(BASS_ERROR_ILLPARAM, HSTREAM{0});
        }
        Source source;
        source.inMemory = mem != FALSE;
        source.offset = offset;
        source.length = length;
        if (source.inMemory) {
            if (length == 0) {
                return fail(BASS_ERROR_ILLPARAM, HSTREAM{0});
            }
            source.data = static_cast<const uint8_t*>(file);
        } else {
            source.path = static_cast<const char*>(file);
            if (source.path.empty()) {
                return fail(BASS_ERROR_FILEOPEN, HSTREAM{0});
            }
        }
        int error = BASS_OK;
        const HSTREAM handle = Engine::instance().createStream(source, error);
        lastError() = error;
        return handle;
    });
}

BASS_API BOOL BASS_StreamFree(HSTREAM handle) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        int error = BASS_OK;
        const bool ok = Engine::instance().freeStream(handle, error);
        lastError() = error;
        return ok ? TRUE : FALSE;
    });
}

BASS_API BOOL BASS_ChannelPlay(DWORD handle, BOOL restart) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto s = streamFor(handle);
        if (!s) {
            return FALSE;
        }
        s->play(restart != FALSE);
        Engine::instance().wakeOutput();
        return TRUE;
    });
}

BASS_API BOOL BASS_ChannelPause(DWORD handle) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto s = streamFor(handle);
        if (!s) {
            return FALSE;
        }
        if (!s->pause()) {
            return fail(BASS_ERROR_NOPAUSE, FALSE);
        }
        return TRUE;
    });
}

BASS_API BOOL BASS_ChannelStop(DWORD handle) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto s = streamFor(handle);
        if (!s) {
            return FALSE;
        }
        s->stop();
        return TRUE;
    });
}

BASS_API QWORD BASS_ChannelGetLength(DWORD handle) {
    return guarded<QWORD>(kBadQword, [&]() -> QWORD {
        auto s = streamFor(handle);
        if (!s) {
            return kBadQword;
        }
        return static_cast<QWORD>(s->lengthFrames()) * frameBytes(*s);
    });
}

BASS_API QWORD BASS_ChannelGetPosition(DWORD handle) {
    return guarded<QWORD>(kBadQword, [&]() -> QWORD {
        auto s = streamFor(handle);
        if (!s) {
            return kBadQword;
        }
        return static_cast<QWORD>(s->positionFrames()) * frameBytes(*s);
    });
}

BASS_API BOOL BASS_ChannelSetPosition(DWORD handle, QWORD pos) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto s = streamFor(handle);
        if (!s) {
            return FALSE;
        }
        const QWORD frame = pos / frameBytes(*s);
        if (frame > static_cast<QWORD>(s->lengthFrames())) {
            return fail(BASS_ERROR_POSITION, FALSE);
        }
        s->setPosition(static_cast<int64_t>(frame));
        return TRUE;
    });
}

BASS_API BOOL BASS_ChannelSetAttributes(DWORD handle, int freq, int volume, int pan) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto s = streamFor(handle);
        if (!s) {
            return FALSE;
        }
        // All three are checked before any is applied.
        if ((freq != 0 && (freq < 100 || freq > 100000)) ||
            (volume != -1 && (volume < 0 || volume > 100)) ||
            (pan != -101 && (pan < -100 || pan > 100))) {
            return fail(BASS_ERROR_ILLPARAM, FALSE);
        }
        if (freq != 0) {
            s->setFrequency(freq);
        }
        if (volume != -1) {
            s->setVolume(volume);
        }
        if (pan != -101) {
            s->setPan(pan);
        }
        return TRUE;
    });
}

BASS_API BOOL BASS_ChannelGetAttributes(DWORD handle, DWORD* freq, DWORD* volume, int* pan) {
    return guarded<BOOL>(FALSE, [&]() -> BOOL {
        auto s = streamFor(handle);
        if (!s) {
            return FALSE;
        }
        if (freq) {
            *freq = static_cast<DWORD>(s->frequency());
        }
        if (volume) {
            *volume = static_cast<DWORD>(s->volume());
        }
        if (pan) {
            *pan = s->pan();
        }
        return TRUE;
    });
}

BASS_API DWORD BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length) {
    return guarded<DWORD>(kBadDword, [&]() -> DWORD {
        auto s = streamFor(handle);
        if (!s) {
            return kBadDword;
        }
        if (length == BASS_DATA_FFT1024 || length == BASS_DATA_FFT512) {
            if (!buffer) {
                return fail(BASS_ERROR_ILLPARAM, kBadDword);
            }
            const int size = length == BASS_DATA_FFT1024 ? 1024 : 512;
            if (!s->spectrum(size, static_cast<float*>(buffer))) {
                return fail(BASS_ERROR_NOTAVAIL, kBadDword);
            }
            return static_cast<DWORD>(size / 2 * sizeof(float));
        }
        if (length & 0xC0000000u) {
            return fail(BASS_ERROR_ILLPARAM, kBadDword); // another FFT size or a float request
        }
        const QWORD perFrame = frameBytes(*s);
        if (length == BASS_DATA_AVAILABLE) {
            return static_cast<DWORD>(s->maxReadable() * perFrame);
        }
        if (!buffer) {
            return fail(BASS_ERROR_ILLPARAM, kBadDword);
        }
        const size_t frames = s->readAudible(static_cast<int16_t*>(buffer), length / perFrame);
        return static_cast<DWORD>(frames * perFrame);
    });
}

BASS_API DWORD BASS_ChannelIsActive(DWORD handle) {
    return guarded<DWORD>(BASS_ACTIVE_STOPPED, [&]() -> DWORD {
        auto s = streamFor(handle);
        if (!s) {
            return BASS_ACTIVE_STOPPED;
        }
        return s->activity();
    });
}

BASS_API double BASS_ChannelBytes2Seconds(DWORD handle, QWORD pos) {
    return guarded<double>(-1.0, [&]() -> double {
        auto s = streamFor(handle);
        if (!s) {
            return -1.0;
        }
        return static_cast<double>(pos) /
               static_cast<double>(frameBytes(*s) * static_cast<QWORD>(s->sampleRate()));
    });
}

BASS_API int BASS_ErrorGetCode(void) {
    return lastError();
}
