#pragma once

#include <cstdint>

namespace vis {

// A colour as 0x00RRGGBB. Only equality and white matter to the snowfall.
using Colour = std::uint32_t;
constexpr Colour kWhite = 0xFFFFFF;
// What a read outside the screen gives: equal to itself, never white.
constexpr Colour kInvalidColour = 0xFFFFFFFF;

// The whole desktop as the snowfall sees it: pixels read and written in screen coordinates.
// Reads and writes happen between beginFrame() and endFrame(); a write is seen by the reads
// after it in the same frame. Coordinates outside the screen read kInvalidColour and ignore
// writes.
class DesktopCanvas {
  public:
    virtual ~DesktopCanvas() = default;

    // Starts drawing on a clean desktop; false (with a message on standard error) when the
    // desktop cannot be drawn on.
    virtual bool open() = 0;
    // Takes away everything drawn since open(), leaving the desktop as its windows show it.
    virtual void close() = 0;

    // The screen's size in pixels, valid after open().
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Brackets one frame's reads and writes: the screen is read at the beginning, what was
    // written shows at the end. beginFrame() is false when the screen cannot be read now.
    virtual bool beginFrame() = 0;
    virtual void endFrame() = 0;

    virtual Colour pixel(std::int64_t x, std::int64_t y) const = 0;
    virtual void setPixel(std::int64_t x, std::int64_t y, Colour colour) = 0;
};

} // namespace vis
