#include "BusReplies.h"

#include <QDBusConnection>

namespace platform::mpris {

void replyWithError(const QDBusMessage& call, QDBusError::ErrorType type, const QString& text) {
    call.setDelayedReply(true);
    QDBusConnection::sessionBus().send(call.createErrorReply(type, text));
}

} // namespace platform::mpris
