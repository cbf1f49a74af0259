#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <cstdint>

namespace platform {

class MprisBackend;
class MprisPlayerAdaptor;

// The player on the session bus: the desktop's media controls (media keys, the panel's sound
// menu, phone remotes, playerctl) see it through the MPRIS2 interfaces on
// /org/mpris/MediaPlayer2, and a second start of the player hands its files over through
// org.tarvo.Instance on the same object.
//
// The program tells the service when its state changes (notifyChanged, notifySeeked); the
// service then sends PropertiesChanged with the properties whose values differ from the last
// ones sent, once per event-loop turn however many changes came in it. Requests from the bus
// are checked and handed to the backend; the state they change is announced the same way.
//
// Main thread only. Idle, the service costs nothing: it has no timer and reads the backend
// only when a client asks or a change is announced.
class MprisService : public QObject {
    Q_OBJECT
  public:
    explicit MprisService(MprisBackend& backend, QObject* parent = nullptr);
    ~MprisService() override; // leaves the bus

    // Exports the object and takes org.mpris.MediaPlayer2.tarvo or, while another process
    // holds that name, org.mpris.MediaPlayer2.tarvo.instance<pid>. False, with a message on
    // standard error, where there is no session bus or neither name can be had.
    bool registerOnSessionBus();
    bool isRegistered() const { return !serviceName_.isEmpty(); }
    QString serviceName() const { return serviceName_; }

    // The backend's state may have changed (status, track, length, volume, what can be done).
    void notifyChanged();
    // The position jumped (a seek, from anywhere): clients that extrapolate it need the new one.
    void notifySeeked(int64_t positionUs);

  private:
    // The values of the properties that announce their changes (not Position, whose changes
    // clients extrapolate, nor the constant ones).
    QVariantMap announcedValues() const;
    void publishChanges();

    MprisBackend& backend_;
    MprisPlayerAdaptor* player_;
    QString serviceName_;
    QVariantMap published_; // what clients were last told
    bool publishPending_ = false;
};

} // namespace platform
