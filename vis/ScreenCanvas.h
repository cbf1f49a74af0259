#pragma once

#include "DesktopCanvas.h"

#include <utility>

namespace vis {

// A DesktopCanvas over a platform's screen class that has the same operations, so that the
// platform layer needs nothing from this one: the program names the two together, as in
// ScreenCanvas<platform::X11Desktop>.
template <typename Screen> class ScreenCanvas final : public DesktopCanvas {
  public:
    template <typename... Args>
    explicit ScreenCanvas(Args&&... args) : screen_(std::forward<Args>(args)...) {}

    bool open() override { return screen_.open(); }
    void close() override { screen_.close(); }
    int width() const override { return screen_.width(); }
    int height() const override { return screen_.height(); }
    bool beginFrame() override { return screen_.beginFrame(); }
    void endFrame() override { screen_.endFrame(); }
    Colour pixel(std::int64_t x, std::int64_t y) const override { return screen_.pixel(x, y); }
    void setPixel(std::int64_t x, std::int64_t y, Colour colour) override {
        screen_.setPixel(x, y, colour);
    }

    Screen& screen() { return screen_; }

  private:
    Screen screen_;
};

} // namespace vis
