// Real files written by other projects (../shared/fixtures/tags, see its README) and the odd
// files make-audio.sh generates at test time. Every file is read without a crash and gives
// well-formed UTF-8; where the README gives the title, artist and album an independent reader
// found in a tag this class reads (ID3v1 at the end, ID3v2 at offset 0), they match.

#include "MediaFileInfo.h"
#include "ReadOnlyFile.h"
#include "TextDecoding.h"
#include "TrackTagReader.h"

#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace media {
namespace {

namespace fs = std::filesystem;

// What one tag of a file should give.
struct Expected {
    enum Kind { Absent, Present, Unchecked } kind = Unchecked;
    TrackTags tags;
};
Expected absent() {
    return {Expected::Absent, {}};
}
Expected unchecked() {
    return {Expected::Unchecked, {}};
}
Expected present(std::string title, std::string artist, std::string album) {
    return {Expected::Present, {std::move(title), std::move(artist), std::move(album)}};
}

struct FileExpectation {
    Expected id3v1;
    Expected id3v2;
};

const std::string Long97Title =
    "aaaaaaaaaaaaaaaaaaaaaaa vvvvvvvvvvvvvvvvveeeeeerrrrrrrrrrrrrrrryyyyyyyyyyyyy "
    "loooooooooooooooooooooooooooooonnnnnnggggggggggggg "
    "ttttttttttttttttiiiiiiiiiiiiiittttttttttllllllllllllllleeeeeeeeeeeeeeeeeee";
const std::string Long97Artist =
    "aaaaaaaaaaaaaaaaaaaaaaa vvvvvvvvvvvvvvvvveeeeeerrrrrrrrrrrrrrrryyyyyyyyyyyyy "
    "loooooooooooooooooooooooooooooonnnnnnggggggggggggg artist name";

// From the README, file by file. "Unchecked" where the README says nothing about that tag.
const std::map<std::string, FileExpectation>& readmeExpectations() {
    static const std::map<std::string, FileExpectation> table = {
        {"silence-44-s-v1.mp3", {present("Silence", "piman", "Quod Libet Test Data"), absent()}},
        {"id3v22-test.mp3",
         {absent(), present("cosmic american", "Anais Mitchell", "Hymns for the Exiled")}},
        {"silence-44-s.mp3",
         {present("Silence", "piman", "Quod Libet Test Data"),
          present("Silence", "piman", "Quod Libet Test Data")}},
        {"id3v1v2-combined.mp3",
         {present("cosmic american", "Anais Mitchell", "Hymns for the Exiled"),
          present("cosmic american", "Anais Mitchell", "")}},
        {"id3v23_unsynch.id3",
         {absent(), present("My babe just cares for me", "Nina Simone", "100% Jazz")}},
        {"id3v24_extended_header.id3",
         {unchecked(), present("One Second of Silence", "Snild Dolkow", "Mutagen Bug Reports")}},
        {"bad-xing.mp3",
         {absent(), present("09-28-2001", "Ito Kazunori", "Patlabor CD Box Deluxe Disc 3")}},
        {"apev2-lyricsv2.mp3", {present("A song", "Auth", ""), present("A song   ", "Auth", "")}},
        {"97-unknown-23-update.mp3",
         {present(Long97Title.substr(0, 30), Long97Title.substr(0, 30), ""),
          present(Long97Title, Long97Artist, "")}},
        {"audacious-trailing-id32-id31.mp3", {absent(), absent()}},
        {"emptyfile.mp3", {absent(), absent()}},
        {"no-tags.mp3", {absent(), absent()}},
        {"silence-44-s.flac", {absent(), absent()}},
        {"empty.ogg", {absent(), absent()}},
        {"silence-2s-PCM-16000-08-ID3v23.wav", {absent(), absent()}},
        {"extended-header.mp3",
         {unchecked(), present("Druids", "Excelsis", "Vo Chrieger U Drache")}},
        {"unsynch24.id3", {absent(), present("Hi", "", "")}},
        {"compressed_id3_frame.mp3",
         {unchecked(), present("Braveheart Theme (Techno remix", "Moby", "<Undefined>")}},
        // Bytes as stored; the lone 0x9C is no UTF-8, so it becomes U+FFFD.
        {"excessive_alloc.mp3", {unchecked(), present("Bush", "Rihanna", "Music\uFFFDof the Sun")}},
        {"w000.mp3",
         {unchecked(), present("Knowing You", "Sergio Galoyan f. Tamra Keenan", "Knowing You")}},
        {"garbage.mp3", {absent(), absent()}},
        {"duplicate_id3v2.mp3", {absent(), present("TitleXXXX", "ArtistXXXX", "AlbumXXXX")}},
        // ID3v1 in the Korean code page read as GBK: wrong but well-formed, as the README says.
        {"outofbounds.mp3",
         {present("呈狼 积老浚", "努沸(Clone)", "One More Time"),
          present("너의 생일엔", "클론(Clone)", "One More Time")}},
        {"bug-utf16bom-encoding.mp3",
         {absent(), present("It's All Over You Know", "The Apers", "Reanimate My Heart")}},
        {"issue-471.mp3", {absent(), present("Between Worlds", "Roger Subirana", "XII")}},
        {"id3v2-xheader.mp3", {unchecked(), present("title", "", "")}},
        {"issue-802.mp3",
         {absent(), present("Lay Down Your Blade", "Joy Wellboy", "Yorokobi's Mantra")}},
        {"issue-979.mp3",
         {present("Minnie & Me", "Alexander Hacke", "Sanctuary"),
          present("Minnie & Me", "Alexander Hacke", "Sanctuary")}},
        {"issue-691.mp3", {absent(), present("", "", "")}},
        {"null-separator.id3v2.3.mp3",
         {absent(),
          present("Get Ready For This  (Live @ Amsterdam)", "2 Unlimited2", "Live 2010 [Album]")}},
        {"Luomo - Tessio (Spektre Remix) ID3v10.mp3",
         {present("Luomo - Tessio (Spektre Remix)", "", ""), absent()}},
    };
    return table;
}

bool validUtf8(const TrackTags& t) {
    auto ok = [](const std::string& s) {
        return text::isValidUtf8({reinterpret_cast<const std::uint8_t*>(s.data()), s.size()});
    };
    return ok(t.title) && ok(t.artist) && ok(t.album);
}

void checkTag(const std::string& name, const char* which, bool found, const TrackTags& tags,
              const Expected& expected) {
    SCOPED_TRACE(name + " " + which);
    EXPECT_TRUE(validUtf8(tags));
    if (expected.kind == Expected::Unchecked)
        return;
    ASSERT_EQ(found, expected.kind == Expected::Present);
    if (found) {
        EXPECT_EQ(tags.title, expected.tags.title);
        EXPECT_EQ(tags.artist, expected.tags.artist);
        EXPECT_EQ(tags.album, expected.tags.album);
    }
}

std::vector<fs::path> fixtureFiles() {
    std::vector<fs::path> files;
    if (!fs::is_directory(testing::fixtureTagsDir()))
        return files;
    for (const auto& entry : fs::directory_iterator(testing::fixtureTagsDir()))
        if (entry.is_regular_file() && entry.path().filename() != "README.md")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The tagged files of other projects come with the shared folder beside the repository (as on
// CI); a checkout on its own has no such folder and says so instead of failing.
TEST(FixtureTags, TheFolderIsThere) {
    if (!fs::is_directory(testing::fixtureTagsDir()))
        GTEST_SKIP() << testing::fixtureTagsDir() << " is missing: shared/ lies beside the "
                     << "repository on CI, not in a checkout of its own";
    EXPECT_GE(fixtureFiles().size(), 31u);
}

TEST(FixtureTags, EveryFileIsInTheExpectationTable) {
    for (const auto& path : fixtureFiles())
        EXPECT_TRUE(readmeExpectations().count(path.filename().string())) << path;
}

TEST(FixtureTags, EachTagMatchesTheReadme) {
    for (const auto& path : fixtureFiles()) {
        const std::string name = path.filename().string();
        const auto found = readmeExpectations().find(name);
        const FileExpectation expected =
            found == readmeExpectations().end() ? FileExpectation{} : found->second;

        ReadOnlyFile file(path.string());
        ASSERT_TRUE(file.isOpen()) << path;
        MediaFileInfo info;
        TrackTags v1, v2;
        const bool hasV1 = info.readId3v1(file, v1);
        checkTag(name, "ID3v1", hasV1, v1, expected.id3v1);
        const bool hasV2 = info.readId3v2(file, v2);
        checkTag(name, "ID3v2", hasV2, v2, expected.id3v2);
    }
}

TEST(FixtureTags, TheTrackOpenStepTakesId3v1ThenId3v2) {
    for (const auto& path : fixtureFiles()) {
        const std::string name = path.filename().string();
        SCOPED_TRACE(name);
        const auto tags = readTrackTags(path.string());
        if (tags) {
            EXPECT_TRUE(validUtf8(*tags));
        }
        const auto found = readmeExpectations().find(name);
        if (found == readmeExpectations().end())
            continue;
        const Expected& v1 = found->second.id3v1;
        const Expected& v2 = found->second.id3v2;
        if (v1.kind == Expected::Present) {
            EXPECT_EQ(tags, v1.tags);
        } else if (v1.kind == Expected::Absent) {
            if (v2.kind == Expected::Present) {
                EXPECT_EQ(tags, v2.tags);
            } else if (v2.kind == Expected::Absent) {
                EXPECT_EQ(tags, std::nullopt);
            }
        }
    }
}

TEST(FixtureTags, DisplayNamesOfSomeRealFiles) {
    const auto dir = testing::fixtureTagsDir();
    if (!fs::is_directory(dir))
        GTEST_SKIP() << dir << " is missing";
    EXPECT_EQ(composeDisplayName(readTrackTags((dir / "bad-xing.mp3").string()).value()),
              "Ito Kazunori - 09-28-2001");
    EXPECT_EQ(
        composeDisplayName(
            readTrackTags((dir / "Luomo - Tessio (Spektre Remix) ID3v10.mp3").string()).value()),
        "Luomo - Tessio (Spektre Remix)");
    EXPECT_EQ(composeDisplayName(readTrackTags((dir / "issue-691.mp3").string()).value()), "");
}

// --- files generated by make-audio.sh -------------------------------------------------------

fs::path generated(const char* name) {
    const fs::path path = testing::generatedAudioDir() / name;
    EXPECT_TRUE(fs::exists(path)) << path
                                  << " is missing: run the tests through ctest, whose "
                                     "media_audio_fixtures step runs make-audio.sh";
    return path;
}

TEST(GeneratedAudio, GbkId3v1) {
    ReadOnlyFile file(generated("gbk-id3v1.mp3").string());
    MediaFileInfo info;
    TrackTags tags;
    ASSERT_TRUE(info.readId3v1(file, tags));
    EXPECT_EQ(tags, (TrackTags{"你好世界", "歌手", "专辑"}));
    EXPECT_FALSE(info.readId3v2(file, tags));
    EXPECT_EQ(composeDisplayName(tags), "歌手 - 你好世界");
}

TEST(GeneratedAudio, Id3v24WithUtf16BeUtf8AndUtf16Le) {
    ReadOnlyFile file(generated("id3v24-utf16be-enc2.mp3").string());
    MediaFileInfo info;
    TrackTags tags;
    EXPECT_FALSE(info.readId3v1(file, tags));
    ASSERT_TRUE(info.readId3v2(file, tags));
    EXPECT_EQ(info.tagBytes().size(), 152u);
    EXPECT_EQ(tags, (TrackTags{"Song 歌曲", "歌手 Singer", "专辑 Album"}));
    // The track-open step falls back to this tag, as there is no ID3v1.
    EXPECT_EQ(readTrackTags(generated("id3v24-utf16be-enc2.mp3").string()), tags);
}

TEST(GeneratedAudio, TagSizeExceedingTheFile) {
    const fs::path path = generated("id3-size-exceeds-file.mp3");
    ReadOnlyFile file(path.string());
    MediaFileInfo info;
    TrackTags tags;
    ASSERT_TRUE(info.readId3v2(file, tags));
    // The size field claims 268435465 bytes: only what the file holds is read.
    EXPECT_EQ(info.tagBytes().size(), fs::file_size(path));
    EXPECT_EQ(tags, (TrackTags{"Oversize", "", ""}));
    EXPECT_EQ(readTrackTags(path.string()), tags);
}

TEST(GeneratedAudio, EveryGeneratedFileIsReadWithoutACrash) {
    if (!fs::is_directory(testing::generatedAudioDir()))
        GTEST_FAIL() << testing::generatedAudioDir() << " is missing";
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(testing::generatedAudioDir())) {
        ++files;
        const auto tags = readTrackTags(entry.path().string());
        if (tags) {
            EXPECT_TRUE(validUtf8(*tags)) << entry.path();
        }
    }
    EXPECT_GE(files, 15u);
}

} // namespace
} // namespace media
