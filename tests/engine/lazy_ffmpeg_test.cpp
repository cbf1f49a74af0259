// FFmpeg stays out of a process that only plays MPEG audio, and comes in when a file needs it;
// without libbass-ffmpeg.so beside the engine, MPEG audio still plays.
// A program of its own: whatever another test opened first would already have mapped FFmpeg.
#include "EngineTestSupport.h"

#include <dlfcn.h>

#include <algorithm>

using namespace tarvo::enginetest;

namespace {

bool mapped(const std::string& library) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("/" + library) != std::string::npos) {
            return true;
        }
    }
    return false;
}

/** Plays a file for a moment with the spectrum asked, as the player does; true if it played. */
bool playBriefly(const std::string& name) {
    const HSTREAM s = BASS_StreamCreateFile(FALSE, fixture(name).c_str(), 0, 0, 0);
    if (s == 0) {
        return false;
    }
    BASS_ChannelPlay(s, TRUE);
    float fft[512];
    const bool played = waitFor(1000, [&] {
        return BASS_ChannelGetData(s, fft, BASS_DATA_FFT1024) != static_cast<DWORD>(-1) &&
               BASS_ChannelGetPosition(s) > 4410 * 4;
    });
    BASS_StreamFree(s);
    return played;
}

} // namespace

TEST(EngineLazyFfmpeg, MpegAudioLeavesFfmpegUnmappedOtherFormatsMapItOnFirstNeed) {
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr)) << BASS_ErrorGetCode();
    EXPECT_FALSE(mapped("libavcodec.so")) << "mapped with the engine";
    for (const char* name :
         {"sine440-44k1-stereo-128k.mp3", "id3v24-utf16be-enc2.mp3", "sine440-44k1-stereo.mp2"}) {
        EXPECT_TRUE(playBriefly(name)) << name;
    }
    EXPECT_FALSE(mapped("libavcodec.so")) << "mapped by MPEG audio";
    EXPECT_FALSE(mapped("libbass-ffmpeg.so"));

    EXPECT_TRUE(playBriefly("sine440-44k1-stereo.flac"));
    EXPECT_TRUE(mapped("libbass-ffmpeg.so"));
    EXPECT_TRUE(mapped("libavcodec.so")) << "a FLAC file needs FFmpeg";
    for (const char* name : {"sine440-44k1-stereo.ogg", "sine440-44k1-stereo.m4a"}) {
        EXPECT_TRUE(playBriefly(name)) << name;
    }
    BASS_Free();
}

TEST(EngineLazyFfmpeg, WithoutTheFfmpegDecoderMpegAudioStillPlaysAndOtherFilesSaySo) {
    // A program directory that holds libbass.so alone (a copy, so that it looks beside itself).
    char dirTemplate[] = "/tmp/tarvo-engine-alone-XXXXXX";
    const char* dir = mkdtemp(dirTemplate);
    ASSERT_NE(dir, nullptr);
    const std::string lib = std::string(dir) + "/libbass.so";
    writeFile(lib, readFile(TARVO_LIBBASS_PATH));
    void* alone = dlopen(lib.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(alone, nullptr) << dlerror();
    auto init = reinterpret_cast<decltype(&BASS_Init)>(dlsym(alone, "BASS_Init"));
    auto create =
        reinterpret_cast<decltype(&BASS_StreamCreateFile)>(dlsym(alone, "BASS_StreamCreateFile"));
    auto errorCode =
        reinterpret_cast<decltype(&BASS_ErrorGetCode)>(dlsym(alone, "BASS_ErrorGetCode"));
    auto freeAll = reinterpret_cast<decltype(&BASS_Free)>(dlsym(alone, "BASS_Free"));
    ASSERT_TRUE(init && create && errorCode && freeAll);

    testing::internal::CaptureStderr();
    ASSERT_TRUE(init(0, 44100, 0, nullptr, nullptr));
    EXPECT_NE(create(FALSE, fixture("sine440-44k1-stereo-128k.mp3").c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(create(FALSE, fixture("sine440-44k1-stereo.flac").c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(errorCode(), BASS_ERROR_CODEC);
    EXPECT_EQ(create(FALSE, fixture("sine440-44k1-stereo.ogg").c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(errorCode(), BASS_ERROR_CODEC);
    freeAll();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("libbass-ffmpeg.so"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << "said once:\n" << err;
    dlclose(alone);
    std::filesystem::remove_all(dir);
}
