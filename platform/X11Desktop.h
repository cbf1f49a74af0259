// X11Desktop: the whole X screen as a surface to read and to draw white pixels on, for the
// desktop snowfall.
//
// How it draws: a click-through, always-on-top window covering the screen, shaped so that only
// the pixels drawn white exist (the SHAPE extension; its input shape is empty, so every click
// and every pointer move goes to the windows below, and it never takes the focus). Drawing on
// the root window would be hidden by a compositing manager, and would be erased by any repaint;
// a shaped window shows on composited and plain desktops alike and needs no transparency.
// Destroying the window takes everything off the screen; the windows below repaint by
// themselves.
//
// How it reads: the screen is read once per frame (MIT-SHM when the server offers it, else one
// XGetImage), including this window's own white pixels, so snow can settle on snow. Writes
// land in that picture at once and on the screen at endFrame(). A white write where the screen
// already shows white adds nothing, and writing any other colour takes the white pixel away,
// so the window holds only the white that would not be there without it: a flake passing over
// a white page leaves nothing behind when the page moves.
//
// Heaps last until the window under them moves, resizes, is restacked, mapped or unmapped,
// which stands for "until it is repainted" (a repaint inside a window is not seen).
//
// Colours are 0x00RRGGBB; reads outside the screen give 0xFFFFFFFF. Screens other than 24-bit
// TrueColor in 32-bit pixels are refused by open().
//
// Thread: the thread that calls open() (the main thread); the X connection is its own, opened
// to the display Qt uses, so it shares nothing with Qt's.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class X11Desktop {
  public:
    // `displayName` empty: the display of the running Qt application (X11 platform only).
    explicit X11Desktop(std::string displayName = {});
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    // Connects, makes the (still empty) window; false with a message on standard error when
    // there is no X display or it cannot be drawn on this way.
    bool open();
    // Destroys the window and disconnects; the screen shows only its windows again.
    void close();
    bool isOpen() const { return session_ != nullptr; }

    int width() const;
    int height() const;

    // Reads the screen (and sees which windows changed); false when it could not be read.
    bool beginFrame();
    // Shows this frame's writes.
    void endFrame();

    std::uint32_t pixel(std::int64_t x, std::int64_t y) const;
    void setPixel(std::int64_t x, std::int64_t y, std::uint32_t colour);

    // True when the screen is read through shared memory.
    bool readsThroughSharedMemory() const;

  private:
    struct Session;
    std::string displayName_;
    std::unique_ptr<Session> session_;
};

} // namespace platform
