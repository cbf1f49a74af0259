#include "TextDecoding.h"

#include "TagBuilder.h"

#include <gtest/gtest.h>

namespace media::text {
namespace {

using testing::bytes;

TEST(GbkToUtf8, AsciiPassesThrough) {
    EXPECT_EQ(gbkToUtf8(bytes("Hello, 1999!")), "Hello, 1999!");
}

TEST(GbkToUtf8, DecodesChineseText) {
    EXPECT_EQ(gbkToUtf8(bytes({0xC4, 0xE3, 0xBA, 0xC3, 0xCA, 0xC0, 0xBD, 0xE7})), "你好世界");
    EXPECT_EQ(gbkToUtf8(bytes({0xA1, 0xA1})), "\u3000"); // the full-width space
}

TEST(GbkToUtf8, MarksBytesThatStartNoCharacter) {
    // 0xFF starts nothing in GBK; a lead byte at the very end is cut off. (glibc reads 0x80 as
    // the euro sign, as Windows code page 936 does.)
    EXPECT_EQ(gbkToUtf8(bytes({'a', 0xFF, 'b'})), "a\uFFFDb");
    EXPECT_EQ(gbkToUtf8(bytes({'a', 0xC4})), "a\uFFFD");
    EXPECT_EQ(gbkToUtf8(bytes({0xFF, 0xC4, 0xE3})), "\uFFFD你");
}

TEST(GbkToUtf8, LongTextNeedsNoFixedBuffer) {
    std::vector<std::uint8_t> many;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        many.insert(many.end(), {0xC4, 0xE3});
        expected += "你";
    }
    EXPECT_EQ(gbkToUtf8(many), expected);
}

TEST(Latin1ToUtf8, EveryByteIsItsCodePoint) {
    EXPECT_EQ(latin1ToUtf8(bytes({'B', 'j', 0xF6, 'r', 'k'})), "Bj\u00F6rk");
}

TEST(Utf16ToUtf8, BothByteOrders) {
    EXPECT_EQ(utf16ToUtf8(bytes({'S', 0, 'o', 0, 0x4C, 0x6B}), false), "So歌");
    EXPECT_EQ(utf16ToUtf8(bytes({0, 'S', 0, 'o', 0x6B, 0x4C}), true), "So歌");
}

TEST(Utf16ToUtf8, SurrogatePairsAndBrokenUnits) {
    // U+1F3B5 (musical note) as D83C DFB5.
    EXPECT_EQ(utf16ToUtf8(bytes({0xD8, 0x3C, 0xDF, 0xB5}), true), "\U0001F3B5");
    EXPECT_EQ(utf16ToUtf8(bytes({0xD8, 0x3C, 0, 'a'}), true), "\uFFFDa"); // lone high surrogate
    EXPECT_EQ(utf16ToUtf8(bytes({0xDF, 0xB5}), true), "\uFFFD");          // lone low surrogate
    EXPECT_EQ(utf16ToUtf8(bytes({0, 'a', 0}), true), "a\uFFFD");          // odd last byte
}

TEST(SanitizeUtf8, KeepsValidTextAndMarksTheRest) {
    EXPECT_EQ(sanitizeUtf8(bytes("歌手 Singer")), "歌手 Singer");
    EXPECT_EQ(sanitizeUtf8(bytes({'M', 0x9C, 'o'})), "M\uFFFDo");
    EXPECT_EQ(sanitizeUtf8(bytes({0xC0, 0xAF})), "\uFFFD\uFFFD");             // overlong '/'
    EXPECT_EQ(sanitizeUtf8(bytes({0xED, 0xA0, 0x80})), "\uFFFD\uFFFD\uFFFD"); // surrogate
    EXPECT_EQ(sanitizeUtf8(bytes({0xE6, 0xAD})), "\uFFFD\uFFFD");             // cut sequence
    EXPECT_EQ(sanitizeUtf8(bytes({0xF4, 0x90, 0x80, 0x80})), "\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(IsValidUtf8, AgreesWithSanitize) {
    EXPECT_TRUE(isValidUtf8(bytes("你好 \U0001F3B5")));
    EXPECT_FALSE(isValidUtf8(bytes({'a', 0xFF})));
}

} // namespace
} // namespace media::text
