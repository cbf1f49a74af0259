#pragma once

#include <QString>

namespace platform {

// Whether the session has a bus to connect to: its address in DBUS_SESSION_BUS_ADDRESS, or the
// standard socket in XDG_RUNTIME_DIR. Without either, connecting would start `dbus-launch`,
// which either fails or leaves a bus daemon of its own behind for each player; `why` then says
// so.
bool sessionBusKnown(QString* why = nullptr);

} // namespace platform
