#include "TextToInt.h"

#include <gtest/gtest.h>
#include <limits>

using tk::textToInt;

TEST(TextToInt, ReadsSpacesSignAndDigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(textToInt(u"  32"), 32);
    EXPECT_EQ(textToInt(u" -15px"), -15);
    EXPECT_EQ(textToInt(u"+7"), 7);
    EXPECT_EQ(textToInt(u"1 2"), 1);
    EXPECT_EQ(textToInt(u"abc"), 0);
    EXPECT_EQ(textToInt(u""), 0);
    EXPECT_EQ(textToInt(u" - 5"), 0);
    EXPECT_EQ(textToInt(u"\t5"), 0); // only spaces are skipped
}

TEST(TextToInt, SaturatesOutsideTheIntRange) {
    EXPECT_EQ(textToInt(u"2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(textToInt(u"-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(textToInt(u"99999999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(textToInt(u"-99999999999999999999999"), std::numeric_limits<int>::min());
}
