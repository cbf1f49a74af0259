#include "PlayerCommands.h"

#include "MainWindowTransport.h"
#include "PlaybackModel.h"
#include "PlaylistPlayer.h"

#include <QAction>

namespace app {

PlayerCommands::PlayerCommands(MainWindowTransport& transport, playback::PlaybackModel& model,
                               playback::PlaylistPlayer& playlist, QObject* parent)
    : QObject(parent), play(new QAction(QStringLiteral("播放"), this)),
      pause(new QAction(QStringLiteral("暂停"), this)),
      playPause(new QAction(QStringLiteral("播放/暂停"), this)),
      stop(new QAction(QStringLiteral("停止"), this)),
      open(new QAction(QStringLiteral("打开文件..."), this)),
      mute(new QAction(QStringLiteral("静音"), this)),
      volumeUp(new QAction(QStringLiteral("增大音量"), this)),
      volumeDown(new QAction(QStringLiteral("减小音量"), this)),
      seekForward(new QAction(QStringLiteral("快进"), this)),
      seekBackward(new QAction(QStringLiteral("快退"), this)),
      previous(new QAction(QStringLiteral("上一首"), this)),
      next(new QAction(QStringLiteral("下一首"), this)) {
    auto& t = transport;
    auto& m = model;
    connect(play, &QAction::triggered, this, [&t] { t.transport(TransportCommand::Play); });
    connect(pause, &QAction::triggered, this, [&t] { t.transport(TransportCommand::Pause); });
    connect(playPause, &QAction::triggered, this, [&t, &m] {
        t.transport(m.state() == playback::PlayState::Playing ? TransportCommand::Pause
                                                              : TransportCommand::Play);
    });
    connect(stop, &QAction::triggered, this, [&t] { t.transport(TransportCommand::Stop); });
    connect(open, &QAction::triggered, this, [&t] { t.openFile(); });
    connect(mute, &QAction::triggered, this, [&t] { t.toggleMute(); });
    connect(volumeUp, &QAction::triggered, this, [&m] { m.stepVolume(kVolumeStep); });
    connect(volumeDown, &QAction::triggered, this, [&m] { m.stepVolume(-kVolumeStep); });
    connect(seekForward, &QAction::triggered, this,
            [&m] { m.seekMs(m.positionMs() + kSeekStepMs); });
    connect(seekBackward, &QAction::triggered, this,
            [&m] { m.seekMs(m.positionMs() - kSeekStepMs); });
    connect(previous, &QAction::triggered, this, [&playlist] { playlist.previous(); });
    connect(next, &QAction::triggered, this, [&playlist] { playlist.next(); });

    // Play and pause share the space bar through play/pause.
    playPause->setShortcut(Qt::Key_Space);
    stop->setShortcut(Qt::Key_S);
    open->setShortcut(Qt::Key_O);
    mute->setShortcut(Qt::Key_M);
    seekForward->setShortcut(Qt::Key_Right);
    seekBackward->setShortcut(Qt::Key_Left);
    volumeUp->setShortcut(Qt::Key_Up);
    volumeDown->setShortcut(Qt::Key_Down);
    previous->setShortcut(Qt::Key_PageUp);
    next->setShortcut(Qt::Key_PageDown);
    for (QAction* action : all())
        action->setShortcutContext(Qt::WindowShortcut);
}

QList<QAction*> PlayerCommands::all() const {
    return {play, pause,    playPause,  stop,        open,
            mute, volumeUp, volumeDown, seekForward, seekBackward};
}

} // namespace app
