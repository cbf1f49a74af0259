#include "X11Overlay.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#include <algorithm>

namespace platform {

X11Overlay::X11Overlay(Display* display, int width, int height)
    : display_(display), width_(width), height_(height),
      state_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {
    const int screen = DefaultScreen(display_);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True; // no window manager frame, focus or placement
    attributes.background_pixel = WhitePixel(display_, screen);
    attributes.border_pixel = 0;
    window_ =
        XCreateWindow(display_, RootWindow(display_, screen), 0, 0, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWOverrideRedirect | CWBackPixel | CWBorderPixel, &attributes);
    // Empty before it is mapped: nothing shows and nothing is clickable.
    XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, nullptr, 0, ShapeSet, Unsorted);
    XShapeCombineRectangles(display_, window_, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);

    XStoreName(display_, window_, "tarvo snow");
    XClassHint hint{const_cast<char*>("snow"), const_cast<char*>("tarvo")};
    XSetClassHint(display_, window_, &hint);
    // A compositor must not stop compositing the desktop for this screen-sized window.
    const long keepCompositing = 2;
    XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_BYPASS_COMPOSITOR", False),
                    XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&keepCompositing), 1);
    XMapRaised(display_, window_);
}

X11Overlay::~X11Overlay() {
    XDestroyWindow(display_, window_);
    XFlush(display_);
}

void X11Overlay::change(int x, int y, bool covered) {
    std::uint8_t& bits = state_[index(x, y)];
    if (static_cast<bool>(bits & kCovered) == covered)
        return;
    bits = static_cast<std::uint8_t>(covered ? bits | kCovered : bits & ~kCovered);
    if (!(bits & kTouched)) {
        bits |= kTouched;
        touched_.push_back(static_cast<std::uint32_t>(index(x, y)));
    }
}

void X11Overlay::uncoverRect(int left, int top, int width, int height) {
    const int right = std::min(left + width, width_);
    const int bottom = std::min(top + height, height_);
    left = std::max(left, 0);
    top = std::max(top, 0);
    if (left >= right || top >= bottom)
        return;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            uncover(x, y);
    }
}

void X11Overlay::raise() {
    XRaiseWindow(display_, window_);
}

void X11Overlay::flush() {
    std::vector<XRectangle> shown;
    std::vector<XRectangle> hidden;
    for (const std::uint32_t i : touched_) {
        std::uint8_t& bits = state_[i];
        const bool covered = bits & kCovered;
        if (covered != static_cast<bool>(bits & kShown)) {
            const XRectangle pixel{static_cast<short>(i % static_cast<std::uint32_t>(width_)),
                                   static_cast<short>(i / static_cast<std::uint32_t>(width_)), 1,
                                   1};
            (covered ? shown : hidden).push_back(pixel);
        }
        bits = static_cast<std::uint8_t>(covered ? kCovered | kShown : 0);
    }
    touched_.clear();
    if (!hidden.empty())
        XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, hidden.data(),
                                static_cast<int>(hidden.size()), ShapeSubtract, Unsorted);
    if (!shown.empty())
        XShapeCombineRectangles(display_, window_, ShapeBounding, 0, 0, shown.data(),
                                static_cast<int>(shown.size()), ShapeUnion, Unsorted);
    XFlush(display_);
}

} // namespace platform
