#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>

namespace platform {

// A picture of the whole root window, read again at every grab(): through a shared-memory
// segment when the server has MIT-SHM and can attach it (about 0.25 ms for 1280 x 1024),
// otherwise through XGetSubImage into the same picture.
class X11ScreenGrab {
  public:
    X11ScreenGrab(Display* display, int width, int height);
    ~X11ScreenGrab();
    X11ScreenGrab(const X11ScreenGrab&) = delete;
    X11ScreenGrab& operator=(const X11ScreenGrab&) = delete;

    // False when no picture could be made (then nothing else may be called).
    bool isValid() const { return image_ != nullptr; }
    bool isShared() const { return shared_; }
    // True for 32-bit pixels with 0x00RRGGBB masks, the only layout pixel() reads.
    bool hasRgbPixels() const;

    bool grab();
    std::uint32_t* row(int y) const {
        return reinterpret_cast<std::uint32_t*>(image_->data + y * image_->bytes_per_line);
    }

  private:
    bool makeShared();
    void makeUnshared();

    Display* display_;
    int width_;
    int height_;
    XImage* image_ = nullptr;
    XShmSegmentInfo segment_{};
    bool shared_ = false;
};

} // namespace platform
