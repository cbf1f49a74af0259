// Formats and lengths, checked against independent decoders; bad input of every kind.
#include "EngineTestSupport.h"

#include <sys/stat.h>

#include <cmath>
#include <filesystem>

using namespace tarvo::enginetest;

namespace {

/** A WAV whose format tag names a codec nobody decodes. */
std::string writeUnknownCodecWav() {
    const std::string path = fixture("unknown-codec.wav");
    std::vector<uint8_t> b;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&](uint16_t v) {
        b.push_back(static_cast<uint8_t>(v));
        b.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto tag = [&](const char* t) { b.insert(b.end(), t, t + 4); };
    const uint32_t dataBytes = 8000;
    tag("RIFF");
    u32(4 + 8 + 16 + 8 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(0x7777); // no such codec
    u16(2);
    u32(44100);
    u32(44100 * 4);
    u16(4);
    u16(16);
    tag("data");
    u32(dataBytes);
    b.resize(b.size() + dataBytes, 0);
    writeFile(path, b);
    return path;
}

} // namespace

class EngineFormats : public EngineTest {};

TEST_F(EngineFormats, WavLengthIsExact) {
    const HSTREAM s = open("sine440-44k1-stereo-s16.wav");
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    EXPECT_EQ(BASS_ChannelGetLength(s), 88200u * 4);
    EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(s, BASS_ChannelGetLength(s)), 2.0);
}

TEST_F(EngineFormats, LosslessAndVorbisLengthsAreExact) {
    for (const char* name :
         {"sine440-44k1-stereo.flac", "sine440-44k1-stereo.aiff", "sine440-44k1-stereo.ogg"}) {
        const HSTREAM s = open(name);
        ASSERT_NE(s, 0u) << name << " " << BASS_ErrorGetCode();
        EXPECT_EQ(BASS_ChannelGetLength(s), 88200u * 4) << name;
    }
}

TEST_F(EngineFormats, MonoAndOtherRatesCountTheirOwnBytes) {
    const HSTREAM mono = open("sine440-22k05-mono.wav");
    ASSERT_NE(mono, 0u);
    EXPECT_EQ(BASS_ChannelGetLength(mono), 44100u * 2); // 2 s of 22050 Hz mono
    EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(mono, 44100), 1.0);
    DWORD freq = 0;
    ASSERT_TRUE(BASS_ChannelGetAttributes(mono, &freq, nullptr, nullptr));
    EXPECT_EQ(freq, 22050u);

    const HSTREAM mp3 = open("sine440-22k05-mono-64k.mp3");
    ASSERT_NE(mp3, 0u);
    EXPECT_NEAR(BASS_ChannelBytes2Seconds(mp3, BASS_ChannelGetLength(mp3)), 2.0, 1152.0 / 22050);
    const HSTREAM hi = open("sine440-48k-stereo-128k.mp3");
    ASSERT_NE(hi, 0u);
    EXPECT_NEAR(BASS_ChannelBytes2Seconds(hi, BASS_ChannelGetLength(hi)), 2.0, 1152.0 / 48000);
}

TEST_F(EngineFormats, MpegLengthsAgreeWithMpg123) {
    const std::string mp1 = writeMp1(230);
    for (const std::string& path :
         {fixture("sine440-44k1-stereo-128k.mp3"), fixture("sine440-22k05-mono-64k.mp3"),
          fixture("sine440-48k-stereo-128k.mp3"), fixture("long-3min-44k1-stereo-128k.mp3"),
          fixture("id3v24-utf16be-enc2.mp3"), fixture("gbk-id3v1.mp3"),
          fixture("sine440-44k1-stereo.mp2"), fixture("sine440-44k1-stereo-vbr.mp3"), mp1}) {
        const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
        ASSERT_NE(s, 0u) << path << " " << BASS_ErrorGetCode();
        const QWORD ours = BASS_ChannelGetLength(s);
        const uint64_t theirs = mpg123Bytes(path);
        ASSERT_GT(theirs, 0u) << path;
        // Both decoders cut the encoder's delay and padding as mpg123 does: the same length.
        EXPECT_EQ(ours, theirs) << path;
        BASS_StreamFree(s);
    }
}

// A file shorter than its Xing header says is measured by the frames it has, not by the header.
TEST_F(EngineFormats, AnMp3CutShortIsMeasuredByItsFrames) {
    std::vector<uint8_t> bytes = readFile(fixture("sine440-44k1-stereo-vbr.mp3"));
    ASSERT_GT(bytes.size(), 5000u);
    const HSTREAM whole = BASS_StreamCreateFile(TRUE, bytes.data(), 0, bytes.size(), 0);
    ASSERT_NE(whole, 0u) << BASS_ErrorGetCode();
    const QWORD wholeLength = BASS_ChannelGetLength(whole);
    BASS_StreamFree(whole);
    bytes.erase(bytes.end() - 250, bytes.end()); // two frames or so: less than announced
    const std::string path = fixture("sine440-vbr-cut-250.mp3");
    writeFile(path, bytes);
    const HSTREAM cut = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    ASSERT_NE(cut, 0u) << BASS_ErrorGetCode();
    const QWORD cutLength = BASS_ChannelGetLength(cut);
    BASS_StreamFree(cut);
    // Not the whole file's length (the header's), but what the frames there decode to.
    EXPECT_NE(cutLength, wholeLength);
    const QWORD frameBytes = 1152 * 2 * sizeof(int16_t);
    EXPECT_NEAR(static_cast<double>(cutLength), static_cast<double>(mpg123Bytes(path)),
                static_cast<double>(frameBytes));
}

