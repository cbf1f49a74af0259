#include "MediaFileInfo.h"
#include "MemoryFile.h"
#include "ReadOnlyFile.h"

#include "TagBuilder.h"

#include <gtest/gtest.h>

namespace media {
namespace {

using namespace testing;

// Audio bytes, then an ID3v1 block with the given fields.
ByteVector fileWithId3v1(const ByteVector& title, const ByteVector& artist = {},
                         const ByteVector& album = {}) {
    return bytes("some audio bytes") + id3v1(title, artist, album);
}

TrackTags readV1(const ByteVector& data) {
    MemoryFile file(data);
    MediaFileInfo info;
    TrackTags tags;
    EXPECT_TRUE(info.readId3v1(file, tags));
    return tags;
}

TEST(HasId3v1, A127ByteFileHasNoTagAndNothingIsRead) {
    MediaFileInfo info;
    const ByteVector longer = bytes("TAG") + zeros(125);
    MemoryFile first(longer);
    ASSERT_TRUE(info.hasId3v1(first)); // tagBytes now holds a block
    const ByteVector before = info.tagBytes();

    const ByteVector shortFile = bytes("TAG") + zeros(124);
    ASSERT_EQ(shortFile.size(), 127u);
    MemoryFile file(shortFile);
    EXPECT_FALSE(info.hasId3v1(file));
    EXPECT_EQ(info.tagBytes(), before);
}

TEST(HasId3v1, A128ByteFileThatBeginsWithTagHasOne) {
    const ByteVector data = bytes("TAG") + zeros(125);
    MemoryFile file(data);
    MediaFileInfo info;
    EXPECT_TRUE(info.hasId3v1(file));
    EXPECT_EQ(info.tagBytes(), data);
}

TEST(HasId3v1, LoadsTheLast128BytesEvenWithoutTag) {
    const ByteVector data = bytes("xx") + bytes("TAX") + zeros(125);
    MemoryFile file(data);
    MediaFileInfo info;
    EXPECT_FALSE(info.hasId3v1(file));
    EXPECT_EQ(info.tagBytes(), ByteVector(data.begin() + 2, data.end()));
}

TEST(HasId3v1, AFileThatIsNotOpenHasNone) {
    ReadOnlyFile file("/nonexistent/tarvo.mp3");
    MediaFileInfo info;
    TrackTags tags{"kept", "kept", "kept"};
    EXPECT_FALSE(info.hasId3v1(file));
    EXPECT_FALSE(info.readId3v1(file, tags));
    EXPECT_EQ(tags, (TrackTags{"kept", "kept", "kept"}));
}

TEST(ReadId3v1, FieldsAtTheirOffsets) {
    EXPECT_EQ(readV1(fileWithId3v1(bytes("Title"), bytes("Artist"), bytes("Album"))),
              (TrackTags{"Title", "Artist", "Album"}));
}

TEST(ReadId3v1, FieldEndsAtItsFirstZeroByte) {
    EXPECT_EQ(readV1(fileWithId3v1(bytes("Hello") + zeros(1) + bytes("junk"))).title, "Hello");
}

TEST(ReadId3v1, ThirtyNonZeroBytesAreAllKept) {
    const ByteVector thirty = bytes("abcdefghijklmnopqrstuvwxyz0123");
    ASSERT_EQ(thirty.size(), 30u);
    EXPECT_EQ(readV1(fileWithId3v1(thirty, thirty)).title, "abcdefghijklmnopqrstuvwxyz0123");
}

TEST(ReadId3v1, AsciiAndFullWidthSpacesTrimmedAtBothEnds) {
    EXPECT_EQ(readV1(fileWithId3v1(bytes("  Hello  "))).title, "Hello");
    EXPECT_EQ(readV1(fileWithId3v1(bytes({0xA1, 0xA1, 0xA1, 0xA1}) + bytes("Hello") +
                                   bytes({0xA1, 0xA1, 0xA1, 0xA1})))
                  .title,
              "Hello");
    EXPECT_EQ(readV1(fileWithId3v1(bytes({0x20, 0xA1, 0xA1, 0x20}) + bytes("Hello") +
                                   bytes({0xA1, 0xA1, 0x20, 0xA1, 0xA1})))
                  .title,
              "Hello");
    // Inner spaces stay; a lone A1 is no space.
    EXPECT_EQ(readV1(fileWithId3v1(bytes(" a b "))).title, "a b");
    EXPECT_EQ(readV1(fileWithId3v1(bytes({0xA1, 0xA1, 0xC4, 0xE3, 0xA1, 0xA1, 0xBA, 0xC3}))).title,
              "你\u3000好");
}

TEST(ReadId3v1, GbkFieldsWithFullWidthSpacesBecomeUtf8) {
    // As make-audio.sh writes gbk-id3v1.mp3: a full-width space, 你好世界, two spaces.
    const auto tags = readV1(fileWithId3v1(
        bytes({0xA1, 0xA1, 0xC4, 0xE3, 0xBA, 0xC3, 0xCA, 0xC0, 0xBD, 0xE7, 0x20, 0x20}),
        bytes({0xB8, 0xE8, 0xCA, 0xD6}), bytes({0xD7, 0xA8, 0xBC, 0xAD})));
    EXPECT_EQ(tags, (TrackTags{"你好世界", "歌手", "专辑"}));
}

TEST(ReadId3v1, OnlySpacesOrEmptyGiveEmptyText) {
    const auto tags = readV1(fileWithId3v1(bytes("     "), bytes({0xA1, 0xA1}), {}));
    EXPECT_EQ(tags, TrackTags{});
}

TEST(ReadId3v1, NoTagLeavesTheRecordAsItWas) {
    const ByteVector data = bytes("audio") + zeros(200);
    MemoryFile file(data);
    MediaFileInfo info;
    TrackTags tags{"a", "b", "c"};
    EXPECT_FALSE(info.readId3v1(file, tags));
    EXPECT_EQ(tags, (TrackTags{"a", "b", "c"}));
}

TEST(ReadId3v1, ReplacesWhatTheRecordHeld) {
    const ByteVector data = fileWithId3v1(bytes("New"));
    MemoryFile same(data);
    MediaFileInfo info;
    TrackTags tags{"old", "old", "old"};
    EXPECT_TRUE(info.readId3v1(same, tags));
    EXPECT_EQ(tags, (TrackTags{"New", "", ""}));
}

} // namespace
} // namespace media
