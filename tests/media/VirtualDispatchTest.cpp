#include "MediaFileInfo.h"
#include "MemoryFile.h"

#include "TagBuilder.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace media {
namespace {

using namespace testing;

// Records every operation in the order it runs, then does what the base class does.
class RecordingInfo : public MediaFileInfo {
  public:
    std::vector<std::string> calls;

    bool readId3v1(FileHandle& f, TrackTags& t) override {
        calls.push_back("readId3v1");
        return MediaFileInfo::readId3v1(f, t);
    }
    bool hasId3v1(FileHandle& f) override {
        calls.push_back("hasId3v1");
        return MediaFileInfo::hasId3v1(f);
    }
    bool readId3v2(FileHandle& f, TrackTags& t) override {
        calls.push_back("readId3v2");
        return MediaFileInfo::readId3v2(f, t);
    }
    bool hasId3v2(FileHandle& f) override {
        calls.push_back("hasId3v2");
        return MediaFileInfo::hasId3v2(f);
    }
    std::int64_t tagSizeFromHeader(SizeBytes& b) override {
        calls.push_back("tagSizeFromHeader");
        return MediaFileInfo::tagSizeFromHeader(b);
    }
    std::string frameText(std::string_view id) override {
        calls.push_back("frameText " + std::string(id));
        return MediaFileInfo::frameText(id);
    }
    SizeBytes reverseBytes4(SizeBytes& b) override {
        calls.push_back("reverseBytes4");
        return MediaFileInfo::reverseBytes4(b);
    }
};

TEST(VirtualDispatch, ReadId3v1CallsHasId3v1) {
    const ByteVector data = bytes("x") + id3v1(bytes("T"), {}, {});
    MemoryFile file(data);
    RecordingInfo info;
    TrackTags tags;
    EXPECT_TRUE(info.readId3v1(file, tags));
    EXPECT_EQ(info.calls, (std::vector<std::string>{"readId3v1", "hasId3v1"}));
}

TEST(VirtualDispatch, ReadId3v2CallsItsHelpersInOrder) {
    const ByteVector data =
        tag(3, frame23("TIT2", bytes({0}) + bytes("S")) + frame23("TPE1", bytes({0, 'A'})));
    MemoryFile file(data);
    RecordingInfo info;
    TrackTags tags;
    EXPECT_TRUE(info.readId3v2(file, tags));
    // TIT2 is the first frame (one size read); TPE1 the second (two); TALB is absent (two
    // frames walked over).
    EXPECT_EQ(info.calls, (std::vector<std::string>{
                              "readId3v2", "hasId3v2", "tagSizeFromHeader", "frameText TIT2",
                              "reverseBytes4", "frameText TPE1", "reverseBytes4", "reverseBytes4",
                              "frameText TALB", "reverseBytes4", "reverseBytes4"}));
}

// Replacing one operation changes what the others do.
class NoId3v1 : public MediaFileInfo {
  public:
    bool hasId3v1(FileHandle&) override { return false; }
};

class FixedTitle : public MediaFileInfo {
  public:
    std::string frameText(std::string_view id) override {
        return id == "TIT2" ? "fixed" : MediaFileInfo::frameText(id);
    }
};

TEST(VirtualDispatch, OverridesAreHonoured) {
    const ByteVector data = tag(3, frame23("TPE1", bytes({0, 'A'}))) + id3v1(bytes("T"), {}, {});
    MemoryFile file(data);
    TrackTags tags;
    NoId3v1 noV1;
    EXPECT_FALSE(noV1.readId3v1(file, tags));
    FixedTitle fixed;
    ASSERT_TRUE(fixed.readId3v2(file, tags));
    EXPECT_EQ(tags, (TrackTags{"fixed", "A", ""}));
}

TEST(CopyAndRelease, ACopyOwnsItsOwnTagBytes) {
    const ByteVector data = bytes("x") + id3v1(bytes("One"), {}, {});
    MemoryFile file(data);
    auto original = std::make_unique<MediaFileInfo>();
    ASSERT_TRUE(original->hasId3v1(file));
    MediaFileInfo copy(*original);
    EXPECT_EQ(copy.tagBytes(), original->tagBytes());

    const ByteVector other = bytes("y") + id3v1(bytes("Two"), {}, {});
    MemoryFile otherFile(other);
    ASSERT_TRUE(original->hasId3v1(otherFile));
    EXPECT_NE(copy.tagBytes(), original->tagBytes());
    original.reset(); // release: the copy is unaffected
    EXPECT_EQ(copy.tagBytes(), ByteVector(data.begin() + 1, data.end()));

    MediaFileInfo assigned;
    assigned = copy;
    EXPECT_EQ(assigned.tagBytes(), copy.tagBytes());
}

TEST(CopyAndRelease, DestroyedThroughTheBase) {
    std::unique_ptr<MediaFileInfo> derived = std::make_unique<RecordingInfo>();
    derived.reset(); // the virtual destructor runs (checked by ASan/UBSan builds)
    SUCCEED();
}

} // namespace
} // namespace media
