#include "EdgeAutoHide.h"

#include <gtest/gtest.h>

namespace {

using app::EdgeMove;
using C = EdgeMove::Coordinate;

constexpr int ScreenWidth = 1280;

void expectMove(std::optional<EdgeMove> move, C coordinate, int value) {
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(move->coordinate, coordinate);
    EXPECT_EQ(move->value, value);
}

TEST(EdgeAutoHide, AtTheLeftEdgeTheWindowHidesAndComesBackToZero) {
    expectMove(app::edgeAutoHide({500, 500}, {0, 100, 320, 355}, ScreenWidth), C::Left, -318);
    // The cursor on the 2-pixel strip that stays visible.
    expectMove(app::edgeAutoHide({1, 200}, {-318, 100, 320, 355}, ScreenWidth), C::Left, 0);
}

TEST(EdgeAutoHide, AtTheRightEdgeItComesBackAt300FromTheEdgeWhateverItsWidth) {
    for (int screenWidth : {1280, 1920}) {
        for (int width : {320, 200}) {
            SCOPED_TRACE(testing::Message() << screenWidth << " wide screen, " << width);
            expectMove(
                app::edgeAutoHide({10, 10}, {screenWidth - width, 100, width, 355}, screenWidth),
                C::Left, screenWidth - 2);
            expectMove(app::edgeAutoHide({screenWidth - 1, 200}, {screenWidth - 2, 100, width, 355},
                                         screenWidth),
                       C::Left, screenWidth - 300);
        }
    }
    // Past the edge counts as touching it.
    expectMove(app::edgeAutoHide({10, 10}, {1000, 100, 320, 355}, ScreenWidth), C::Left, 1278);
}

TEST(EdgeAutoHide, AtTheTopEdgeItHidesUpwardsAndTheLeftEdgeWins) {
    expectMove(app::edgeAutoHide({10, 600}, {400, 0, 320, 355}, ScreenWidth), C::Top, -353);
    expectMove(app::edgeAutoHide({500, 1}, {400, -353, 320, 355}, ScreenWidth), C::Top, 0);
    expectMove(app::edgeAutoHide({900, 900}, {0, 0, 320, 355}, ScreenWidth), C::Left, -318);
}

TEST(EdgeAutoHide, TheRightAndBottomEdgesCountAsInside) {
    const QRect atLeft{0, 100, 320, 355};
    expectMove(app::edgeAutoHide({320, 455}, atLeft, ScreenWidth), C::Left, 0);
    expectMove(app::edgeAutoHide({321, 455}, atLeft, ScreenWidth), C::Left, -318);
    expectMove(app::edgeAutoHide({320, 456}, atLeft, ScreenWidth), C::Left, -318);
    expectMove(app::edgeAutoHide({-1, 200}, atLeft, ScreenWidth), C::Left, -318);
}

TEST(EdgeAutoHide, AWindowAwayFromTheEdgesStaysWhereItIs) {
    const QRect window{400, 100, 320, 355};
    EXPECT_FALSE(app::edgeAutoHide({10, 10}, window, ScreenWidth));
    EXPECT_FALSE(app::edgeAutoHide({500, 200}, window, ScreenWidth));
    // One pixel short of the right edge, and away from it after coming back.
    EXPECT_FALSE(app::edgeAutoHide({10, 10}, {959, 100, 320, 355}, ScreenWidth));
    EXPECT_FALSE(app::edgeAutoHide({1000, 200}, {980, 100, 320, 355}, ScreenWidth));
}

} // namespace
