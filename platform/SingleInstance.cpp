#include "SingleInstance.h"

#include "MprisNames.h"
#include "SessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>

namespace platform {

bool handOverToRunningInstance(const QStringList& files, int timeoutMs) {
    if (files.isEmpty() || !sessionBusKnown())
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QStringList paths;
    for (const QString& file : files)
        paths << QFileInfo(file).absoluteFilePath();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(mpris::kServiceName), QString::fromLatin1(mpris::kObjectPath),
        QString::fromLatin1(mpris::kInstanceInterface), QStringLiteral("OpenFiles"));
    call << paths;
    // Without an owner the bus answers at once instead of looking for something to start.
    call.setAutoStartService(false);
    return bus.call(call, QDBus::Block, timeoutMs).type() == QDBusMessage::ReplyMessage;
}

} // namespace platform
