#pragma once

#include "DesktopCanvas.h"
#include "RandomSource.h"

#include <array>
#include <cstdint>

namespace vis {

// One snowflake: a single white pixel that remembers the colour it covers.
struct Flake {
    std::int64_t x = 0;
    std::int64_t y = 0;
    Colour savedColour = 0;  // the screen pixel the flake covers, put back when it moves on
    int period = 0;          // 1-6: moves only in frames whose number is a multiple of it
    int fallStep = 0;        // pixels it falls per move, 1 to period + 1
    int landingInterval = 0; // 30 - period .. 30: may settle only in frames that are multiples
};

// The desktop snowfall: 260 flakes drift right and down over the whole screen and settle in
// three-pixel heaps on horizontal edges, wherever a pixel differs from the one below it.
// Heaps are written and forgotten; they last until the screen under them is repainted.
//
// The frame counter runs on from one start to the next (a restart gives new flakes, not a new
// count), so which flakes move in a frame depends on the frames shown before. Main thread only;
// the canvas and the random source belong to the caller and outlive the calls that use them.
class Snowfall {
  public:
    static constexpr int kFlakes = 260;

    explicit Snowfall(RandomSource& random) : random_(random) {}

    // Reads the screen's size and gives every flake a place, a saved colour and its pace.
    void start(DesktopCanvas& canvas);
    // Moves the flakes whose turn it is by one step; `drift` pixels are added to every
    // horizontal move. A frame whose screen cannot be read, or that comes before start(), is
    // skipped and not counted.
    void frame(DesktopCanvas& canvas, int drift);

    const std::array<Flake, kFlakes>& flakes() const { return flakes_; }
    std::uint32_t frameNumber() const { return frameNumber_; }
    int screenWidth() const { return screenWidth_; }
    int screenHeight() const { return screenHeight_; }

  private:
    void moveFlake(DesktopCanvas& canvas, Flake& flake, int drift);
    bool settlesAt(const DesktopCanvas& canvas, std::int64_t x, std::int64_t y) const;
    void respawn(const DesktopCanvas& canvas, Flake& flake);

    RandomSource& random_;
    std::array<Flake, kFlakes> flakes_{};
    std::uint32_t frameNumber_ = 0;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    bool started_ = false;
};

} // namespace vis
