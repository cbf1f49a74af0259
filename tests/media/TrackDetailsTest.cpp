#include "TrackDetails.h"
#include "Id3Genres.h"
#include "MemoryFile.h"
#include "TextDecoding.h"

#include "TagBuilder.h"
#include "TestFiles.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace media {
namespace {

using namespace testing;

std::optional<TrackDetails> readGenerated(const char* name) {
    return readTrackDetails((generatedAudioDir() / name).string());
}

TEST(TrackDetails, EveryFieldOfGeneratedFiles) {
    EXPECT_EQ(readGenerated("gbk-id3v1.mp3"),
              (TrackDetails{"你好世界", "歌手", "专辑", "2024", "1", "", ""}));
    EXPECT_EQ(readGenerated("id3v23-full.mp3"),
              (TrackDetails{"夜曲 Nocturne", "歌手乙", "专辑甲", "2006", "3/12", "Rock",
                            "测试备注 comment"}));
    EXPECT_EQ(readGenerated("id3v24-utf16be-enc2.mp3"),
              (TrackDetails{"Song 歌曲", "歌手 Singer", "专辑 Album", "", "", "", ""}));
    EXPECT_EQ(readGenerated("id3-size-exceeds-file.mp3"),
              (TrackDetails{"Oversize", "", "", "", "", "", ""}));
}

TEST(TrackDetails, Id3v1FirstAndId3v2ForWhatItLacks) {
    // No genre (255) and a 30-byte comment, so no track number: both come from ID3v2.
    const ByteVector v2 =
        tag(4, frame24("TIT2", bytes({0}) + bytes("v2 title")) +
                   frame24("TALB", bytes({0}) + bytes("v2 album")) +
                   frame24("TDRC", bytes({0}) + bytes("2019-03-04")) +
                   frame24("TRCK", bytes({0}) + bytes(" 7 ")) +
                   frame24("TCON", bytes({0}) + bytes("(8)")) +
                   frame24("COMM", bytes({0}) + bytes("eng") + bytes({0}) + bytes("v2 comment")));
    const ByteVector v1 = id3v1(bytes("v1 title"), bytes("v1 artist"), {}, bytes("1999"),
                                bytes("thirty bytes of comment text!!"), 0xFF);
    const ByteVector data = v2 + bytes("audio") + v1;
    MemoryFile file(data);
    EXPECT_EQ(readTrackDetails(file),
              (TrackDetails{"v1 title", "v1 artist", "v2 album", "1999", "7", "Jazz",
                            "thirty bytes of comment text!!"}));
}

TEST(TrackDetails, Id3v1TrackAndGenre) {
    const auto read = [](const ByteVector& comment, int genre) {
        const ByteVector data =
            bytes("audio") + id3v1(bytes("T"), {}, {}, bytes("20"), comment, genre);
        MemoryFile file(data);
        return readTrackDetails(file).value_or(TrackDetails{});
    };
    const TrackDetails v11 = read(bytes("  note  ") + zeros(20) + bytes({0, 12}), 17);
    EXPECT_EQ(v11.comment, "note");
    EXPECT_EQ(v11.track, "12");
    EXPECT_EQ(v11.genre, "Rock");
    EXPECT_EQ(v11.year, "20");
    EXPECT_EQ(read(zeros(30), 191).genre, "Psybient");
    EXPECT_EQ(read(zeros(30), 192).genre, "");
    EXPECT_EQ(read(zeros(30), 0).track, "");
}

TEST(TrackDetails, Id3v2TextsAreTrimmedAndYearsShortened) {
    // TIT2 in UTF-8 with ASCII and full-width spaces at both ends; TYER wins over TDRC.
    const ByteVector data =
        tag(3, frame23("TIT2", bytes({3}) + bytes("\xE3\x80\x80 Song  \xE3\x80\x80")) +
                   frame23("TYER", bytes({0}) + bytes("1987")) +
                   frame23("TDRC", bytes({0}) + bytes("2001-01-01")) +
                   frame23("TCON", bytes({0}) + bytes("Ambient Dub")));
    MemoryFile file(data);
    const auto details = readTrackDetails(file);
    ASSERT_TRUE(details);
    EXPECT_EQ(details->title, "Song");
    EXPECT_EQ(details->year, "1987");
    EXPECT_EQ(details->genre, "Ambient Dub");
}

TEST(Genres, TconFormsResolveToNames) {
    EXPECT_EQ(id3::resolveGenre("(17)"), "Rock");
    EXPECT_EQ(id3::resolveGenre("17"), "Rock");
    EXPECT_EQ(id3::resolveGenre("(17)Rock 'n' Roll"), "Rock 'n' Roll");
    EXPECT_EQ(id3::resolveGenre("(4)(17)"), "Disco / Rock");
    EXPECT_EQ(id3::resolveGenre("(RX)"), "Remix");
    EXPECT_EQ(id3::resolveGenre("CR"), "Cover");
    EXPECT_EQ(id3::resolveGenre("((Bracketed)"), "(Bracketed)");
    EXPECT_EQ(id3::resolveGenre("(17)((x)"), "(x)");
    EXPECT_EQ(id3::resolveGenre("民谣"), "民谣");
    EXPECT_EQ(id3::resolveGenre("200"), "200");
    EXPECT_EQ(id3::resolveGenre("(999)"), "(999)");
    EXPECT_EQ(id3::resolveGenre("(17"), "(17");
    EXPECT_EQ(id3::resolveGenre(""), "");
    EXPECT_EQ(id3::genreName(79), "Hard Rock");
    EXPECT_EQ(id3::genreName(80), "Folk");
    EXPECT_EQ(id3::genreName(255), "");
    EXPECT_EQ(id3::genreName(-1), "");
}

TEST(TrackDetails, NoTagNoFileAndBrokenBytes) {
    EXPECT_EQ(readTrackDetails(std::string("/nonexistent/tarvo/none.mp3")), std::nullopt);
    EXPECT_EQ(readGenerated("x.mp3"), std::nullopt);
    EXPECT_EQ(readGenerated("zero-bytes.mp3"), std::nullopt);
    EXPECT_EQ(readGenerated("sine440-44k1-stereo.flac"), std::nullopt);

    // Every prefix of a full tag, and of the file ending in an ID3v1 block: no read outside
    // the bytes (ASan), and every text well-formed.
    std::ifstream in(generatedAudioDir() / "id3v23-full.mp3", std::ios::binary);
    const ByteVector full{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(full.size(), 400u);
    const ByteVector tail = id3v1(bytes("\xB8\xE8"), {}, {}, bytes("\xFF\xFF\xFF\xFF"),
                                  zeros(28) + bytes({0, 0xFF}), 0xFE);
    for (std::size_t n = 0; n < 400; ++n) {
        const ByteVector prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        for (const ByteVector& data : {prefix, prefix + tail}) {
            MemoryFile file(data);
            const auto details = readTrackDetails(file);
            if (!details)
                continue;
            for (const std::string* text :
                 {&details->title, &details->artist, &details->album, &details->year,
                  &details->track, &details->genre, &details->comment})
                EXPECT_TRUE(text::isValidUtf8(
                    {reinterpret_cast<const std::uint8_t*>(text->data()), text->size()}))
                    << n;
        }
    }
}

} // namespace
} // namespace media
