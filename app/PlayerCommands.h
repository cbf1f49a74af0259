#pragma once

#include <QList>
#include <QObject>

class QAction;

namespace playback {
class PlaybackModel;
class PlaylistPlayer;
} // namespace playback

namespace app {

class MainWindowTransport;

// One command per user action, made in one place. Buttons, keys, menus and the desktop's
// media controls all trigger these, so that every input takes the same way to the player.
class PlayerCommands : public QObject {
    Q_OBJECT
  public:
    static constexpr int kVolumeStep = 5;
    static constexpr int kSeekStepMs = 5000;

    PlayerCommands(MainWindowTransport& transport, playback::PlaybackModel& model,
                   playback::PlaylistPlayer& playlist, QObject* parent = nullptr);

    QAction* const play;
    QAction* const pause;
    QAction* const playPause;
    QAction* const stop;
    QAction* const open;
    QAction* const mute;
    QAction* const volumeUp;
    QAction* const volumeDown;
    QAction* const seekForward;
    QAction* const seekBackward;
    QAction* const previous;
    QAction* const next;

    // Every command, each with its keyboard shortcut (a window shortcut of the widget the
    // caller adds them to).
    QList<QAction*> all() const;
};

} // namespace app
