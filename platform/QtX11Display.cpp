// Qt's headers go first: Xlib's macros (Bool, Status, None) break them.
#include <QGuiApplication>

#include "QtX11Display.h"

#include <X11/Xlib.h>

namespace platform {

std::string qtX11DisplayName() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    return display ? DisplayString(display) : std::string();
}

} // namespace platform
