#include "MediaFileInfo.h"
#include "MemoryFile.h"
#include "ReadOnlyFile.h"

#include "TagBuilder.h"

#include <gtest/gtest.h>

namespace media {
namespace {

using namespace testing;

bool hasId3v2(const ByteVector& data) {
    MemoryFile file(data);
    MediaFileInfo info;
    return info.hasId3v2(file);
}

TEST(HasId3v2, ValidHeaders) {
    EXPECT_TRUE(hasId3v2(bytes("ID3") + bytes({3, 0, 0, 0, 0, 2, 1})));
    EXPECT_TRUE(hasId3v2(bytes("ID3") + bytes({4, 0, 0x80, 0x7F, 0x7F, 0x7F, 0x7F})));
    EXPECT_TRUE(hasId3v2(bytes("ID3") + bytes({0xFE, 0xFE, 0xFE, 0, 0, 0, 0})));
}

TEST(HasId3v2, VersionRevisionOrFlagsByteOfFFIsNoTag) {
    EXPECT_FALSE(hasId3v2(bytes("ID3") + bytes({0xFF, 0, 0, 0, 0, 0, 0})));
    EXPECT_FALSE(hasId3v2(bytes("ID3") + bytes({3, 0xFF, 0, 0, 0, 0, 0})));
    EXPECT_FALSE(hasId3v2(bytes("ID3") + bytes({3, 0, 0xFF, 0, 0, 0, 0})));
}

TEST(HasId3v2, SizeByteOf80OrMoreIsNoTag) {
    for (int i = 0; i < 4; ++i) {
        ByteVector header = bytes("ID3") + bytes({3, 0, 0, 0, 0, 0, 0});
        header[6 + i] = 0x80;
        EXPECT_FALSE(hasId3v2(header)) << "size byte " << i;
    }
}

TEST(HasId3v2, WrongMagicOrShortFileIsNoTag) {
    EXPECT_FALSE(hasId3v2(bytes("id3") + bytes({3, 0, 0, 0, 0, 0, 0})));
    EXPECT_FALSE(hasId3v2(bytes("ID3") + bytes({3, 0, 0, 0, 0, 0})));
    EXPECT_FALSE(hasId3v2({}));
    ReadOnlyFile notOpen("/nonexistent/tarvo.mp3");
    MediaFileInfo info;
    EXPECT_FALSE(info.hasId3v2(notOpen));
}

TEST(TagSizeFromHeader, SyncsafeSizePlusTheHeader) {
    MediaFileInfo info;
    MediaFileInfo::SizeBytes a{0, 0, 2, 1};
    EXPECT_EQ(info.tagSizeFromHeader(a), 2 * 128 + 1 + 10);
    MediaFileInfo::SizeBytes b{0, 1, 0, 0};
    EXPECT_EQ(info.tagSizeFromHeader(b), 16384 + 10);
    MediaFileInfo::SizeBytes c{0x7F, 0x7F, 0x7F, 0x7F};
    EXPECT_EQ(info.tagSizeFromHeader(c), 268435455 + 10);
}

TEST(TagSizeFromHeader, MasksEachByteInPlace) {
    MediaFileInfo info;
    MediaFileInfo::SizeBytes bytes{0x81, 0xFF, 0x80, 0x05};
    EXPECT_EQ(info.tagSizeFromHeader(bytes), 1 * 2097152 + 0x7F * 16384 + 0 + 5 + 10);
    EXPECT_EQ(bytes, (MediaFileInfo::SizeBytes{0x01, 0x7F, 0x00, 0x05}));
}

TEST(ReverseBytes4, ReversesInPlaceAndReturnsACopy) {
    MediaFileInfo info;
    MediaFileInfo::SizeBytes bytes{1, 2, 3, 4};
    const auto copy = info.reverseBytes4(bytes);
    EXPECT_EQ(bytes, (MediaFileInfo::SizeBytes{4, 3, 2, 1}));
    EXPECT_EQ(copy, bytes);
}

TEST(ReadId3v2, LoadsTheWholeTagFromTheFirstByte) {
    const ByteVector tagBytes = tag(3, frame23("TIT2", bytes({0}) + bytes("Song")) + zeros(20));
    const ByteVector data = tagBytes + bytes("audio after the tag");
    MemoryFile file(data);
    MediaFileInfo info;
    TrackTags tags;
    ASSERT_TRUE(info.readId3v2(file, tags));
    EXPECT_EQ(info.tagBytes(), tagBytes);
    EXPECT_EQ(tags, (TrackTags{"Song", "", ""}));
}

TEST(ReadId3v2, SizeClaimingMoreThanTheFileLoadsWhatTheFileHas) {
    const ByteVector data = bytes("ID3") + bytes({3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F}) +
                            frame23("TIT2", bytes({0}) + bytes("Oversize")) + bytes("audio");
    MemoryFile file(data);
    MediaFileInfo info;
    TrackTags tags;
    ASSERT_TRUE(info.readId3v2(file, tags));
    EXPECT_EQ(info.tagBytes(), data);
    EXPECT_EQ(tags.title, "Oversize");
}

TEST(ReadId3v2, NoTagLeavesRecordAndTagBytesAsTheyWere) {
    const ByteVector v1 = bytes("x") + id3v1(bytes("v1"), {}, {});
    MemoryFile file(v1);
    MediaFileInfo info;
    ASSERT_TRUE(info.hasId3v1(file));
    const ByteVector before = info.tagBytes();
    TrackTags tags{"a", "b", "c"};
    EXPECT_FALSE(info.readId3v2(file, tags));
    EXPECT_EQ(tags, (TrackTags{"a", "b", "c"}));
    EXPECT_EQ(info.tagBytes(), before);
}

TEST(ReadId3v2, AHeaderAloneGivesEmptyTexts) {
    const ByteVector data = bytes("ID3") + bytes({3, 0, 0, 0, 0, 0, 0});
    MemoryFile file(data);
    MediaFileInfo info;
    TrackTags tags{"a", "b", "c"};
    EXPECT_TRUE(info.readId3v2(file, tags));
    EXPECT_EQ(tags, TrackTags{});
}

} // namespace
} // namespace media
