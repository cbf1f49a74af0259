#pragma once

#include <QDBusError>
#include <QDBusMessage>
#include <QString>

namespace platform::mpris {

// Answers a method call from a slot that takes its message with an error, in place of the
// empty reply the bus would get when the slot returns.
void replyWithError(const QDBusMessage& call, QDBusError::ErrorType type, const QString& text);

} // namespace platform::mpris
