#pragma once

#include <string>

namespace platform {

// The name of the X display the running Qt application is on; empty when there is no Qt
// application or it does not run on the X11 (xcb) platform.
std::string qtX11DisplayName();

} // namespace platform
