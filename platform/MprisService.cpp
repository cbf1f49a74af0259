#include "MprisService.h"

#include "SessionBus.h"

#include "InstanceAdaptor.h"
#include "MprisNames.h"
#include "MprisPlayerAdaptor.h"
#include "MprisRootAdaptor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <cstdio>

namespace platform {

namespace {

constexpr const char* kAnnouncedProperties[] = {
    "PlaybackStatus", "Metadata", "Volume",   "CanGoNext",
    "CanGoPrevious",  "CanPlay",  "CanPause", "CanSeek",
};

bool takeName(QDBusConnection& bus, const QString& name) {
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
}

} // namespace

MprisService::MprisService(MprisBackend& backend, QObject* parent)
    : QObject(parent), backend_(backend) {
    const auto announce = [this] { notifyChanged(); };
    new MprisRootAdaptor(backend_, this);
    player_ = new MprisPlayerAdaptor(backend_, announce, this);
    new InstanceAdaptor(backend_, announce, this);
}

MprisService::~MprisService() {
    if (!isRegistered())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(serviceName_);
    bus.unregisterObject(QString::fromLatin1(mpris::kObjectPath));
}

bool MprisService::registerOnSessionBus() {
    if (isRegistered())
        return true;
    QString why;
    if (!sessionBusKnown(&why)) {
        std::fprintf(stderr,
                     "tarvo: no session bus (%s): media keys and other players' controls will "
                     "not reach the player\n",
                     qPrintable(why));
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr,
                     "tarvo: no session bus (%s): media keys and other players' "
                     "controls will not reach the player\n",
                     qPrintable(bus.lastError().message()));
        return false;
    }
    const QString path = QString::fromLatin1(mpris::kObjectPath);
    // The object comes first, so that a client that sees the name can use it at once.
    if (!bus.registerObject(path, this, QDBusConnection::ExportAdaptors)) {
        std::fprintf(stderr, "tarvo: cannot export %s on the session bus\n", qPrintable(path));
        return false;
    }
    const QString name = QString::fromLatin1(mpris::kServiceName);
    const QString instanceName =
        QStringLiteral("%1.instance%2").arg(name).arg(QCoreApplication::applicationPid());
    for (const QString& candidate : {name, instanceName}) {
        if (takeName(bus, candidate)) {
            serviceName_ = candidate;
            published_ = announcedValues();
            return true;
        }
    }
    std::fprintf(stderr, "tarvo: cannot take the name %s on the session bus (%s)\n",
                 qPrintable(instanceName), qPrintable(bus.lastError().message()));
    bus.unregisterObject(path);
    return false;
}

void MprisService::notifyChanged() {
    if (!isRegistered() || publishPending_)
        return;
    publishPending_ = true;
    QMetaObject::invokeMethod(this, &MprisService::publishChanges, Qt::QueuedConnection);
}

void MprisService::notifySeeked(int64_t positionUs) {
    if (isRegistered())
        emit player_->Seeked(positionUs);
}

QVariantMap MprisService::announcedValues() const {
    QVariantMap values;
    for (const char* name : kAnnouncedProperties)
        values.insert(QString::fromLatin1(name), player_->property(name));
    return values;
}

void MprisService::publishChanges() {
    publishPending_ = false;
    const QVariantMap current = announcedValues();
    QVariantMap changed;
    for (auto it = current.cbegin(); it != current.cend(); ++it) {
        if (published_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    published_ = current;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(mpris::kObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(mpris::kPlayerInterface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

} // namespace platform
