#pragma once

#include "DesktopCanvas.h"

#include <vector>

namespace vis {

// A desktop in memory, for tests and benchmarks. It holds two pictures: the scene (what the
// windows show, drawn with fillRect) and the screen (the scene plus what the snowfall wrote).
// close() puts the scene back on the screen, as a repaint of every window would.
class MemoryCanvas final : public DesktopCanvas {
  public:
    MemoryCanvas(int width, int height, Colour background);

    // Draws a rectangle into the scene and onto the screen (a window appearing).
    void fillRect(int left, int top, int width, int height, Colour colour);
    // The scene's pixel: what the screen would show without the snow.
    Colour scenePixel(std::int64_t x, std::int64_t y) const;
    // How many frames (with the flakes' start-up reads) were begun and ended.
    int framesBegun() const { return framesBegun_; }
    int framesEnded() const { return framesEnded_; }
    bool isOpen() const { return open_; }

    bool open() override;
    void close() override;
    int width() const override { return width_; }
    int height() const override { return height_; }
    bool beginFrame() override;
    void endFrame() override;
    Colour pixel(std::int64_t x, std::int64_t y) const override;
    void setPixel(std::int64_t x, std::int64_t y, Colour colour) override;

  private:
    bool contains(std::int64_t x, std::int64_t y) const;
    std::size_t index(std::int64_t x, std::int64_t y) const;

    int width_;
    int height_;
    std::vector<Colour> scene_;
    std::vector<Colour> screen_;
    int framesBegun_ = 0;
    int framesEnded_ = 0;
    bool open_ = false;
};

} // namespace vis
