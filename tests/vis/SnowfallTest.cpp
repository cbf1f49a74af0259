#include "Snowfall.h"
#include "MemoryCanvas.h"
#include "PlannedRandom.h"

#include <gtest/gtest.h>
#include <set>
#include <utility>

using vis::Flake;
using vis::kWhite;
using vis::MemoryCanvas;
using vis::Snowfall;
using vistest::PlannedRandom;

namespace {

constexpr vis::Colour kGrey = 0x606060;
constexpr int kDrift = 2;

using Pixel = std::pair<int, int>;

std::set<Pixel> whitePixels(const MemoryCanvas& canvas) {
    std::set<Pixel> white;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) == kWhite)
                white.insert({x, y});
    return white;
}

bool onScreen(const MemoryCanvas& canvas, const Flake& f) {
    return f.x >= 0 && f.y >= 0 && f.x < canvas.width() && f.y < canvas.height();
}

// Whether a flake that moved from `before` to `after` in one frame with drift `drift` was
// re-spawned rather than moved; fails when it did neither.
bool respawned(const Flake& before, const Flake& after, int drift) {
    const auto dx = after.x - before.x;
    if (after.y == before.y + before.fallStep && dx >= drift - 1 && dx <= drift + 2)
        return false;
    EXPECT_LE(after.y, 10) << "neither moved nor re-spawned near the top";
    return true;
}

} // namespace

TEST(Snowfall, StartPlacesEveryFlakeOnTheScreenWithItsPaceAndTheColourItCovers) {
    MemoryCanvas canvas(1280, 1024, kGrey);
    canvas.fillRect(0, 0, 640, 512, 0x123456);
    vis::SeededRandom random(1);
    Snowfall snow(random);
    snow.frame(canvas, kDrift); // no flakes yet: nothing happens
    EXPECT_EQ(snow.frameNumber(), 0u);
    snow.start(canvas);
    EXPECT_EQ(canvas.framesBegun(), 1);
    EXPECT_EQ(canvas.framesEnded(), 1);
    std::set<int> periods;
    for (const Flake& f : snow.flakes()) {
        EXPECT_TRUE(f.x >= 0 && f.x <= 1280 && f.y >= 0 && f.y <= 1024);
        EXPECT_EQ(f.savedColour, canvas.pixel(f.x, f.y));
        EXPECT_TRUE(f.period >= 1 && f.period <= 6);
        EXPECT_TRUE(f.fallStep >= 1 && f.fallStep <= f.period + 1);
        EXPECT_TRUE(f.landingInterval >= 30 - f.period && f.landingInterval <= 30);
        periods.insert(f.period);
    }
    EXPECT_EQ(periods.size(), 6u);
    EXPECT_TRUE(whitePixels(canvas).empty()) << "flakes are drawn at their first move";
}

TEST(Snowfall, InFrameZeroEveryFlakeMovesByItsFallStepAndTheDrift) {
    MemoryCanvas canvas(1280, 1024, kGrey);
    vis::SeededRandom random(2);
    Snowfall snow(random);
    snow.start(canvas);
    const auto before = snow.flakes();
    const int drift = 5;
    snow.frame(canvas, drift);
    EXPECT_EQ(snow.frameNumber(), 1u);
    std::set<Pixel> expected;
    for (int i = 0; i < Snowfall::kFlakes; ++i) {
        const Flake& f = snow.flakes()[i];
        if (respawned(before[i], f, drift)) {
            // Past the right or bottom edge, or landed on the bottom row (below it the screen
            // reads as invalid, which differs from any colour).
            EXPECT_TRUE(before[i].x + drift + 2 > 1280 || before[i].y + f.fallStep >= 1023);
            continue;
        }
        EXPECT_EQ(f.savedColour, onScreen(canvas, f) ? kGrey : vis::kInvalidColour);
        if (onScreen(canvas, f))
            expected.insert({static_cast<int>(f.x), static_cast<int>(f.y)});
    }
    std::set<Pixel> white = whitePixels(canvas);
    std::erase_if(white, [](const Pixel& p) { return p.second >= 1022; }); // bottom-row heaps
    std::erase_if(expected, [](const Pixel& p) { return p.second >= 1022; });
    EXPECT_EQ(white, expected);
}