TEST_F(EngineFormats, ThreeMinuteMp3) {
    const HSTREAM s = open("long-3min-44k1-stereo-128k.mp3");
    ASSERT_NE(s, 0u);
    EXPECT_NEAR(BASS_ChannelBytes2Seconds(s, BASS_ChannelGetLength(s)), 180.0, 0.03);
}

TEST_F(EngineFormats, EveryTestedFormatPlays) {
    const std::string mp1 = writeMp1(230);
    for (const std::string& path :
         {fixture("sine440-44k1-stereo-128k.mp3"), fixture("sine440-44k1-stereo.mp2"), mp1,
          fixture("sine440-44k1-stereo.ogg"), fixture("sine440-44k1-stereo-s16.wav"),
          fixture("sine440-44k1-stereo.aiff"), fixture("sine440-44k1-stereo.flac"),
          fixture("sine440-44k1-stereo.m4a")}) {
        const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
        ASSERT_NE(s, 0u) << path << " " << BASS_ErrorGetCode();
        EXPECT_GT(BASS_ChannelGetLength(s), 0u) << path;
        ASSERT_TRUE(BASS_ChannelPlay(s, TRUE));
        // Audible samples after a short while: something was decoded and played.
        std::vector<int16_t> pcm(2048);
        bool heard = waitFor(600, [&] {
            const DWORD got =
                BASS_ChannelGetData(s, pcm.data(), static_cast<DWORD>(pcm.size() * 2));
            if (got == static_cast<DWORD>(-1))
                return false;
            for (size_t i = 0; i < got / 2; ++i) {
                if (std::abs(pcm[i]) > 1000)
                    return true;
            }
            return false;
        });
        EXPECT_TRUE(heard) << path;
        BASS_StreamFree(s);
    }
}

TEST_F(EngineFormats, FromMemoryAndFromPartOfAFile) {
    const auto bytes = readFile(fixture("sine440-44k1-stereo-s16.wav"));
    const HSTREAM m = BASS_StreamCreateFile(TRUE, bytes.data(), 0, bytes.size(), 0);
    ASSERT_NE(m, 0u) << BASS_ErrorGetCode();
    EXPECT_EQ(BASS_ChannelGetLength(m), 88200u * 4);
    ASSERT_TRUE(BASS_ChannelPlay(m, TRUE));
    EXPECT_TRUE(waitFor(500, [&] { return BASS_ChannelGetPosition(m) > 0; }));
    BASS_StreamFree(m);

    // The MP3 inside the ID3v1-tagged file, chosen by offset and length in a bigger "file".
    std::vector<uint8_t> padded(1000, 0xAB);
    const auto mp3 = readFile(fixture("sine440-44k1-stereo-128k.mp3"));
    padded.insert(padded.end(), mp3.begin(), mp3.end());
    padded.resize(padded.size() + 500, 0xCD);
    const std::string path = fixture("embedded.bin");
    writeFile(path, padded);
    const HSTREAM f = BASS_StreamCreateFile(FALSE, path.c_str(), 1000, mp3.size(), 0);
    ASSERT_NE(f, 0u) << BASS_ErrorGetCode();
    EXPECT_EQ(BASS_ChannelGetLength(f), 88200u * 4);
    const HSTREAM g = BASS_StreamCreateFile(TRUE, padded.data(), 1000, mp3.size(), 0);
    ASSERT_NE(g, 0u) << BASS_ErrorGetCode();
    EXPECT_EQ(BASS_ChannelGetLength(g), 88200u * 4);
    // A memory block must outlive its stream: free the stream before the block goes.
    EXPECT_TRUE(BASS_StreamFree(g));
}

struct BadInput {
    const char* name;
    int error;
};

class EngineBadInput : public EngineTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(EngineBadInput, GivesHandleZeroAndACodeAndLeavesNoThread) {
    const int threadsBefore = threadCount();
    std::string path = fixture(GetParam().name);
    if (path.ends_with("unknown-codec.wav")) {
        path = writeUnknownCodecWav();
    } else if (path.ends_with("a-directory")) {
        mkdir(path.c_str(), 0755);
    }
    const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    EXPECT_EQ(s, 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), GetParam().error);
    EXPECT_EQ(threadCount(), threadsBefore);
    // The same bytes from memory fail the same way (files that exist and hold something).
    const auto bytes =
        std::filesystem::is_regular_file(path) ? readFile(path) : std::vector<uint8_t>{};
    if (!bytes.empty()) {
        EXPECT_EQ(BASS_StreamCreateFile(TRUE, bytes.data(), 0, bytes.size(), 0), 0u);
        EXPECT_NE(BASS_ErrorGetCode(), BASS_OK);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, EngineBadInput,
                         ::testing::Values(BadInput{"no-such-file.mp3", BASS_ERROR_FILEOPEN},
                                           BadInput{"a-directory", BASS_ERROR_FILEOPEN},
                                           BadInput{"zero-bytes.mp3", BASS_ERROR_FILEFORM},
                                           BadInput{"x.mp3", BASS_ERROR_FILEFORM},
                                           BadInput{"truncated-5000.mp3", BASS_ERROR_FILEFORM},
                                           BadInput{"id3-size-exceeds-file.mp3",
                                                    BASS_ERROR_FILEFORM},
                                           BadInput{"unknown-codec.wav", BASS_ERROR_CODEC}),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& c : n) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return n;
                         });
