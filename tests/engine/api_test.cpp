// The C interface itself: version, initialisation, handles and arguments, exports.
#include "EngineTestSupport.h"

#include <dlfcn.h>

#include <csignal>
#include <cstdlib>

using namespace tarvo::enginetest;

TEST(EngineApi, VersionIs2_2) {
    EXPECT_EQ(BASS_GetVersion(), 0x00020002u);
}

TEST(EngineApi, CallsBeforeInitFailCleanly) {
    BASS_Free(); // not initialised: still fine
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, fixture("sine440-44k1-stereo-s16.wav").c_str(), 0, 0, 0),
              0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_FALSE(BASS_ChannelPlay(1, TRUE));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_EQ(BASS_ChannelGetPosition(1), static_cast<QWORD>(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    float fft[512];
    EXPECT_EQ(BASS_ChannelGetData(1, fft, BASS_DATA_FFT1024), static_cast<DWORD>(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_FALSE(BASS_StreamFree(1));
    EXPECT_EQ(BASS_ChannelIsActive(1), static_cast<DWORD>(BASS_ACTIVE_STOPPED));
}

TEST(EngineApi, InitTwiceFailsWithAlready) {
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
    EXPECT_FALSE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    EXPECT_FALSE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    EXPECT_TRUE(BASS_Free());
    EXPECT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr)); // again after a free
    EXPECT_TRUE(BASS_Free());
    EXPECT_TRUE(BASS_Free());
}

TEST(EngineApi, InitRejectsUnknownDeviceAndRate) {
    EXPECT_FALSE(BASS_Init(7, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    EXPECT_FALSE(BASS_Init(-2, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    EXPECT_FALSE(BASS_Init(0, 12, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
}

TEST(EngineApi, ErrorCodeIsPerThread) {
    EXPECT_FALSE(BASS_Init(7, 44100, 0, nullptr, nullptr));
    int other = -100;
    std::thread([&] {
        BASS_GetVersion();
        other = BASS_ErrorGetCode();
    }).join();
    EXPECT_EQ(other, BASS_OK);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
}

class EngineHandles : public EngineTest {};

TEST_F(EngineHandles, EveryEntryRejectsBadHandles) {
    for (DWORD h : {0u, 12345u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(BASS_StreamFree(h));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_FALSE(BASS_ChannelPlay(h, FALSE));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_FALSE(BASS_ChannelPause(h));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_FALSE(BASS_ChannelStop(h));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_EQ(BASS_ChannelGetLength(h), static_cast<QWORD>(-1));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_EQ(BASS_ChannelGetPosition(h), static_cast<QWORD>(-1));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_FALSE(BASS_ChannelSetPosition(h, 0));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_FALSE(BASS_ChannelSetAttributes(h, 0, 50, 0));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        DWORD f, v;
        int p;
        EXPECT_FALSE(BASS_ChannelGetAttributes(h, &f, &v, &p));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        float fft[512];
        EXPECT_EQ(BASS_ChannelGetData(h, fft, BASS_DATA_FFT1024), static_cast<DWORD>(-1));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_EQ(BASS_ChannelIsActive(h), static_cast<DWORD>(BASS_ACTIVE_STOPPED));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        EXPECT_LT(BASS_ChannelBytes2Seconds(h, 100), 0.0);
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    }
}

TEST_F(EngineHandles, FreedHandleIsInvalidAndHandlesAreNotReusedAtOnce) {
    const HSTREAM a = open("sine440-44k1-stereo-s16.wav");
    ASSERT_NE(a, 0u);
    EXPECT_TRUE(BASS_StreamFree(a));
    EXPECT_FALSE(BASS_StreamFree(a));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    const HSTREAM b = open("sine440-44k1-stereo-s16.wav");
    ASSERT_NE(b, 0u);
    EXPECT_NE(a, b);
    EXPECT_FALSE(BASS_ChannelPlay(a, TRUE));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

TEST_F(EngineHandles, BassFreeInvalidatesStreams) {
    const HSTREAM a = open("sine440-44k1-stereo-s16.wav");
    ASSERT_NE(a, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(a, TRUE));
    BASS_Free();
    EXPECT_FALSE(BASS_ChannelPlay(a, FALSE));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    EXPECT_FALSE(BASS_ChannelPlay(a, FALSE));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

TEST_F(EngineHandles, ArgumentsAreChecked) {
    const HSTREAM s = open("sine440-44k1-stereo-s16.wav");
    ASSERT_NE(s, 0u);
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, nullptr, 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    EXPECT_EQ(BASS_StreamCreateFile(TRUE, "abc", 0, 0, 0), 0u); // memory needs a length
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);

    EXPECT_FALSE(BASS_ChannelSetAttributes(s, 0, 101, 0));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    EXPECT_FALSE(BASS_ChannelSetAttributes(s, 0, 50, 200));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    EXPECT_FALSE(BASS_ChannelSetAttributes(s, 50, 50, 0));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    DWORD vol = 0;
    ASSERT_TRUE(BASS_ChannelGetAttributes(s, nullptr, &vol, nullptr));
    EXPECT_EQ(vol, 100u) << "a refused call changes nothing";

    EXPECT_TRUE(BASS_ChannelSetAttributes(s, 0, 37, -101));
    DWORD freq = 0;
    int pan = 5;
    ASSERT_TRUE(BASS_ChannelGetAttributes(s, &freq, &vol, &pan));
    EXPECT_EQ(freq, 44100u);
    EXPECT_EQ(vol, 37u);
    EXPECT_EQ(pan, 0);
    EXPECT_TRUE(BASS_ChannelSetAttributes(s, 22050, -1, -40));
    ASSERT_TRUE(BASS_ChannelGetAttributes(s, &freq, &vol, &pan));
    EXPECT_EQ(freq, 22050u);
    EXPECT_EQ(vol, 37u);
    EXPECT_EQ(pan, -40);

    const QWORD length = BASS_ChannelGetLength(s);
    EXPECT_FALSE(BASS_ChannelSetPosition(s, length + 4));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_POSITION);
    EXPECT_TRUE(BASS_ChannelSetPosition(s, length));

    EXPECT_EQ(BASS_ChannelGetData(s, nullptr, BASS_DATA_FFT1024), static_cast<DWORD>(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
    float buf[512];
    EXPECT_EQ(BASS_ChannelGetData(s, buf, 0x80000003u), static_cast<DWORD>(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);

    EXPECT_FALSE(BASS_ChannelPause(s)); // not playing
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOPAUSE);
    EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(s, 176400), 1.0);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_OK);
}

TEST(EngineLibrary, ExportsExactlyTheEntryPointsByName) {
    // The player resolves the entry points by name at run time, as here.
    void* lib = dlopen(TARVO_LIBBASS_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    for (const char* name :
         {"BASS_GetVersion", "BASS_Init", "BASS_Free", "BASS_StreamCreateFile", "BASS_StreamFree",
          "BASS_ChannelPlay", "BASS_ChannelPause", "BASS_ChannelStop", "BASS_ChannelGetLength",
          "BASS_ChannelGetPosition", "BASS_ChannelSetPosition", "BASS_ChannelSetAttributes",
          "BASS_ChannelGetAttributes", "BASS_ChannelGetData", "BASS_ChannelIsActive",
          "BASS_ChannelBytes2Seconds", "BASS_ErrorGetCode"}) {
        EXPECT_NE(dlsym(lib, name), nullptr) << name;
    }
    // Nothing of the inside is visible.
    EXPECT_EQ(dlsym(lib, "_ZN5tarvo6engine6Engine8instanceEv"), nullptr);
    EXPECT_EQ(dlsym(lib, "avformat_open_input"), dlsym(RTLD_DEFAULT, "avformat_open_input"));
    const auto nm = runCommand(std::string("nm -D --defined-only ") + TARVO_LIBBASS_PATH +
                               " | awk '{print $3}' | grep -v '^BASS_' | grep -v '^$' | wc -l");
    EXPECT_EQ(std::string(nm.begin(), nm.end()), "0\n") << "only BASS_* symbols are exported";
    dlclose(lib);
}

TEST(EngineDevices, DefaultOutputPlaysThroughSdl) {
    // The test environment sets SDL_AUDIODRIVER=dummy: SDL's silent driver, in real time.
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr)) << BASS_ErrorGetCode();
    const HSTREAM s =
        BASS_StreamCreateFile(FALSE, fixture("sine440-44k1-stereo-s16.wav").c_str(), 0, 0, 0);
    ASSERT_NE(s, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(s, TRUE));
    EXPECT_TRUE(waitFor(1000, [&] { return BASS_ChannelGetPosition(s) > 8820; }));
    // The program's signals stay the program's: SDL installs no handler of its own.
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        ASSERT_EQ(sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signal;
    }
    BASS_Free();
}

TEST(EngineDevices, MissingSoundDeviceSaysSoOnceAndPlaysSilently) {
    // An ALSA device that does not exist stands for a machine without a sound card.
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("AUDIODEV", "tarvo-no-such-device", 1);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr)) << BASS_ErrorGetCode();
    const HSTREAM s =
        BASS_StreamCreateFile(FALSE, fixture("sine440-44k1-stereo-s16.wav").c_str(), 0, 0, 0);
    ASSERT_NE(s, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(s, TRUE));
    EXPECT_TRUE(waitFor(1000, [&] { return BASS_ChannelGetPosition(s) > 8820; }))
        << "the silent fallback still plays in real time";
    BASS_Free();
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
    BASS_Free();
    const std::string err = testing::internal::GetCapturedStderr();
    unsetenv("AUDIODEV");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_NE(err.find("no sound device"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << "exactly one line:\n" << err;
}

// While nothing plays the engine lets its output go and its own threads rest, so a paused
// player costs no wake-ups; a play takes the output again and goes on where it paused.
class EngineIdle : public testing::TestWithParam<int> {};

TEST_P(EngineIdle, PausedEngineRestsAndPlayGoesOnWhereItPaused) {
    // A sanitizer's runtime starts its helper thread with the first thread created: make that
    // happen before the threads to watch are told apart from the rest.
    std::thread([] {}).join();
    const auto before = contextSwitchesByThread(); // the test's and the runtime's threads
    ASSERT_TRUE(BASS_Init(GetParam(), 44100, 0, nullptr, nullptr)) << BASS_ErrorGetCode();
    const HSTREAM s =
        BASS_StreamCreateFile(FALSE, fixture("sine440-44k1-stereo-s16.wav").c_str(), 0, 0, 0);
    ASSERT_NE(s, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(s, TRUE));
    sleepMs(200);
    const int playingThreads = threadCount();
    ASSERT_TRUE(BASS_ChannelPause(s));
    sleepMs(1600); // let go after about a second of silence
    EXPECT_EQ(threadCount(), playingThreads - 1) << "the output's thread has ended";

    const QWORD paused = BASS_ChannelGetPosition(s);
    const auto restStart = contextSwitchesByThread();
    sleepMs(500);
    long woken = 0;
    for (const auto& [thread, switches] : contextSwitchesByThread()) {
        if (before.count(thread) == 0 && restStart.count(thread) != 0) {
            woken += switches - restStart.at(thread);
        }
    }
    EXPECT_LE(woken, 1) << "the engine's threads woke while nothing played";
    EXPECT_EQ(BASS_ChannelGetPosition(s), paused);

    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    EXPECT_EQ(threadCount(), playingThreads) << "the output is back";
    sleepMs(150);
    const double onwards = BASS_ChannelBytes2Seconds(s, BASS_ChannelGetPosition(s) - paused);
    EXPECT_GT(onwards, 0.05);
    EXPECT_LT(onwards, 0.25);
    BASS_Free();
}

INSTANTIATE_TEST_SUITE_P(SilentAndSdl, EngineIdle, testing::Values(0, -1));