// Every row differs from the next: a flake may land anywhere, but only in frames that are
// multiples of its landing interval (24 to 30): frame 0, and none of frames 1 to 23.
TEST(Snowfall, AFlakeLandsOnlyInFramesThatAreMultiplesOfItsLandingInterval) {
    MemoryCanvas canvas(1280, 1024, kGrey);
    for (int y = 0; y < 1024; ++y)
        canvas.fillRect(0, y, 1280, 1, static_cast<vis::Colour>(y + 1));
    vis::SeededRandom random(3);
    Snowfall snow(random);
    snow.start(canvas);
    auto before = snow.flakes();
    snow.frame(canvas, kDrift);
    for (int i = 0; i < Snowfall::kFlakes; ++i) {
        const Flake& was = before[i];
        if (was.x >= 1 && was.x + 5 < 1280 && was.y >= 10 && was.y + was.fallStep + 2 < 1024) {
            EXPECT_TRUE(respawned(was, snow.flakes()[i], kDrift)) << "flake " << i;
        }
    }
    for (int frame = 1; frame < 24; ++frame) {
        before = snow.flakes();
        snow.frame(canvas, kDrift);
        for (int i = 0; i < Snowfall::kFlakes; ++i) {
            const Flake& was = before[i];
            const bool moves = frame % was.period == 0;
            const bool staysOn = was.x + kDrift + 2 <= 1280 && was.y + was.fallStep <= 1024;
            if (moves && staysOn) {
                EXPECT_FALSE(respawned(was, snow.flakes()[i], kDrift))
                    << "flake " << i << " landed in frame " << frame;
            } else if (!moves) {
                EXPECT_EQ(snow.flakes()[i].y, was.y);
            }
        }
    }
}

TEST(Snowfall, AFlakeOfPeriodSixMovesInFramesZeroSixAndTwelve) {
    MemoryCanvas canvas(200, 100, kGrey);
    PlannedRandom random;
    random.planFlake(10, 5, 5, 0, 0);
    random.parkTheRest(1, 200, 100);
    Snowfall snow(random);
    snow.start(canvas);
    std::vector<std::int64_t> rows;
    for (int frame = 0; frame <= 12; ++frame) {
        snow.frame(canvas, kDrift);
        rows.push_back(snow.flakes()[0].y);
    }
    const std::vector<std::int64_t> expected = {6, 6, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 8};
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(whitePixels(canvas), (std::set<Pixel>{{22, 8}}));
}

// One column or row past the screen is still inside the bounds: the flake goes there unseen
// and is re-spawned near the top at its next move.
TEST(Snowfall, AFlakePastTheRightOrBottomEdgeIsRespawnedNearTheTop) {
    MemoryCanvas canvas(200, 100, kGrey);
    PlannedRandom random;
    random.planFlake(197, 20, 0, 0, 0); // ends on x = 200 after a move of 3
    random.planFlake(50, 98, 1, 1, 0);  // period 2, falls 2: ends on y = 100
    random.parkTheRest(2, 200, 100);
    Snowfall snow(random);
    snow.start(canvas);
    random.plan({2, 0});
    snow.frame(canvas, kDrift);
    EXPECT_EQ(std::make_pair(snow.flakes()[0].x, snow.flakes()[0].y), std::make_pair(200L, 21L));
    EXPECT_EQ(std::make_pair(snow.flakes()[1].x, snow.flakes()[1].y), std::make_pair(51L, 100L));
    EXPECT_EQ(snow.flakes()[0].savedColour, vis::kInvalidColour);
    EXPECT_TRUE(whitePixels(canvas).empty());

    random.plan({0, 4, 33}); // flake 0: past the right edge, re-spawned at (33, 4)
    snow.frame(canvas, kDrift);
    random.plan({1, 1, 7, 60}); // flake 0 moves on; flake 1: past the bottom, to (60, 7)
    snow.frame(canvas, kDrift);
    EXPECT_TRUE(random.planUsed());
    EXPECT_EQ(std::make_pair(snow.flakes()[0].x, snow.flakes()[0].y), std::make_pair(35L, 5L));
    EXPECT_EQ(std::make_pair(snow.flakes()[1].x, snow.flakes()[1].y), std::make_pair(60L, 7L));
    EXPECT_EQ(snow.flakes()[1].savedColour, kGrey);
    EXPECT_EQ(whitePixels(canvas), (std::set<Pixel>{{35, 5}}));
}

