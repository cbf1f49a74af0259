#include "MemoryCanvas.h"

#include <algorithm>

namespace vis {

MemoryCanvas::MemoryCanvas(int width, int height, Colour background)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      scene_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background),
      screen_(scene_) {}

void MemoryCanvas::fillRect(int left, int top, int width, int height, Colour colour) {
    const int right = std::min(left + width, width_);
    const int bottom = std::min(top + height, height_);
    for (int y = std::max(top, 0); y < bottom; ++y) {
        for (int x = std::max(left, 0); x < right; ++x) {
            scene_[index(x, y)] = colour;
            screen_[index(x, y)] = colour;
        }
    }
}

Colour MemoryCanvas::scenePixel(std::int64_t x, std::int64_t y) const {
    return contains(x, y) ? scene_[index(x, y)] : kInvalidColour;
}

bool MemoryCanvas::open() {
    screen_ = scene_;
    open_ = true;
    return true;
}

void MemoryCanvas::close() {
    screen_ = scene_;
    open_ = false;
}

bool MemoryCanvas::beginFrame() {
    ++framesBegun_;
    return true;
}

void MemoryCanvas::endFrame() {
    ++framesEnded_;
}

Colour MemoryCanvas::pixel(std::int64_t x, std::int64_t y) const {
    return contains(x, y) ? screen_[index(x, y)] : kInvalidColour;
}

void MemoryCanvas::setPixel(std::int64_t x, std::int64_t y, Colour colour) {
    if (contains(x, y))
        screen_[index(x, y)] = colour;
}

bool MemoryCanvas::contains(std::int64_t x, std::int64_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
}

std::size_t MemoryCanvas::index(std::int64_t x, std::int64_t y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
}

} // namespace vis
