#include "SessionBus.h"

#include <QFileInfo>
#include <QtGlobal>

namespace platform {

bool sessionBusKnown(QString* why) {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return true;
    if (why)
        *why = QStringLiteral("DBUS_SESSION_BUS_ADDRESS is not set and $XDG_RUNTIME_DIR/bus "
                              "does not exist");
    return false;
}

} // namespace platform
