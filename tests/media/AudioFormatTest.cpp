#include "AudioFormat.h"
#include "MemoryFile.h"

#include "TagBuilder.h"
#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace media {
namespace {

using namespace testing;

constexpr std::int64_t TwoSeconds = 2000;

std::string generated(const char* name) {
    return (generatedAudioDir() / name).string();
}

// The average a 2-second file of this size without tags has.
int averageOverTwoSeconds(const char* name) {
    return static_cast<int>(std::filesystem::file_size(generated(name)) * 8 / 2);
}

AudioFormat exact(std::string codec, int rate, int channels, int bits, int bitRate) {
    return {std::move(codec), rate, channels, bits, bitRate, false, false};
}
AudioFormat average(std::string codec, int rate, int channels, int bits, const char* name,
                    bool vbr = false) {
    return {std::move(codec), rate, channels, bits, averageOverTwoSeconds(name), vbr, true};
}

TEST(AudioFormat, GeneratedFiles) {
    const std::pair<const char*, AudioFormat> files[] = {
        {"sine440-44k1-stereo-128k.mp3", exact("MPEG-1 Layer III", 44100, 2, 0, 128000)},
        {"sine440-22k05-mono-64k.mp3", exact("MPEG-2 Layer III", 22050, 1, 0, 64000)},
        {"sine440-48k-stereo-128k.mp3", exact("MPEG-1 Layer III", 48000, 2, 0, 128000)},
        {"id3v24-utf16be-enc2.mp3", exact("MPEG-1 Layer III", 44100, 2, 0, 128000)},
        {"gbk-id3v1.mp3", exact("MPEG-1 Layer III", 44100, 2, 0, 128000)},
        {"truncated-5000.mp3", exact("MPEG-1 Layer III", 44100, 2, 0, 128000)},
        {"sine440-44k1-stereo-vbr.mp3",
         average("MPEG-1 Layer III", 44100, 2, 0, "sine440-44k1-stereo-vbr.mp3", true)},
        {"sine440-44k1-stereo-s16.wav", exact("PCM", 44100, 2, 16, 1411200)},
        {"sine440-44k1-stereo-s16.aiff", exact("PCM", 44100, 2, 16, 1411200)},
        {"sine440-44k1-stereo.flac", average("FLAC", 44100, 2, 16, "sine440-44k1-stereo.flac")},
        {"sine440-44k1-stereo.ogg", average("Vorbis", 44100, 2, 0, "sine440-44k1-stereo.ogg")},
        {"sine440-48k-stereo.opus", average("Opus", 48000, 2, 0, "sine440-48k-stereo.opus")},
        {"sine440-44k1-stereo.aac", average("AAC LC", 44100, 2, 0, "sine440-44k1-stereo.aac")},
        {"sine440-44k1-stereo.m4a", average("MPEG-4 Audio", 0, 0, 0, "sine440-44k1-stereo.m4a")},
        // Not audio, or the audio lies past where the tag claims to end: nothing is guessed.
        {"x.mp3", exact("", 0, 0, 0, 0)},
        {"zero-bytes.mp3", exact("", 0, 0, 0, 0)},
        {"id3-size-exceeds-file.mp3", exact("", 0, 0, 0, 0)},
    };
    for (const auto& [name, expected] : files) {
        SCOPED_TRACE(name);
        const auto format = readAudioFormat(generated(name), TwoSeconds);
        ASSERT_TRUE(format);
        EXPECT_EQ(format->codec, expected.codec);
        EXPECT_EQ(format->sampleRate, expected.sampleRate);
        EXPECT_EQ(format->channels, expected.channels);
        EXPECT_EQ(format->bitsPerSample, expected.bitsPerSample);
        EXPECT_EQ(format->bitRate, expected.bitRate);
        EXPECT_EQ(format->variableBitRate, expected.variableBitRate);
        EXPECT_EQ(format->averageBitRate, expected.averageBitRate);
    }
    EXPECT_EQ(readAudioFormat(std::string("/nonexistent/tarvo/none.mp3"), 0), std::nullopt);
}

TEST(AudioFormat, AverageLeavesOutTagsAndNeedsADuration) {
    // 1000 bytes of FLAC stream between an ID3v2 tag and an ID3v1 block, over 0.5 s.
    ByteVector stream = bytes("fLaC") + zeros(996);
    const ByteVector data = tag(3, frame23("TIT2", bytes({0}) + bytes("t")) + zeros(100)) + stream +
                            id3v1(bytes("t"), {}, {});
    MemoryFile file(data);
    const auto format = readAudioFormat(file, 500);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->codec, "FLAC");
    EXPECT_EQ(format->bitRate, 16000);
    EXPECT_TRUE(format->averageBitRate);
    EXPECT_EQ(readAudioFormat(file, 0)->bitRate, 0);
    EXPECT_EQ(readAudioFormat(file, -5)->bitRate, 0);
}

