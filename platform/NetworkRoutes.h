#pragma once

#include <QByteArrayView>

namespace platform {

// Whether the kernel's routing tables, as /proc/net/route and /proc/net/ipv6_route list them,
// hold a default route that is up, is not a rejecting one and does not go to the loopback
// device: without one no address beyond the local networks can be reached.
bool tablesHaveDefaultRoute(QByteArrayView ipv4Table, QByteArrayView ipv6Table);

// True when the routing tables can be read and hold no such route: the machine has no network
// at all. Where they cannot be read nothing is reported. This is what GLib's network monitor
// decides from, read directly rather than through a network information plugin of Qt's,
// which would load GIO and its threads into the player for one question.
bool systemHasNoDefaultRoute();

} // namespace platform
