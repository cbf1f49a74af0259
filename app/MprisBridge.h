#pragma once

#include "MprisBackend.h"

#include <QObject>
#include <functional>
#include <memory>

namespace playback {
class PlaybackModel;
class PlaylistPlayer;
} // namespace playback
namespace platform {
class MprisService;
}

namespace app {

// The player as the desktop's media controls see it (MPRIS on the session bus): the model's
// state and the playlist's neighbours, and the commands, which take the same way as the
// player's own inputs. Registered on the bus once the window is up. Main thread only.
class MprisBridge final : public QObject, public platform::MprisBackend {
    Q_OBJECT
  public:
    MprisBridge(playback::PlaybackModel& model, playback::PlaylistPlayer& playlist,
                std::function<void()> raise, std::function<void(const QStringList&)> openFiles,
                QObject* parent = nullptr);
    ~MprisBridge() override;

    bool registerOnSessionBus();

    void raise() override;
    void quit() override;
    QStringList supportedMimeTypes() const override;
    platform::MprisPlaybackStatus playbackStatus() const override;
    platform::MprisTrack track() const override;
    double volume() const override;
    int64_t positionUs() const override;
    bool canPlay() const override;
    bool canPause() const override;
    bool canSeek() const override;
    bool canGoNext() const override;
    bool canGoPrevious() const override;
    void play() override;
    void pause() override;
    void stop() override;
    void next() override;
    void previous() override;
    void seekTo(int64_t positionUs) override;
    void setVolume(double volume) override;
    void openFiles(const QStringList& paths) override;

  private:
    playback::PlaybackModel& model_;
    playback::PlaylistPlayer& playlist_;
    std::function<void()> raise_;
    std::function<void(const QStringList&)> openFiles_;
    std::unique_ptr<platform::MprisService> service_;
};

} // namespace app
