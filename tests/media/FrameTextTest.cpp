#include "MediaFileInfo.h"
#include "MemoryFile.h"

#include "TagBuilder.h"

#include <gtest/gtest.h>

namespace media {
namespace {

using namespace testing;

// Loads the tag as readId3v2 does and asks for one frame's text.
std::string textOf(const ByteVector& tagBytes, std::string_view id) {
    MemoryFile file(tagBytes);
    MediaFileInfo info;
    TrackTags tags;
    EXPECT_TRUE(info.readId3v2(file, tags));
    return info.frameText(id);
}

ByteVector latin(std::string_view text) {
    return bytes({0}) + bytes(text);
}
ByteVector utf16le(std::string_view ascii) {
    ByteVector out;
    for (char c : ascii)
        out.insert(out.end(), {static_cast<std::uint8_t>(c), 0});
    return out;
}
ByteVector utf16be(std::string_view ascii) {
    ByteVector out;
    for (char c : ascii)
        out.insert(out.end(), {0, static_cast<std::uint8_t>(c)});
    return out;
}

// --- each text encoding -------------------------------------------------------------------

TEST(FrameTextEncoding, Encoding0) {
    EXPECT_EQ(textOf(tag(3, frame23("TIT2", latin("Song"))), "TIT2"), "Song");
    EXPECT_EQ(textOf(tag(3, frame23("TIT2", latin("Song") + zeros(1))), "TIT2"), "Song");
}

TEST(FrameTextEncoding, Encoding0IsGbk) {
    EXPECT_EQ(textOf(tag(3, frame23("TIT2", bytes({0, 0xB8, 0xE8, 0xC7, 0xFA}))), "TIT2"), "歌曲");
}

TEST(FrameTextEncoding, Encoding1LittleEndianMark) {
    EXPECT_EQ(textOf(tag(3, frame23("TIT2", bytes({1, 0xFF, 0xFE}) + utf16le("Song"))), "TIT2"),
              "Song");
    EXPECT_EQ(textOf(tag(3, frame23("TIT2", bytes({1, 0xFF, 0xFE}) + utf16le("Song") + zeros(2))),
                     "TIT2"),
              "Song");
}

TEST(FrameTextEncoding, Encoding1BigEndianMark) {
    EXPECT_EQ(textOf(tag(3, frame23("TIT2", bytes({1, 0xFE, 0xFF}) + utf16be("Song"))), "TIT2"),
              "Song");
    EXPECT_EQ(textOf(tag(3, frame23("TIT2", bytes({1, 0xFE, 0xFF}) + utf16be("Song") + zeros(2))),
                     "TIT2"),
              "Song");
}

TEST(FrameTextEncoding, Encoding1ChineseSurvivesInBothByteOrders) {
    // 歌曲 = U+6B4C U+66F2. Stripping the zero bytes instead of decoding would keep 4C 6B F2 66.
    EXPECT_EQ(
        textOf(tag(3, frame23("TIT2", bytes({1, 0xFF, 0xFE, 0x4C, 0x6B, 0xF2, 0x66}))), "TIT2"),
        "歌曲");
    EXPECT_EQ(
        textOf(tag(3, frame23("TIT2", bytes({1, 0xFE, 0xFF, 0x6B, 0x4C, 0x66, 0xF2}))), "TIT2"),
        "歌曲");
    // A character with a zero low byte (U+4E00 一) is no terminator.
    EXPECT_EQ(textOf(tag(3, frame23("TIT2", bytes({1, 0xFF, 0xFE, 0x00, 0x4E, 'a', 0}))), "TIT2"),
              "一a");
}

TEST(FrameTextEncoding, Encoding1WithoutMarkIsLittleEndian) {
    EXPECT_EQ(textOf(tag(3, frame23("TIT2", bytes({1}) + utf16le("Between"))), "TIT2"), "Between");
}

TEST(FrameTextEncoding, Encoding2IsUtf16BigEndianWithoutMark) {
    EXPECT_EQ(textOf(tag(4, frame24("TIT2", bytes({2, 0x00, 0x53, 0x00, 0x6F, 0x00, 0x6E, 0x00,
                                                   0x67, 0x00, 0x20, 0x6B, 0x4C, 0x66, 0xF2}))),
                     "TIT2"),
              "Song 歌曲");
}

TEST(FrameTextEncoding, Encoding3IsUtf8) {
    EXPECT_EQ(textOf(tag(4, frame24("TPE1", bytes({3}) + bytes("歌手 Singer"))), "TPE1"),
              "歌手 Singer");
    EXPECT_EQ(textOf(tag(4, frame24("TPE1", bytes({3}) + bytes("A") + bytes({0x9C}) + bytes("b"))),
                     "TPE1"),
              "A\uFFFDb");
}

TEST(FrameTextEncoding, UnknownEncodingIsReadAsEncoding0) {
    EXPECT_EQ(textOf(tag(3, frame23("TIT2", bytes({7}) + bytes("Song"))), "TIT2"), "Song");
}

TEST(FrameTextEncoding, OnlyTheFirstOfSeveralValues) {
    EXPECT_EQ(textOf(tag(4, frame24("TPE1", latin("A") + zeros(1) + bytes("B"))), "TPE1"), "A");
    const ByteVector values = bytes({1, 0xFF, 0xFE}) + utf16le("Ray") + zeros(2) +
                              bytes({0xFF, 0xFE}) + utf16le("Anita") + zeros(2);
    EXPECT_EQ(textOf(tag(3, frame23("TPE1", values)), "TPE1"), "Ray");
}

TEST(FrameTextEncoding, EmptyFrameAndEncodingByteAlone) {
    const ByteVector t = tag(3, frame23("TALB", {}) + frame23("TIT2", bytes({0})) +
                                    frame23("TPE1", bytes({1})) + frame23("TCON", latin("Pop")));
    EXPECT_EQ(textOf(t, "TALB"), "");
    EXPECT_EQ(textOf(t, "TIT2"), "");
    EXPECT_EQ(textOf(t, "TPE1"), "");
    EXPECT_EQ(textOf(t, "TCON"), "Pop"); // the walk goes on after empty frames
}

// --- frame layouts ------------------------------------------------------------------------

TEST(FrameTextLayout, UserTextSkipsTheDescription) {
    EXPECT_EQ(textOf(tag(3, frame23("TXXX", latin("desc") + zeros(1) + bytes("value"))), "TXXX"),
              "value");
    EXPECT_EQ(textOf(tag(3, frame23("TXXX", bytes({1, 0xFF, 0xFE}) + utf16le("d") + zeros(2) +
                                                bytes({0xFF, 0xFE}) + utf16le("v"))),
                     "TXXX"),
              "v");
}

TEST(FrameTextLayout, CommentSkipsLanguageAndDescription) {
    EXPECT_EQ(textOf(tag(3, frame23("COMM", latin("eng") + bytes("short") + zeros(1) +
                                                bytes("the comment"))),
                     "COMM"),
              "the comment");
    EXPECT_EQ(textOf(tag(3, frame23("COMM", bytes({1}) + bytes("eng") + bytes({0xFF, 0xFE}) +
                                                zeros(2) + bytes({0xFF, 0xFE}) + utf16le("hi"))),
                     "COMM"),
              "hi");
    EXPECT_EQ(textOf(tag(3, frame23("COMM", latin("en"))), "COMM"), "");
}

TEST(FrameTextLayout, UrlFrames) {
    EXPECT_EQ(textOf(tag(3, frame23("WOAR", bytes("http://a.example/"))), "WOAR"),
              "http://a.example/");
    EXPECT_EQ(
        textOf(tag(3, frame23("WXXX", latin("home") + zeros(1) + bytes("http://b/"))), "WXXX"),
        "http://b/");
    EXPECT_EQ(textOf(tag(3, frame23("WXXX", bytes({1, 0xFF, 0xFE}) + utf16le("h") + zeros(2) +
                                                bytes("http://c/"))),
                     "WXXX"),
              "http://c/");
}

// --- finding frames by walking their headers -----------------------------------------------

TEST(FrameTextWalk, AFrameIdInsideAnotherFramesDataIsNotAFrame) {
    // A comment whose text holds a whole fake TIT2 frame, before the real one: a byte search
    // would take the fake one.
    const ByteVector fake = frame23("TIT2", latin("Fake"));
    const ByteVector t =
        tag(3, frame23("COMM", latin("eng") + zeros(1) + fake) + frame23("TIT2", latin("Real")));
    EXPECT_EQ(textOf(t, "TIT2"), "Real");
    // And with no real frame the fake one is still not taken.
    EXPECT_EQ(textOf(tag(3, frame23("COMM", latin("eng") + zeros(1) + fake)), "TIT2"), "");
    // The id in the header's bytes or in a frame's size does not count either.
    EXPECT_EQ(textOf(tag(3, frame23("TPE1", latin("TALB"))), "TALB"), "");
}

TEST(FrameTextWalk, AbsentFrameGivesEmptyText) {
    const ByteVector t = tag(3, frame23("TPE1", latin("Artist")) + zeros(64));
    EXPECT_EQ(textOf(t, "TIT2"), "");
    EXPECT_EQ(textOf(t, "TALB"), "");
    EXPECT_EQ(textOf(t, "XYZ"), "");
    EXPECT_EQ(textOf(t, ""), "");
}

TEST(FrameTextWalk, FrameAtTheVeryEndOfTheTag) {
    const ByteVector t = tag(3, frame23("TPE1", latin("A")) + frame23("TIT2", latin("Last")));
    EXPECT_EQ(textOf(t, "TIT2"), "Last");
}

TEST(FrameTextWalk, FrameCutByTheEndOfTheTagGivesWhatIsThere) {
    ByteVector t = tag(3, frame23("TPE1", latin("A")) + frame23("TIT2", latin("Complete")));
    t.resize(t.size() - 3);
    EXPECT_EQ(textOf(t, "TIT2"), "Compl");
}

TEST(FrameTextWalk, HeaderCutByTheEndOfTheTagGivesEmptyText) {
    // The content would start past the end of the tag.
    ByteVector t = tag(3, frame23("TPE1", latin("A")) + frame23("TIT2", latin("x")));
    t.resize(t.size() - 3); // id, size and one flag byte are there
    EXPECT_EQ(textOf(t, "TIT2"), "");
    EXPECT_EQ(textOf(t, "TPE1"), "A");
}

TEST(FrameTextWalk, TheFirstOfTwoFramesWithTheSameId) {
    const ByteVector t = tag(3, frame23("TPE1", latin("piman")) + frame23("TPE1", latin("jzig")));
    EXPECT_EQ(textOf(t, "TPE1"), "piman");
}

TEST(FrameTextWalk, PaddingEndsTheFrames) {
    const ByteVector t =
        tag(3, frame23("TPE1", latin("A")) + zeros(10) + frame23("TIT2", latin("After")));
    EXPECT_EQ(textOf(t, "TIT2"), "");
}

TEST(FrameTextWalk, AbsurdFrameSizeStopsTheWalkInsideTheBuffer) {
    // Sizes of 0xFFFFFFFF (-1 when read as signed) and 0x80000000.
    for (std::uint32_t size : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu}) {
        const ByteVector t = tag(3, bytes("TPE1") + plain32(size) + bytes({0, 0}) + latin("A") +
                                        zeros(1) + frame23("TIT2", latin("x")));
        EXPECT_EQ(textOf(t, "TIT2"), "") << size;
        EXPECT_EQ(textOf(t, "TPE1"), "A") << size; // the frame itself gives what the tag has
    }
}

TEST(FrameTextWalk, Id3v23SizesArePlainEvenWithHighBits) {
    // 203 bytes: 00 00 00 CB, not a valid syncsafe byte.
    const std::string long203(202, 'a');
    const ByteVector t = tag(3, frame23("TIT2", latin(long203)) + frame23("TPE1", latin("B")));
    EXPECT_EQ(textOf(t, "TIT2"), long203);
    EXPECT_EQ(textOf(t, "TPE1"), "B");
}

TEST(FrameTextWalk, Id3v24SizesAreSyncsafe) {
    // 200 bytes: syncsafe 00 00 01 48; read plain that is 328 and misses TPE1.
    const std::string text(199, 'a');
    const ByteVector t = tag(4, frame24("TIT2", latin(text)) + frame24("TPE1", latin("B")));
    EXPECT_EQ(textOf(t, "TIT2"), text);
    EXPECT_EQ(textOf(t, "TPE1"), "B");
}

TEST(FrameTextWalk, Id3v24PlainSizesFromWritersThatGetItWrong) {
    // Some writers put plain sizes in 2.4 tags. 200 = 00 00 00 C8 (not syncsafe at all);
    // 256 = 00 00 01 00, which read as syncsafe (128) lands inside the text.
    for (std::uint32_t n : {200u, 256u}) {
        const std::string text(n - 1, 'q');
        const ByteVector t = tag(4, bytes("TIT2") + plain32(n) + bytes({0, 0}) + latin(text) +
                                        frame24("TPE1", latin("B")));
        EXPECT_EQ(textOf(t, "TIT2"), text) << n;
        EXPECT_EQ(textOf(t, "TPE1"), "B") << n;
    }
}

TEST(FrameTextWalk, ExtendedHeaderIsSkipped) {
    // 2.3: size 6 (plain, not counting itself), flags, padding size.
    const ByteVector ext23 = plain32(6) + zeros(6);
    EXPECT_EQ(textOf(tag(3, ext23 + frame23("TIT2", latin("Song")), 0x40), "TIT2"), "Song");
    // 2.4: size 12 (syncsafe, counting itself), one flag byte, flags 0x20, CRC of 5 bytes.
    const ByteVector ext24 = syncsafe32(12) + bytes({1, 0x20, 5, 1, 2, 3, 4, 5});
    EXPECT_EQ(textOf(tag(4, ext24 + frame24("TIT2", latin("Song")), 0x40), "TIT2"), "Song");
    // An extended header claiming more than the tag holds: no frames, no reading past it.
    EXPECT_EQ(textOf(tag(4, syncsafe32(0x0FFFFFFF) + frame24("TIT2", latin("S")), 0x40), "TIT2"),
              "");
    EXPECT_EQ(textOf(tag(3, bytes({0, 0}), 0x40), "TIT2"), "");
}

TEST(FrameTextWalk, Id3v23WholeTagUnsynchronisation) {
    // On disk every FF is followed by an inserted 00, frame headers included; sizes count the
    // bytes without them.
    const ByteVector content = bytes({1, 0xFF, 0xFE}) + utf16le("Hi");
    const ByteVector body = frame23("TIT2", content) + frame23("TPE1", latin("B"));
    ByteVector onDisk;
    for (std::uint8_t b : body) {
        onDisk.push_back(b);
        if (b == 0xFF)
            onDisk.push_back(0);
    }
    const ByteVector t = tag(3, onDisk, 0x80);
    EXPECT_EQ(textOf(t, "TIT2"), "Hi");
    EXPECT_EQ(textOf(t, "TPE1"), "B");
}

TEST(FrameTextWalk, Id3v24FrameFlags) {
    // Unsynchronised frame (0x02): sizes count the bytes on disk.
    EXPECT_EQ(
        textOf(tag(4, frame24("TIT2", bytes({1, 0xFF, 0x00, 0xFE, 'H', 0, 'i', 0}), 0x02)), "TIT2"),
        "Hi");
    // Header flag 0x80 unsynchronises every frame.
    EXPECT_EQ(
        textOf(tag(4, frame24("TIT2", bytes({1, 0xFF, 0x00, 0xFE, 'H', 0, 'i', 0})), 0x80), "TIT2"),
        "Hi");
    // Data length indicator (0x01): four bytes before the content.
    EXPECT_EQ(
        textOf(tag(4, frame24("TIT2", syncsafe32(6) + bytes({3}) + bytes("title"), 0x01)), "TIT2"),
        "title");
    // Grouping (0x40): one group byte first.
    EXPECT_EQ(textOf(tag(4, frame24("TIT2", bytes({9}) + latin("g"), 0x40)), "TIT2"), "g");
    // Compressed (0x08 with 0x01) or encrypted (0x04) frames have no readable text; the next
    // frame is still found.
    const ByteVector t =
        tag(4, frame24("TIT2", syncsafe32(4) + bytes({0x78, 0x9C, 1, 2}), 0x09) +
                   frame24("TALB", bytes({0x80}) + latin("e"), 0x04) + frame24("TPE1", latin("B")));
    EXPECT_EQ(textOf(t, "TIT2"), "");
    EXPECT_EQ(textOf(t, "TALB"), "");
    EXPECT_EQ(textOf(t, "TPE1"), "B");
}

TEST(FrameTextWalk, Id3v23FrameFlags) {
    const ByteVector t =
        tag(3, frame23("TIT2", plain32(10) + bytes({0x78, 0x9C}), 0x80) +
                   frame23("TALB", bytes({7}) + latin("g"), 0x20) + frame23("TPE1", latin("B")));
    EXPECT_EQ(textOf(t, "TIT2"), "");
    EXPECT_EQ(textOf(t, "TALB"), "g");
    EXPECT_EQ(textOf(t, "TPE1"), "B");
}

TEST(FrameTextWalk, Id3v22ThreeCharacterIds) {
    const ByteVector t =
        tag(2, frame22("TT2", latin("cosmic american")) + frame22("TP1", latin("Anais Mitchell")) +
                   frame22("TAL", latin("Hymns")) + zeros(30));
    EXPECT_EQ(textOf(t, "TIT2"), "cosmic american");
    EXPECT_EQ(textOf(t, "TPE1"), "Anais Mitchell");
    EXPECT_EQ(textOf(t, "TALB"), "Hymns");
    EXPECT_EQ(textOf(t, "TP1"), "Anais Mitchell");
    EXPECT_EQ(textOf(t, "TYER"), "");
    // 2.2 compression (flag 0x40) was never defined: nothing is read.
    EXPECT_EQ(textOf(tag(2, frame22("TT2", latin("x")), 0x40), "TIT2"), "");
}

TEST(FrameTextWalk, UnknownVersionsHaveNoFrames) {
    EXPECT_EQ(textOf(tag(5, frame24("TIT2", latin("x"))), "TIT2"), "");
    EXPECT_EQ(textOf(tag(1, frame24("TIT2", latin("x"))), "TIT2"), "");
}

TEST(FrameText, WorksOnlyOnWhatTagBytesHolds) {
    MediaFileInfo info;
    EXPECT_EQ(info.frameText("TIT2"), ""); // nothing loaded yet
    // After hasId3v1, tagBytes holds an ID3v1 block, which has no frames.
    const ByteVector data = tag(3, frame23("TIT2", latin("v2"))) + id3v1(bytes("TIT2"), {}, {});
    MemoryFile file(data);
    ASSERT_TRUE(info.hasId3v1(file));
    EXPECT_EQ(info.frameText("TIT2"), "");
}

} // namespace
} // namespace media
