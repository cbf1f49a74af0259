#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>
#include <functional>

namespace platform {

class MprisBackend;

// org.mpris.MediaPlayer2.Player: the transport, the position, the volume and the loaded
// track. Requests that cannot apply to the current state (a Next without a next track, a
// position for a track no longer loaded) change nothing, as clients expect of the interface;
// requests with arguments no player could use (a URI that names no local file) get an error.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)

  public:
    // `afterCommand` runs after every request that may have changed the state.
    MprisPlayerAdaptor(MprisBackend& backend, std::function<void()> afterCommand,
                       QObject* exported);

    QString playbackStatus() const;
    double rate() const { return 1.0; } // the player plays at normal speed only
    void setRate(double rate);
    QVariantMap metadata() const;
    double volume() const;
    void setVolume(double volume);
    qlonglong position() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;
    bool canPause() const;
    bool canSeek() const;
    bool canControl() const { return true; }

  public slots:
    void Next();
    void Previous();
    void Pause();
    void PlayPause(const QDBusMessage& call);
    void Stop();
    void Play();
    void Seek(qlonglong offsetUs);
    void SetPosition(const QDBusObjectPath& trackId, qlonglong positionUs);
    void OpenUri(const QString& uri, const QDBusMessage& call);

  signals:
    void Seeked(qlonglong Position);

  private:
    MprisBackend& backend_;
    std::function<void()> afterCommand_;
};

} // namespace platform
