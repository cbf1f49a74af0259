#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

namespace platform {

// A screen-sized, override-redirect, white window on top of all others whose shape is the set
// of pixels it covers; its input shape is empty, so it takes no pointer input. Pixels change
// in memory and reach the server in one request per kind at flush().
class X11Overlay {
  public:
    X11Overlay(Display* display, int width, int height);
    ~X11Overlay(); // destroys the window
    X11Overlay(const X11Overlay&) = delete;
    X11Overlay& operator=(const X11Overlay&) = delete;

    Window window() const { return window_; }
    bool covers(int x, int y) const { return state_[index(x, y)] & kCovered; }
    void cover(int x, int y) { change(x, y, true); }
    void uncover(int x, int y) { change(x, y, false); }
    // Uncovers a rectangle at once (clipped to the screen).
    void uncoverRect(int left, int top, int width, int height);
    void raise();
    // Sends the pixels changed since the last flush.
    void flush();

  private:
    // Per-pixel bits: covered now; covered at the last flush; changed since then.
    static constexpr std::uint8_t kCovered = 1, kShown = 2, kTouched = 4;

    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    void change(int x, int y, bool covered);

    Display* display_;
    int width_;
    int height_;
    Window window_ = 0;
    std::vector<std::uint8_t> state_;
    std::vector<std::uint32_t> touched_;
};

} // namespace platform