TEST(Snowfall, ErasingPutsBackTheCoveredColourUnlessSomethingPaintedOverTheFlake) {
    MemoryCanvas canvas(200, 100, kGrey);
    canvas.fillRect(40, 20, 40, 40, kWhite);
    PlannedRandom random;
    random.planFlake(45, 25, 0, 0, 0); // then 4 to the right and 1 down per frame
    random.parkTheRest(1, 200, 100);
    Snowfall snow(random);
    snow.start(canvas);
    for (int frame = 0; frame < 10; ++frame)
        snow.frame(canvas, kDrift);
    const Flake& flake = snow.flakes()[0];
    ASSERT_EQ(std::make_pair(flake.x, flake.y), std::make_pair(85L, 35L));
    std::set<Pixel> expected = {{85, 35}};
    for (int y = 20; y < 60; ++y)
        for (int x = 40; x < 80; ++x)
            expected.insert({x, y});
    EXPECT_EQ(whitePixels(canvas), expected) << "the white square lost pixels or grey turned white";

    canvas.fillRect(85, 35, 1, 1, 0x0000FF); // a window repaints over the flake
    snow.frame(canvas, kDrift);
    EXPECT_EQ(canvas.pixel(85, 35), 0x0000FFu);
    EXPECT_EQ(canvas.pixel(89, 36), kWhite);
}

// Colour A above row 50, B below: a flake reaching row 49 lands, snaps up a row (the two
// rows above it are alike) and leaves its heap one drift further right. Right of column 150
// rows 40, 41 and 42 differ and 43, 44 are alike: a flake reaching row 42 snaps down. A mark
// two columns wide holds no snow: all three columns must show an edge.
TEST(Snowfall, OnAHorizontalEdgeAFlakeSnapsLeavesAThreePixelHeapAndIsRespawned) {
    const vis::Colour a = 0x203040, b = 0x405060;
    MemoryCanvas canvas(200, 100, a);
    canvas.fillRect(0, 50, 200, 50, b);
    canvas.fillRect(150, 40, 50, 1, 0x111111);
    canvas.fillRect(150, 41, 50, 1, 0x222222);
    canvas.fillRect(150, 42, 50, 1, 0x333333);
    canvas.fillRect(150, 43, 50, 7, 0x444444);
    canvas.fillRect(60, 30, 2, 1, 0x555555);
    PlannedRandom random;
    random.planFlake(100, 48, 0, 0, 0);
    random.planFlake(160, 41, 0, 0, 0);
    random.planFlake(60, 29, 0, 0, 0);
    random.parkTheRest(3, 200, 100);
    Snowfall snow(random);
    snow.start(canvas);
    random.plan({0, 3, 20, 0, 5, 30, 0});
    snow.frame(canvas, kDrift);
    EXPECT_TRUE(random.planUsed());

    const std::set<Pixel> heaps = {{103, 48}, {102, 49}, {104, 49},  // snapped up
                                   {163, 43}, {162, 44}, {164, 44}}; // snapped down
    std::set<Pixel> expected = heaps;
    expected.insert({61, 30}); // the flake over the narrow mark just moved there
    EXPECT_EQ(whitePixels(canvas), expected);
    EXPECT_EQ(std::make_pair(snow.flakes()[0].x, snow.flakes()[0].y), std::make_pair(20L, 3L));
    EXPECT_EQ(std::make_pair(snow.flakes()[1].x, snow.flakes()[1].y), std::make_pair(30L, 5L));
    EXPECT_EQ(snow.flakes()[1].savedColour, a);
    EXPECT_EQ(snow.flakes()[2].savedColour, 0x555555u);
}
