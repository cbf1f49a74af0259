#include "HeightAnimation.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// The layout's spring: stiffness 3.0 and damping 0.2 (slider positions 30 and 2, over 10).
constexpr float Stiffness = 30 / 10.0;
constexpr float Damping = 2 / 10.0;
constexpr int ScreenHeight = 1024;

// Runs the animation as the timer would until it says it is done; the heights it set.
std::vector<int> run(app::HeightAnimation& animation, int height, float damping = Damping) {
    std::vector<int> heights;
    for (int tick = 0; tick < 100; ++tick) {
        const app::HeightStep step = animation.step(height, ScreenHeight, Stiffness, damping);
        height = step.height;
        heights.push_back(height);
        EXPECT_EQ(step.top, (ScreenHeight - height) / 2);
        if (step.done)
            break;
    }
    return heights;
}

TEST(HeightAnimation, ExpandingAndCollapsingOvershootAndRestOnePixelOff) {
    app::HeightAnimation animation;
    animation.setTarget(app::HeightAnimation::ExpandedHeight);
    EXPECT_EQ(run(animation, 168), (std::vector{280, 347, 365, 363, 358, 355, 354, 354}));
    EXPECT_EQ(animation.velocity(), 0.0f);

    animation.setTarget(app::HeightAnimation::CollapsedHeight);
    EXPECT_EQ(run(animation, 355), (std::vector{243, 176, 158, 160, 165, 168, 169, 169}));
}

TEST(HeightAnimation, WithoutDampingTheFirstTickStopsWithoutMoving) {
    app::HeightAnimation animation;
    animation.setTarget(app::HeightAnimation::CollapsedHeight);
    EXPECT_EQ(run(animation, 355, 0.0f), std::vector{355});
}

TEST(HeightAnimation, ANewTargetMidRunKeepsTheVelocity) {
    app::HeightAnimation animation;
    animation.setTarget(app::HeightAnimation::ExpandedHeight);
    animation.step(168, ScreenHeight, Stiffness, Damping); // 280
    animation.step(280, ScreenHeight, Stiffness, Damping); // 347, velocity 67
    animation.setTarget(app::HeightAnimation::CollapsedHeight);
    // (67 + (168 - 347) × 3) × 0.2 = -94; from rest it would be -107.
    EXPECT_EQ(animation.step(347, ScreenHeight, Stiffness, Damping).height, 253);
    EXPECT_EQ(animation.error(), -179.0f);
    EXPECT_EQ(animation.acceleration(), -537.0f);
}

TEST(HeightAnimation, TheTopTruncatesTowardZero) {
    app::HeightAnimation animation;
    animation.setTarget(app::HeightAnimation::ExpandedHeight);
    EXPECT_EQ(animation.step(168, 1023, Stiffness, Damping).top, 371); // 743 / 2
    animation = {};
    animation.setTarget(app::HeightAnimation::ExpandedHeight);
    EXPECT_EQ(animation.step(168, 225, Stiffness, Damping).top, -27); // -55 / 2, not -28
}

TEST(HeightAnimation, ADivergingSpringStaysWithinWindowHeightsAndEnds) {
    app::HeightAnimation animation;
    animation.setTarget(app::HeightAnimation::ExpandedHeight);
    const std::vector<int> heights = run(animation, 168, 10.0f); // damping 10: unstable
    ASSERT_LT(heights.size(), 100u);
    for (int height : heights) {
        EXPECT_GE(height, 0);
        EXPECT_LE(height, app::HeightAnimation::MaxHeight);
    }
    EXPECT_EQ(animation.velocity(), 0.0f);
}

} // namespace
