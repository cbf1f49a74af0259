#include "Markup.h"

#include <gtest/gtest.h>
#include <limits>

using namespace skin::markup;

TEST(Markup, AttributeValueTakesTheFirstOccurrenceOfTheCaseSensitiveKey) {
    // The key is found wherever it stands, even as the end of a longer key.
    EXPECT_EQ(attributeValue(u"back_color=\"#010203\" color=\"#ffffff\"", u"color="), u"#010203");
    EXPECT_EQ(attributeValue(u"Color=\"#ff\"", u"color="), std::nullopt);
    // A space may stand between "=" and the opening quote.
    EXPECT_EQ(attributeValue(u"align= \"right\"", u"align="), u"right");
    // Without a closing quote the value runs to the end; without any quote it is empty.
    EXPECT_EQ(attributeValue(u"font=\"Sans", u"font="), u"Sans");
    EXPECT_EQ(attributeValue(u"font=Sans", u"font="), u"");
}

TEST(Markup, PositionPartsSplitIntoAtMostFourNumbers) {
    EXPECT_EQ(positionParts(u"position=\"32, 10, 190, 30\""), (QList<int>{32, 10, 190, 30}));
    EXPECT_EQ(positionParts(u"position=\"1,2,3,4,5\""), (QList<int>{1, 2, 3, 4}));
    EXPECT_EQ(positionParts(u"position=\"1, 2, 3\""), (QList<int>{1, 2, 3}));
    EXPECT_EQ(positionParts(u"position=\"\""), (QList<int>{0}));
    EXPECT_EQ(positionParts(u"pos=\"1,2,3,4\""), std::nullopt);
}

TEST(Markup, HexColourPutsTheLastTwoDigitsInTheRedByte) {
    const uint32_t colour = ParseHexColour(u"0080ff");
    EXPECT_EQ(colour & 0xFF, 255u);                    // red
    EXPECT_EQ((colour >> 8) & 0xFF, 128u);             // green
    EXPECT_EQ((colour >> 16) & 0xFF, 0u);              // blue
    EXPECT_EQ(ParseHexColour(u"0000ff"), 0x000000FFu); // pure red
    EXPECT_EQ(ParseHexColour(u"ff0000"), 0x00FF0000u); // pure blue
    EXPECT_EQ(ParseHexColour(u"A0b0C0"), 0x00A0B0C0u);
    EXPECT_EQ(ParseHexColour(u""), 0u);
}

TEST(Markup, HexColourCountsOtherCharactersAsZero) {
    EXPECT_EQ(ParseHexColour(u"g1"), 0x01u);
    EXPECT_EQ(ParseHexColour(u"1z"), 0x10u);
    EXPECT_EQ(ParseHexColour(u"1红"), 0x10u);
    EXPECT_EQ(ParseHexColour(u"１"), 0x0u); // a full-width digit is not a digit here
}

TEST(Markup, HexColourOfMoreThanEightDigitsKeepsTheLastEight) {
    EXPECT_EQ(ParseHexColour(u"ffffffff"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexColour(u"123456789"), 0x23456789u);
    EXPECT_EQ(ParseHexColour(QString(1000, u'f')), 0xFFFFFFFFu);
}
