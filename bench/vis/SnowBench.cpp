#include "MemoryCanvas.h"
#include "ScreenCanvas.h"
#include "Snowfall.h"
#include "X11Desktop.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int kDrift = 2;

// One snow frame on a 1280 x 1024 desktop in memory with a few windows on it; the heaps pile
// up over the run as they would on a desktop that never repaints.
void SnowFrameInMemory(benchmark::State& state) {
    vis::MemoryCanvas canvas(1280, 1024, 0x204020);
    canvas.fillRect(100, 100, 600, 400, 0xC0C0C0);
    canvas.fillRect(100, 100, 600, 30, 0x3060C0);
    canvas.fillRect(0, 994, 1280, 30, 0x303030);
    vis::SeededRandom random(1);
    vis::Snowfall snow(random);
    canvas.open();
    snow.start(canvas);
    for (auto _ : state)
        snow.frame(canvas, kDrift);
}
BENCHMARK(SnowFrameInMemory);

// The same on the X display named by DISPLAY (run under Xvfb): the screen read through
// shared memory, the model's frame, and the new shape of the snow's window sent to the server.
void SnowFrameOnX11(benchmark::State& state) {
    const char* display = std::getenv("DISPLAY");
    vis::ScreenCanvas<platform::X11Desktop> canvas(display ? display : "");
    if (!display || !canvas.open()) {
        state.SkipWithError("needs an X display (tests/run-under-xvfb.sh gives one)");
        return;
    }
    vis::SeededRandom random(1);
    vis::Snowfall snow(random);
    snow.start(canvas);
    for (auto _ : state)
        snow.frame(canvas, kDrift);
    state.counters["shared_memory"] = canvas.screen().readsThroughSharedMemory();
}
BENCHMARK(SnowFrameOnX11)->Unit(benchmark::kMicrosecond);

// What a frame costs before the snow: the sync with the server and the screen read.
void ScreenReadOnX11(benchmark::State& state) {
    const char* display = std::getenv("DISPLAY");
    platform::X11Desktop desktop(display ? display : "");
    if (!display || !desktop.open()) {
        state.SkipWithError("needs an X display (tests/run-under-xvfb.sh gives one)");
        return;
    }
    for (auto _ : state) {
        desktop.beginFrame();
        desktop.endFrame();
    }
}
BENCHMARK(ScreenReadOnX11)->Unit(benchmark::kMicrosecond);

} // namespace
