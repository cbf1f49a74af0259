#include "X11WindowWatch.h"

namespace platform {

X11WindowWatch::X11WindowWatch(Display* display, Window ignored)
    : display_(display), root_(DefaultRootWindow(display)), ignored_(ignored) {
    XSelectInput(display_, root_, SubstructureNotifyMask | StructureNotifyMask);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display_, root_, &rootReturn, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i)
            track(children[i]);
        XFree(children);
    }
}

X11WindowWatch::~X11WindowWatch() {
    XSelectInput(display_, root_, NoEventMask);
}

bool X11WindowWatch::handlePending(const Changed& changed) {
    bool restacked = false;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        restacked |= handle(event, changed);
    }
    return restacked;
}

bool X11WindowWatch::handle(const XEvent& event, const Changed& changed) {
    switch (event.type) {
    case ConfigureNotify: {
        const XConfigureEvent& e = event.xconfigure;
        if (e.window == root_) {
            screenResized_ |= e.width != DisplayWidth(display_, DefaultScreen(display_)) ||
                              e.height != DisplayHeight(display_, DefaultScreen(display_));
            return false;
        }
        if (e.window == ignored_)
            return false;
        auto found = windows_.find(e.window);
        if (found == windows_.end())
            return false;
        TopLevel& window = found->second;
        const XRectangle before = window.area;
        window.area = areaOf(e.x, e.y, e.width, e.height, e.border_width);
        if (!window.viewable)
            return false;
        changed(before);
        changed(window.area);
        return true;
    }
    case MapNotify: {
        // Windows made since the watch began are looked at when they first appear.
        auto found = windows_.find(event.xmap.window);
        if (found == windows_.end()) {
            track(event.xmap.window);
            found = windows_.find(event.xmap.window);
            if (found == windows_.end())
                return false;
        }
        found->second.viewable = true;
        changed(found->second.area);
        return true;
    }
    case UnmapNotify: {
        auto found = windows_.find(event.xunmap.window);
        if (found == windows_.end() || !found->second.viewable)
            return false;
        found->second.viewable = false;
        changed(found->second.area);
        return false;
    }
    case DestroyNotify: {
        auto found = windows_.find(event.xdestroywindow.window);
        if (found == windows_.end())
            return false;
        if (found->second.viewable)
            changed(found->second.area);
        windows_.erase(found);
        return false;
    }
    case ReparentNotify: {
        const XReparentEvent& e = event.xreparent;
        if (e.parent == root_) {
            track(e.window);
        } else if (auto found = windows_.find(e.window); found != windows_.end()) {
            if (found->second.viewable)
                changed(found->second.area);
            windows_.erase(found);
        }
        return false;
    }
    default:
        return false;
    }
}

// Input-only windows show nothing, so they change no picture.
void X11WindowWatch::track(Window window) {
    if (window == ignored_)
        return;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes) || attributes.c_class == InputOnly)
        return;
    TopLevel& entry = windows_[window];
    entry.area = areaOf(attributes.x, attributes.y, attributes.width, attributes.height,
                        attributes.border_width);
    entry.viewable = attributes.map_state == IsViewable;
}

XRectangle X11WindowWatch::areaOf(int x, int y, int width, int height, int border) {
    return XRectangle{static_cast<short>(x), static_cast<short>(y),
                      static_cast<unsigned short>(width + 2 * border),
                      static_cast<unsigned short>(height + 2 * border)};
}

} // namespace platform
