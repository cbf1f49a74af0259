#include "SnowRunner.h"
#include "MemoryCanvas.h"
#include "ScreenCanvas.h"

#include <QTest>
#include <gtest/gtest.h>

using vis::MemoryCanvas;
using vis::SnowRunner;

namespace {

constexpr vis::Colour kBlue = 0x2040A0;

// The runner owns its canvas; this one draws on a MemoryCanvas the test keeps.
using CanvasOnTestMemory = vis::ScreenCanvas<MemoryCanvas&>;

bool screenShowsOnlyTheScene(const MemoryCanvas& canvas) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) != canvas.scenePixel(x, y))
                return false;
    return true;
}

std::unique_ptr<SnowRunner> runnerOn(MemoryCanvas& canvas) {
    return std::make_unique<SnowRunner>(std::make_unique<CanvasOnTestMemory>(canvas),
                                        std::make_unique<vis::SeededRandom>(5), [] { return 2; });
}

struct RefusingScreen {
    bool open() { return false; }
    void close() {}
    int width() const { return 0; }
    int height() const { return 0; }
    bool beginFrame() { return false; }
    void endFrame() {}
    vis::Colour pixel(std::int64_t, std::int64_t) const { return vis::kInvalidColour; }
    void setPixel(std::int64_t, std::int64_t, vis::Colour) {}
};

} // namespace

TEST(SnowRunner, SnowsOnItsTimerAndAStopOrTheDestructorLeavesTheScreenClean) {
    MemoryCanvas canvas(320, 240, kBlue);
    canvas.fillRect(20, 100, 200, 60, 0x808080);
    auto runner = runnerOn(canvas);
    ASSERT_TRUE(runner->start());
    EXPECT_TRUE(runner->isRunning());
    EXPECT_TRUE(canvas.isOpen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return runner->snowfall().frameNumber() >= 5; }, 5000));
    EXPECT_FALSE(screenShowsOnlyTheScene(canvas)) << "no flake was drawn";

    runner->toggle();
    EXPECT_FALSE(runner->isRunning());
    EXPECT_FALSE(canvas.isOpen());
    EXPECT_TRUE(screenShowsOnlyTheScene(canvas));
    const auto frames = runner->snowfall().frameNumber();
    QTest::qWait(3 * SnowRunner::kFrameIntervalMs);
    EXPECT_EQ(runner->snowfall().frameNumber(), frames);
    EXPECT_EQ(canvas.framesBegun(), canvas.framesEnded());

    ASSERT_TRUE(runner->start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !screenShowsOnlyTheScene(canvas); }, 5000));
    runner.reset();
    EXPECT_FALSE(canvas.isOpen());
    EXPECT_TRUE(screenShowsOnlyTheScene(canvas));
}

TEST(SnowRunner, ARestartPlacesNewFlakesAndTheFrameCountRunsOn) {
    MemoryCanvas canvas(320, 240, kBlue);
    auto runner = runnerOn(canvas);
    ASSERT_TRUE(runner->start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return runner->snowfall().frameNumber() >= 3; }, 5000));
    runner->toggle();
    const auto flakesAtStop = runner->snowfall().flakes();
    const auto framesAtStop = runner->snowfall().frameNumber();

    runner->toggle();
    ASSERT_TRUE(runner->isRunning());
    int moved = 0;
    for (int i = 0; i < vis::Snowfall::kFlakes; ++i) {
        const auto& now = runner->snowfall().flakes()[i];
        moved += now.x != flakesAtStop[i].x || now.y != flakesAtStop[i].y;
    }
    EXPECT_GT(moved, vis::Snowfall::kFlakes * 9 / 10) << "the flakes were not placed anew";
    EXPECT_EQ(runner->snowfall().frameNumber(), framesAtStop);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return runner->snowfall().frameNumber() > framesAtStop; }, 5000));
}

TEST(SnowRunner, ADesktopThatCannotBeDrawnOnLeavesTheSnowStopped) {
    SnowRunner runner(std::make_unique<vis::ScreenCanvas<RefusingScreen>>(),
                      std::make_unique<vis::SeededRandom>(6), [] { return 2; });
    EXPECT_FALSE(runner.start());
    runner.toggle();
    EXPECT_FALSE(runner.isRunning());
}
