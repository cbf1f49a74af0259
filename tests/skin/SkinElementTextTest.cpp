#include "SkinElement.h"

#include <gtest/gtest.h>

using skin::SkinContext;
using skin::SkinElement;

namespace {

class SkinElementText : public ::testing::Test {
  protected:
    SkinContext context;
    SkinElement element{context};
};

} // namespace

TEST_F(SkinElementText, FindBalancedGivesTheClosingPositionZeroLengthPlusOneOrMinusOne) {
    // Bytes 1 and 3 open, 5 and 7 close.
    EXPECT_EQ(element.FindBalanced(QStringLiteral("(a(b)c)"), u'(', u')'), 7);
    // A closing character before any opening one.
    EXPECT_EQ(element.FindBalanced(QStringLiteral("a)(b)c"), u'(', u')'), 0);
    // Neither character: the length + 1.
    EXPECT_EQ(element.FindBalanced(QStringLiteral("abcdef"), u'(', u')'), 7);
    // An opening character never closed.
    EXPECT_EQ(element.FindBalanced(QStringLiteral("((a)bc"), u'(', u')'), -1);
}

TEST_F(SkinElementText, FindBalancedStartPosition) {
    const QString text = QStringLiteral("(a)(bc)x");
    EXPECT_EQ(element.FindBalanced(text, u'(', u')', 4), 7);
    EXPECT_EQ(element.FindBalanced(text, u'(', u')', 0), 3); // 0 counts as 1
    EXPECT_EQ(element.FindBalanced(text, u'(', u')', -1), -1);
    // A start that is not below the length gives -1, even on the last character.
    EXPECT_EQ(element.FindBalanced(text, u'(', u')', 8), -1);
    EXPECT_EQ(element.FindBalanced(text, u'(', u')', 100), -1);
    EXPECT_EQ(element.FindBalanced(QString(), u'(', u')'), -1);
}

TEST_F(SkinElementText, FindBalancedWithEqualCharactersOnlyOpens) {
    EXPECT_EQ(element.FindBalanced(QStringLiteral("|a|b"), u'|', u'|'), -1);
    EXPECT_EQ(element.FindBalanced(QStringLiteral("abcd"), u'|', u'|'), 5);
}

TEST_F(SkinElementText, ParsePositionGivesRightMinusLeftAndBottomMinusTop) {
    int left = -1, top = -1, width = -1, height = -1;
    element.ParsePosition(QStringLiteral("position=\"32, 10, 190, 30\""), left, top, width, height);
    EXPECT_EQ((std::array{left, top, width, height}), (std::array{32, 10, 158, 20}));

    // A right or bottom before the left or top gives a negative size, unchanged.
    element.ParsePosition(QStringLiteral("position=\"255, 0, 249, 20\""), left, top, width, height);
    EXPECT_EQ((std::array{left, top, width, height}), (std::array{255, 0, -6, 20}));
}

TEST_F(SkinElementText, ParsePositionLeavesTheOutputsWithoutFourNumbers) {
    for (const char* markup : {"position=\"32, 10, 190\"", "left=\"1, 2, 3, 4\"", ""}) {
        int left = 1, top = 2, width = 3, height = 4;
        element.ParsePosition(QString::fromUtf8(markup), left, top, width, height);
        EXPECT_EQ((std::array{left, top, width, height}), (std::array{1, 2, 3, 4})) << markup;
    }
}

TEST_F(SkinElementText, ParsePositionDoesNotOverflowOnExtremeNumbers) {
    int left = 0, top = 0, width = 0, height = 0;
    element.ParsePosition(QStringLiteral("position=\"-2147483648, 2147483647, 2147483647, "
                                         "-2147483648\""),
                          left, top, width, height);
    EXPECT_EQ(width, std::numeric_limits<int>::max());
    EXPECT_EQ(height, std::numeric_limits<int>::min());
}

TEST_F(SkinElementText, ElementByNameFindsTheFirstNameFollowedByPosition) {
    const QString document = QStringLiteral("<skin>\n"
                                            "<button title=\"play position=\" />\n"
                                            "<play position=\"1, 2, 3, 4\" image=\"a.bmp\"/>\n"
                                            "<stop position=\"5, 6, 7, 8\"/>\n"
                                            "</skin>");
    EXPECT_EQ(element.ElementByName(document, QStringLiteral("stop")),
              QStringLiteral("<stop position=\"5, 6, 7, 8\"/>"));
    // A name inside another element's attributes is found there first; the element then
    // runs from the character before the name to the next "/>".
    EXPECT_EQ(element.ElementByName(document, QStringLiteral("play")),
              QStringLiteral("\"play position=\" />"));
    const int afterFirst = static_cast<int>(document.indexOf(QStringLiteral("/>"))) + 1;
    EXPECT_EQ(element.ElementByName(document, QStringLiteral("play"), afterFirst),
              QStringLiteral("<play position=\"1, 2, 3, 4\" image=\"a.bmp\"/>"));
    EXPECT_EQ(element.ElementByName(document, QStringLiteral("play"), -5),
              element.ElementByName(document, QStringLiteral("play")));
    EXPECT_EQ(element.ElementByName(document, QStringLiteral("pause")), QString());
    EXPECT_EQ(element.ElementByName(document, QStringLiteral("stop"), 10000), QString());
    // The name needs exactly one space before "position=".
    EXPECT_EQ(element.ElementByName(QStringLiteral("<a  position=\"1\"/>"), QStringLiteral("a")),
              QString());
}

TEST_F(SkinElementText, ElementByNameWithoutAnEndOrACharacterBeforeTheName) {
    EXPECT_EQ(element.ElementByName(QStringLiteral("<a position=\"1\">"), QStringLiteral("a")),
              QString());
    EXPECT_EQ(element.ElementByName(QStringLiteral("a position=\"1\"/>"), QStringLiteral("a")),
              QStringLiteral("a position=\"1\"/>"));
}

TEST_F(SkinElementText, ElementBlockEndsBeforeTheClosingTagOrTheSelfClosingEnd) {
    const QString document = QStringLiteral("<skin><main position=\"0, 0, 320, 355\">"
                                            "<play position=\"1, 2, 3, 4\"/></main>"
                                            "<timer interval=\"5\"/></skin>");
    EXPECT_EQ(element.ElementBlock(document, QStringLiteral("main")),
              QStringLiteral("<main position=\"0, 0, 320, 355\"><play position=\"1, 2, 3, 4\"/>"));
    EXPECT_EQ(element.ElementBlock(document, QStringLiteral("timer")),
              QStringLiteral("<timer interval=\"5\""));
    EXPECT_EQ(element.ElementBlock(document, QStringLiteral("volume")), QString());
    EXPECT_EQ(element.ElementBlock(QStringLiteral("<open a=\"1\">"), QStringLiteral("open")),
              QString());
}

TEST_F(SkinElementText, AnElementsEndIsNeverLookedForInsideItsName) {
    const QString document = QStringLiteral("<a/> position=\"1\"/><x/>");
    EXPECT_EQ(element.ElementByName(document, QStringLiteral("a/>")), document.left(19));
    EXPECT_EQ(element.ElementBlock(document, QStringLiteral("a/>")), document.left(17));
}

TEST_F(SkinElementText, CopyHasItsOwnMarkupText) {
    element.markupText = QStringLiteral("<a/>");
    SkinElement copy(element);
    copy.markupText += QStringLiteral("<b/>");
    EXPECT_EQ(element.markupText, QStringLiteral("<a/>"));
    EXPECT_EQ(copy.markupText, QStringLiteral("<a/><b/>"));
}
