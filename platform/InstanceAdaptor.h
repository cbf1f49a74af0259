#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QStringList>
#include <functional>

namespace platform {

class MprisBackend;

// org.tarvo.Instance: a second start of the player hands its files to the running one, which
// plays them and comes to the front.
class InstanceAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarvo.Instance")

  public:
    InstanceAdaptor(MprisBackend& backend, std::function<void()> afterCommand, QObject* exported);

  public slots:
    // Absolute paths of local files, in the order to play them.
    void OpenFiles(const QStringList& paths, const QDBusMessage& call);

  private:
    MprisBackend& backend_;
    std::function<void()> afterCommand_;
};

} // namespace platform
