#include "X11ScreenGrab.h"

#include <X11/Xutil.h>
#include <cstdlib>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace platform {

X11ScreenGrab::X11ScreenGrab(Display* display, int width, int height)
    : display_(display), width_(width), height_(height) {
    if (!makeShared())
        makeUnshared();
}

X11ScreenGrab::~X11ScreenGrab() {
    if (!image_)
        return;
    if (shared_) {
        XShmDetach(display_, &segment_);
        XSync(display_, False);
        XDestroyImage(image_); // frees the XImage only: its data is the segment
        shmdt(segment_.shmaddr);
    } else {
        XDestroyImage(image_); // frees the pixel data too
    }
}

bool X11ScreenGrab::makeShared() {
    if (!XShmQueryExtension(display_))
        return false;
    const int screen = DefaultScreen(display_);
    image_ =
        XShmCreateImage(display_, DefaultVisual(display_, screen),
                        static_cast<unsigned>(DefaultDepth(display_, screen)), ZPixmap, nullptr,
                        &segment_, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
    if (!image_)
        return false;
    const std::size_t bytes = static_cast<std::size_t>(image_->bytes_per_line) * height_;
    segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment_.shmid >= 0) {
        segment_.shmaddr = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
        if (segment_.shmaddr != reinterpret_cast<char*>(-1)) {
            image_->data = segment_.shmaddr;
            segment_.readOnly = False;
            // A server on another machine cannot attach: the sync brings its refusal back
            // (to the caller's error handler) before the segment is marked for removal.
            const Bool attached = XShmAttach(display_, &segment_);
            XSync(display_, False);
            shmctl(segment_.shmid, IPC_RMID, nullptr); // goes away with the last detach
            if (attached &&
                XShmGetImage(display_, DefaultRootWindow(display_), image_, 0, 0, AllPlanes)) {
                shared_ = true;
                return true;
            }
            XShmDetach(display_, &segment_);
            XSync(display_, False);
            shmdt(segment_.shmaddr);
        } else {
            shmctl(segment_.shmid, IPC_RMID, nullptr);
        }
    }
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
}

void X11ScreenGrab::makeUnshared() {
    const int screen = DefaultScreen(display_);
    const int depth = DefaultDepth(display_, screen);
    image_ = XCreateImage(display_, DefaultVisual(display_, screen), static_cast<unsigned>(depth),
                          ZPixmap, 0, nullptr, static_cast<unsigned>(width_),
                          static_cast<unsigned>(height_), 32, 0);
    if (!image_)
        return;
    image_->data =
        static_cast<char*>(std::calloc(static_cast<std::size_t>(image_->bytes_per_line), height_));
    if (!image_->data) {
        XDestroyImage(image_);
        image_ = nullptr;
    }
}

bool X11ScreenGrab::hasRgbPixels() const {
    return image_->bits_per_pixel == 32 && image_->red_mask == 0xFF0000 &&
           image_->green_mask == 0xFF00 && image_->blue_mask == 0xFF &&
           image_->byte_order == LSBFirst;
}

bool X11ScreenGrab::grab() {
    const Window root = DefaultRootWindow(display_);
    if (shared_)
        return XShmGetImage(display_, root, image_, 0, 0, AllPlanes);
    return XGetSubImage(display_, root, 0, 0, static_cast<unsigned>(width_),
                        static_cast<unsigned>(height_), AllPlanes, ZPixmap, image_, 0,
                        0) != nullptr;
}

} // namespace platform
