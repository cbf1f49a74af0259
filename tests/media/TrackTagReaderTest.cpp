#include "TrackTagReader.h"
#include "MemoryFile.h"

#include "TagBuilder.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace media {
namespace {

using namespace testing;

TEST(ComposeDisplayName, ArtistAndTitleJoinedByADash) {
    EXPECT_EQ(composeDisplayName({"Title", "Artist", "Album"}), "Artist - Title");
    EXPECT_EQ(composeDisplayName({"雪夜的歌", "无名", ""}), "无名 - 雪夜的歌");
}

TEST(ComposeDisplayName, EitherAloneStandsAlone) {
    EXPECT_EQ(composeDisplayName({"Title", "", "Album"}), "Title");
    EXPECT_EQ(composeDisplayName({"", "Artist", "Album"}), "Artist");
    EXPECT_EQ(composeDisplayName({}), "");
}

TEST(ReadTrackTags, Id3v1WhenThereIsOne) {
    const ByteVector data = tag(3, frame23("TIT2", bytes({0}) + bytes("from v2"))) +
                            bytes("audio") + id3v1(bytes("from v1"), bytes("A"), {});
    MemoryFile file(data);
    EXPECT_EQ(readTrackTags(file), (TrackTags{"from v1", "A", ""}));
}

TEST(ReadTrackTags, Id3v2WhenThereIsNoId3v1) {
    const ByteVector data = tag(4, frame24("TIT2", bytes({3}) + bytes("只有 v2")) +
                                       frame24("TPE1", bytes({0}) + bytes("B"))) +
                            bytes("audio") + zeros(200);
    MemoryFile file(data);
    EXPECT_EQ(readTrackTags(file), (TrackTags{"只有 v2", "B", ""}));
}

TEST(ReadTrackTags, NeitherTagOrNoFile) {
    const ByteVector data = bytes("just audio") + zeros(300);
    MemoryFile file(data);
    EXPECT_EQ(readTrackTags(file), std::nullopt);
    EXPECT_EQ(readTrackTags(std::string("/nonexistent/tarvo/none.mp3")), std::nullopt);
    EXPECT_EQ(readTrackTags(std::string()), std::nullopt);
}

TEST(ReadTrackTags, FromAFileOnDisk) {
    ScratchFile scratch("reader.mp3", bytes("audio") + id3v1(bytes("T"), bytes("A"), bytes("L")));
    EXPECT_EQ(readTrackTags(scratch.path()), (TrackTags{"T", "A", "L"}));
}

} // namespace
} // namespace media
