#include "MemoryFile.h"
#include "ReadOnlyFile.h"
#include "TrackTagReader.h"

#include "TagBuilder.h"
#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace media {
namespace {

using namespace testing;
using Base = FileHandle::SeekBase;

TEST(MemoryFile, SeeksAndReadsLikeAFile) {
    const auto data = bytes("0123456789");
    MemoryFile file(data);
    EXPECT_TRUE(file.isOpen());
    EXPECT_EQ(file.length(), 10);
    EXPECT_EQ(file.read(3), bytes("012"));
    EXPECT_TRUE(file.seek(-4, Base::End));
    EXPECT_EQ(file.read(100), bytes("6789")); // short read at the end
    EXPECT_TRUE(file.read(1).empty());
    EXPECT_TRUE(file.seek(20, Base::Start)); // past the end: allowed, reads nothing
    EXPECT_TRUE(file.read(1).empty());
    EXPECT_FALSE(file.seek(-11, Base::End)); // before the start: refused, position kept
    EXPECT_TRUE(file.read(1).empty());
    EXPECT_FALSE(file.seek(-1, Base::Start));
}

TEST(ReadOnlyFile, AFileThatCannotBeOpenedAnswersEmpty) {
    for (const std::string path : {"/nonexistent/tarvo/x.mp3", "", "/tmp"}) {
        ReadOnlyFile file(path);
        EXPECT_FALSE(file.isOpen()) << path;
        EXPECT_EQ(file.length(), -1) << path;
        EXPECT_FALSE(file.seek(0, Base::Start)) << path;
        EXPECT_TRUE(file.read(10).empty()) << path;
    }
}

TEST(ReadOnlyFile, SeeksAndReads) {
    ScratchFile scratch("seek.bin", bytes("0123456789"));
    ReadOnlyFile file(scratch.path());
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.length(), 10);
    EXPECT_EQ(file.read(3), bytes("012"));
    EXPECT_EQ(file.length(), 10); // asking the length keeps the read position
    EXPECT_EQ(file.read(2), bytes("34"));
    EXPECT_TRUE(file.seek(-3, Base::End));
    EXPECT_EQ(file.read(1000000), bytes("789"));
    EXPECT_FALSE(file.seek(-11, Base::End));
}

TEST(ReadOnlyFile, OpensAFileWithoutWritePermission) {
    // A read-write open would find no tag on a write-protected file. (As root the permission
    // bits do not stop writers; the fixtures folder is read-only for everyone else.)
    ScratchFile scratch("readonly.mp3",
                        bytes("audio") + testing::id3v1(bytes("Title"), bytes("Artist"), {}));
    std::filesystem::permissions(scratch.path(), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::others_read);
    const auto tags = readTrackTags(scratch.path());
    ASSERT_TRUE(tags);
    EXPECT_EQ(tags->title, "Title");
}

std::size_t openDescriptors() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

TEST(ReadOnlyFile, TheTrackOpenStepClosesTheFileAgain) {
    if (!std::filesystem::exists("/proc/self/fd"))
        GTEST_SKIP() << "no /proc/self/fd to count open files";
    ScratchFile scratch("closed.mp3", bytes("audio") + testing::id3v1(bytes("T"), {}, {}));
    const std::size_t before = openDescriptors();
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(readTrackTags(scratch.path()));
    EXPECT_EQ(openDescriptors(), before);
    {
        ReadOnlyFile file(scratch.path());
        EXPECT_EQ(openDescriptors(), before + 1);
    }
    EXPECT_EQ(openDescriptors(), before);
}

} // namespace
} // namespace media
