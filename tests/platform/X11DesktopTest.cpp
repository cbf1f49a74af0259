// The desktop canvas on a real X server (run under Xvfb): it draws over other windows, takes
// no pointer input from them, and leaves nothing behind.
#include "X11Desktop.h"

#include <gtest/gtest.h> // before Xlib, whose macros (None, Bool) break it

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdlib>

namespace {

constexpr unsigned long kRootColour = 0x102030;
constexpr unsigned long kRed = 0x800000;
constexpr unsigned long kWhite = 0xFFFFFF;

// The test's own connection: it makes windows and reads the screen as another client would.
class X11DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (!name || !*name)
            GTEST_SKIP() << "needs an X display (tests/run-under-xvfb.sh gives one)";
        display_ = XOpenDisplay(name);
        ASSERT_NE(display_, nullptr);
        root_ = DefaultRootWindow(display_);
        XSetWindowBackground(display_, root_, kRootColour);
        XClearWindow(display_, root_);
        desktop_ = std::make_unique<platform::X11Desktop>(name);
    }
    void TearDown() override {
        desktop_.reset();
        if (display_)
            XCloseDisplay(display_);
    }

    Window makeWindow(int x, int y, int width, int height, unsigned long colour) {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.background_pixel = colour;
        const Window window =
            XCreateWindow(display_, root_, x, y, static_cast<unsigned>(width),
                          static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
        XMapWindow(display_, window);
        XSync(display_, False);
        return window;
    }

    // The screen as any client sees it, after the canvas's requests have reached the server.
    unsigned long screenPixel(int x, int y) {
        XSync(display_, False);
        XImage* image = XGetImage(display_, root_, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0xFFFFFFFF;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

    // Ends the frame and begins the next, which waits until the server has done the last.
    void nextFrame() {
        desktop_->endFrame();
        ASSERT_TRUE(desktop_->beginFrame());
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    std::unique_ptr<platform::X11Desktop> desktop_;
};

TEST_F(X11DesktopTest, DrawsWhiteOverOtherWindowsWithoutTakingTheirInputAndCleansUpOnClose) {
    const Window window = makeWindow(100, 100, 200, 100, kRed);
    ASSERT_TRUE(desktop_->open());
    EXPECT_EQ(desktop_->width(), DisplayWidth(display_, DefaultScreen(display_)));
    EXPECT_EQ(desktop_->height(), DisplayHeight(display_, DefaultScreen(display_)));
    EXPECT_TRUE(desktop_->readsThroughSharedMemory());
    ASSERT_TRUE(desktop_->beginFrame());
    EXPECT_EQ(desktop_->pixel(150, 150), kRed);
    EXPECT_EQ(desktop_->pixel(50, 50), kRootColour);
    EXPECT_EQ(desktop_->pixel(-1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(desktop_->pixel(desktop_->width(), 0), 0xFFFFFFFFu);
    desktop_->setPixel(150, 150, kWhite);
    desktop_->setPixel(50, 50, kWhite);
    EXPECT_EQ(desktop_->pixel(150, 150), kWhite) << "a write is read back in the same frame";
    nextFrame();
    EXPECT_EQ(screenPixel(150, 150), kWhite);
    EXPECT_EQ(screenPixel(151, 150), kRed);
    EXPECT_EQ(screenPixel(50, 50), kWhite);
    EXPECT_EQ(desktop_->pixel(150, 150), kWhite) << "the snow's own pixels are read too";

    // The pointer over a white pixel is over the window below it.
    XWarpPointer(display_, None, root_, 0, 0, 0, 0, 150, 150);
    Window rootReturn = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask);
    EXPECT_EQ(child, window);

    desktop_->close();
    EXPECT_EQ(screenPixel(150, 150), kRed);
    EXPECT_EQ(screenPixel(50, 50), kRootColour);
}

TEST_F(X11DesktopTest, WritingTheCoveredColourBackOrWhiteOnWhiteLeavesNothingOnTheScreen) {
    const Window white = makeWindow(400, 100, 100, 100, kWhite);
    ASSERT_TRUE(desktop_->open());
    ASSERT_TRUE(desktop_->beginFrame());
    desktop_->setPixel(300, 300, kWhite);
    desktop_->setPixel(450, 150, kWhite); // already white: nothing to draw
    nextFrame();
    EXPECT_EQ(screenPixel(300, 300), kWhite);
    desktop_->setPixel(300, 300, kRootColour);
    desktop_->setPixel(450, 150, kWhite); // a flake leaving a white window restores white
    nextFrame();
    EXPECT_EQ(screenPixel(300, 300), kRootColour);

    XMoveWindow(display_, white, 700, 100);
    XSync(display_, False);
    nextFrame();
    EXPECT_EQ(screenPixel(450, 150), kRootColour);
}

TEST_F(X11DesktopTest, HeapsGoWithTheWindowTheyLieOnWhenItMoves) {
    const Window window = makeWindow(100, 400, 200, 100, kRed);
    ASSERT_TRUE(desktop_->open());
    ASSERT_TRUE(desktop_->beginFrame());
    desktop_->setPixel(150, 400, kWhite); // on the window
    desktop_->setPixel(150, 399, kWhite); // just above it, on the desktop
    desktop_->setPixel(600, 600, kWhite); // far away
    nextFrame();
    ASSERT_EQ(screenPixel(150, 400), kWhite);

    XMoveWindow(display_, window, 100, 700);
    XSync(display_, False);
    nextFrame();
    EXPECT_EQ(screenPixel(150, 400), kRootColour) << "a heap stayed where its window was";
    EXPECT_EQ(screenPixel(150, 700), kRed) << "the heap moved along";
    EXPECT_EQ(screenPixel(150, 399), kWhite);
    EXPECT_EQ(screenPixel(600, 600), kWhite);
}

} // namespace
