#include "X11Desktop.h"

#include "QtX11Display.h"
#include "X11Overlay.h"
#include "X11ScreenGrab.h"
#include "X11WindowWatch.h"

#include <X11/extensions/shape.h>
#include <cstdio>
#include <optional>

namespace platform {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kOutside = 0xFFFFFFFF;

// Xlib reports errors to one handler per process. While a desktop is open its connection's
// errors (a window that went away before it was looked at, a refused shared-memory segment)
// are counted and dropped; other connections' errors go to the handler that was there before.
Display* trappedDisplay = nullptr;
XErrorHandler previousHandler = nullptr;
int trappedErrors = 0;

int trapError(Display* display, XErrorEvent* error) {
    if (display == trappedDisplay) {
        ++trappedErrors;
        return 0;
    }
    return previousHandler ? previousHandler(display, error) : 0;
}

} // namespace

struct X11Desktop::Session {
    Display* display = nullptr;
    int width = 0;
    int height = 0;
    std::optional<X11ScreenGrab> grab;
    std::optional<X11Overlay> overlay;
    std::optional<X11WindowWatch> watch;

    ~Session() {
        watch.reset();
        overlay.reset();
        grab.reset();
        XSync(display, False);
        const XErrorHandler current = XSetErrorHandler(previousHandler);
        if (current != trapError)
            XSetErrorHandler(current); // installed after ours: keep it, it may forward to us
        trappedDisplay = nullptr;
        XCloseDisplay(display);
    }

    bool contains(std::int64_t x, std::int64_t y) const {
        return x >= 0 && y >= 0 && x < width && y < height;
    }
};

X11Desktop::X11Desktop(std::string displayName) : displayName_(std::move(displayName)) {}

X11Desktop::~X11Desktop() {
    close();
}

bool X11Desktop::open() {
    if (session_)
        return true;
    const auto refuse = [](const char* why) {
        std::fprintf(stderr, "tarvo: no snow on this desktop: %s\n", why);
        return false;
    };
    if (trappedDisplay)
        return refuse("the desktop is already being drawn on");
    const std::string name = displayName_.empty() ? qtX11DisplayName() : displayName_;
    if (name.empty())
        return refuse("the player does not run on an X11 display");
    Display* display = XOpenDisplay(name.c_str());
    if (!display)
        return refuse("cannot connect to the X display");
    int shapeEvent = 0;
    int shapeError = 0;
    int shapeMajor = 0;
    int shapeMinor = 0;
    if (!XShapeQueryExtension(display, &shapeEvent, &shapeError) ||
        !XShapeQueryVersion(display, &shapeMajor, &shapeMinor) ||
        (shapeMajor == 1 && shapeMinor < 1)) {
        XCloseDisplay(display);
        return refuse("the X server has no SHAPE extension 1.1 (click-through windows)");
    }

    auto session = std::make_unique<Session>();
    session->display = display;
    trappedDisplay = display;
    trappedErrors = 0;
    previousHandler = XSetErrorHandler(trapError);
    const int screen = DefaultScreen(display);
    session->width = DisplayWidth(display, screen);
    session->height = DisplayHeight(display, screen);
    session->grab.emplace(display, session->width, session->height);
    if (!session->grab->isValid())
        return refuse("cannot hold a picture of the screen");
    if (!session->grab->hasRgbPixels())
        return refuse("the screen is not 24-bit colour in 32-bit pixels");
    session->overlay.emplace(display, session->width, session->height);
    session->watch.emplace(display, session->overlay->window());
    XSync(display, False);
    session_ = std::move(session);
    return true;
}

void X11Desktop::close() {
    session_.reset();
}

int X11Desktop::width() const {
    return session_ ? session_->width : 0;
}
int X11Desktop::height() const {
    return session_ ? session_->height : 0;
}

bool X11Desktop::readsThroughSharedMemory() const {
    return session_ && session_->grab->isShared();
}

bool X11Desktop::beginFrame() {
    if (!session_)
        return false;
    Session& s = *session_;
    // Every event sent before now arrives with the sync; the windows that changed take their
    // heaps with them, so the picture read next shows the screen without those.
    XSync(s.display, False);
    const bool restacked = s.watch->handlePending([&s](const XRectangle& area) {
        s.overlay->uncoverRect(area.x, area.y, area.width, area.height);
    });
    if (s.watch->screenResized()) {
        // A new screen size: start again on the new screen, with nothing drawn.
        session_.reset();
        return open() && beginFrame();
    }
    if (restacked)
        s.overlay->raise();
    s.overlay->flush();
    return s.grab->grab();
}

void X11Desktop::endFrame() {
    if (session_)
        session_->overlay->flush();
}

std::uint32_t X11Desktop::pixel(std::int64_t x, std::int64_t y) const {
    if (!session_ || !session_->contains(x, y))
        return kOutside;
    return session_->grab->row(static_cast<int>(y))[x] & 0xFFFFFF;
}

void X11Desktop::setPixel(std::int64_t x, std::int64_t y, std::uint32_t colour) {
    if (!session_ || !session_->contains(x, y))
        return;
    Session& s = *session_;
    const int column = static_cast<int>(x);
    const int row = static_cast<int>(y);
    std::uint32_t& shown = s.grab->row(row)[column];
    // Only white can be drawn; any other colour is what the screen shows once the white
    // pixel is gone.
    if (colour == kWhite) {
        if (!s.overlay->covers(column, row) && (shown & 0xFFFFFF) != kWhite)
            s.overlay->cover(column, row);
    } else {
        s.overlay->uncover(column, row);
    }
    shown = colour;
}

} // namespace platform