// MPEG audio frames: the header, then zeros up to the frame's length.
ByteVector frame(std::uint32_t header, std::size_t length, const ByteVector& body = {}) {
    ByteVector out = plain32(header) + body;
    out.resize(length, 0);
    return out;
}
constexpr std::uint32_t Mpeg1L3At128 = 0xFFFB9000;     // 44.1 kHz, no padding: 417 bytes
constexpr std::uint32_t Mpeg1L3At160 = 0xFFFBA000;     // 522 bytes
constexpr std::uint32_t Mpeg1L2At192Mono = 0xFFFDA4C0; // 48 kHz: 576 bytes
constexpr std::uint32_t Mpeg25L3At8 = 0xFFE31800;      // 8 kHz stereo: 72 bytes

TEST(AudioFormat, MpegFramesTheirRatesAndSummaries) {
    const ByteVector cbr =
        frame(Mpeg1L3At128, 417) + frame(Mpeg1L3At128, 417) + frame(Mpeg1L3At128, 417);
    EXPECT_EQ(sniffAudioFormat(cbr), exact("MPEG-1 Layer III", 44100, 2, 0, 128000));

    // Frames of different rates without a summary frame: variable, no rate of its own.
    const ByteVector mixed =
        frame(Mpeg1L3At128, 417) + frame(Mpeg1L3At160, 522) + frame(Mpeg1L3At128, 417);
    const AudioFormat vbr = sniffAudioFormat(mixed);
    EXPECT_TRUE(vbr.variableBitRate);
    EXPECT_EQ(vbr.bitRate, 0);

    // "Xing" after the 32 bytes of stereo side information marks a VBR file even when the
    // frames in the buffer agree; "Info" marks CBR, with the rate of the frames after it.
    const ByteVector xing = frame(Mpeg1L3At128, 417, zeros(32) + bytes("Xing")) + cbr;
    EXPECT_TRUE(sniffAudioFormat(xing).variableBitRate);
    const ByteVector info = frame(Mpeg1L3At160, 522, zeros(32) + bytes("Info")) + cbr;
    EXPECT_EQ(sniffAudioFormat(info), exact("MPEG-1 Layer III", 44100, 2, 0, 128000));
    const ByteVector vbri = frame(Mpeg1L3At128, 417, zeros(32) + bytes("VBRI")) + cbr;
    EXPECT_TRUE(sniffAudioFormat(vbri).variableBitRate);

    EXPECT_EQ(sniffAudioFormat(frame(Mpeg1L2At192Mono, 576) + frame(Mpeg1L2At192Mono, 576)),
              exact("MPEG-1 Layer II", 48000, 1, 0, 192000));
    EXPECT_EQ(sniffAudioFormat(frame(Mpeg25L3At8, 72) + frame(Mpeg25L3At8, 72)),
              exact("MPEG-2.5 Layer III", 8000, 2, 0, 8000));

    // Junk before the first frame is skipped; a lone header inside junk is not a stream.
    EXPECT_EQ(sniffAudioFormat(bytes("junk junk") + cbr).codec, "MPEG-1 Layer III");
    EXPECT_EQ(sniffAudioFormat(bytes("junk") + plain32(Mpeg1L3At128) + zeros(1000)).codec, "");
    // Free-format and reserved values give no frame length to follow.
    EXPECT_EQ(sniffAudioFormat(frame(0xFFFB0000, 417) + frame(0xFFFB0000, 417)).codec, "");
}

TEST(AudioFormat, HeadersThatLieOrStopShort) {
    // A WAVE chunk claiming 4 GiB before "fmt ": the walk ends, nothing past the buffer.
    const ByteVector wave = bytes("RIFF") + zeros(4) + bytes("WAVEjunk") +
                            bytes({0xFF, 0xFF, 0xFF, 0xFF}) + bytes("fmt ") + zeros(20);
    EXPECT_EQ(sniffAudioFormat(wave), AudioFormat{});
    // An AIFF rate whose exponent is absurd reads as unknown.
    const ByteVector aiff = bytes("FORM") + zeros(4) + bytes("AIFFCOMM") + plain32(18) +
                            bytes({0, 2, 0, 0, 0, 0, 0, 16, 0x7F, 0xFF, 0x80}) + zeros(7);
    EXPECT_EQ(sniffAudioFormat(aiff), (AudioFormat{"PCM", 0, 2, 16, 0, false, false}));
    // An Ogg page whose segment table runs past the end.
    EXPECT_EQ(sniffAudioFormat(bytes("OggS") + zeros(22) + bytes({0xFF})), AudioFormat{});

    // Every prefix of each generated file's head and random bytes: no read outside the
    // buffer (ASan) and no crash.
    for (const char* name :
         {"sine440-44k1-stereo-128k.mp3", "sine440-44k1-stereo-s16.wav",
          "sine440-44k1-stereo-s16.aiff", "sine440-44k1-stereo.flac", "sine440-44k1-stereo.ogg",
          "sine440-48k-stereo.opus", "sine440-44k1-stereo.aac"}) {
        std::ifstream in(generated(name), std::ios::binary);
        ByteVector head(1200);
        in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
        for (std::size_t n = 0; n <= head.size(); ++n)
            sniffAudioFormat(std::span(head).first(n));
    }
    std::mt19937 random(20240601);
    ByteVector noise(4096);
    for (int round = 0; round < 50; ++round) {
        for (auto& b : noise)
            b = static_cast<std::uint8_t>(random());
        EXPECT_EQ(sniffAudioFormat(noise).codec, "") << round;
    }
}

} // namespace
} // namespace media
