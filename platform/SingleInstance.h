#pragma once

#include <QStringList>

namespace platform {

// Gives the files to the player already running on the session bus, which plays them and comes
// to the front; true when it took them (this process is then done). False when no player runs,
// when there is no session bus, or when the running one does not answer within the time: this
// process then starts as the player. Relative paths are made absolute against the current
// folder. It costs one round trip on the bus, so call it only when there are files to give.
bool handOverToRunningInstance(const QStringList& files, int timeoutMs = 2000);

} // namespace platform
