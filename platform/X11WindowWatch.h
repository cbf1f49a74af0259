#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <unordered_map>

namespace platform {

// Follows the top-level windows (the root's children) through the root's structure events
// and reports the screen areas whose picture they change: where a window was and is after it
// moves, resizes or is restacked, and where it appears or disappears.
class X11WindowWatch {
  public:
    using Changed = std::function<void(const XRectangle&)>;

    // Starts listening; `ignored` (the snow's own window) is never reported.
    X11WindowWatch(Display* display, Window ignored);
    ~X11WindowWatch();
    X11WindowWatch(const X11WindowWatch&) = delete;
    X11WindowWatch& operator=(const X11WindowWatch&) = delete;

    // Handles every event received so far; reports each changed area. True when a window
    // was mapped or restacked, so that the snow's window should be raised again.
    bool handlePending(const Changed& changed);
    // True once the root window itself changed size (the screen was resized).
    bool screenResized() const { return screenResized_; }

  private:
    struct TopLevel {
        XRectangle area{};
        bool viewable = false;
    };
    bool handle(const XEvent& event, const Changed& changed);
    void track(Window window);
    static XRectangle areaOf(int x, int y, int width, int height, int border);

    Display* display_;
    Window root_;
    Window ignored_;
    std::unordered_map<Window, TopLevel> windows_;
    bool screenResized_ = false;
};

} // namespace platform
