// The main window's transport, slider and time-display events, bound to their handlers.
#include "Player.h"

namespace app {

void Player::bindTransport(tk::Window& window) {
    using E = tk::EventKind;
    using playback::PlaybackCommand;
    playback::Transport& t = *transport_;
    const auto on = [&window](const char* unit, E event,
                              std::function<void(const tk::EventArgs&)> f) {
        window.bind(QString::fromUtf8(unit), event, [f = std::move(f)](const tk::EventArgs& args) {
            f(args);
            return true;
        });
    };
    on("图形按钮播放", E::Click, [&t](auto&) { t.transport(PlaybackCommand::Play); });
    on("图形按钮暂停", E::Click, [&t](auto&) { t.transport(PlaybackCommand::Pause); });
    on("图形按钮停止", E::Click, [&t](auto&) { t.transport(PlaybackCommand::Stop); });
    on("图形按钮打开", E::Click, [&t](auto&) { t.openFile(); });
    on("图形按钮静音", E::Click, [&t](auto&) { t.toggleMute(); });
    on("时钟进度", E::Tick, [&t](auto&) { t.onProgressTick(); });

    const QString progressThumb = QStringLiteral("图形按钮进度");
    const QString progressBox = QStringLiteral("编辑框进度");
    const QString volumeThumb = QStringLiteral("图形按钮音量");
    const QString volumeBox = QStringLiteral("编辑框音量");
    on("图形按钮进度", E::LeftPressed, [&t](auto&) { t.onProgressThumbPressed(); });
    on("图形按钮进度", E::LeftReleased, [&t](auto&) { t.onProgressThumbReleased(); });
    on("图形按钮进度", E::MouseMoved, [&t, progressThumb, progressBox](const tk::EventArgs& a) {
        t.onThumbMouseMoved(progressThumb, progressBox, a.x, a.y);
    });
    on("透明标签进度", E::LeftPressed,
       [&t](const tk::EventArgs& a) { t.onProgressTrackPressed(a.x); });
    on("编辑框进度", E::TextChanged, [&t](auto&) { t.onProgressBoxChanged(); });
    on("编辑框音量", E::TextChanged, [&t](auto&) { t.onVolumeBoxChanged(); });
    on("图形按钮音量", E::MouseMoved, [&t, volumeThumb, volumeBox](const tk::EventArgs& a) {
        t.onThumbMouseMoved(volumeThumb, volumeBox, a.x, a.y);
    });
    on("图形按钮音量", E::LeftReleased, [&t](auto&) { t.onVolumeThumbReleased(); });
    // The minus sign shows from the next update of the time on.
    on("图形按钮时间", E::Click, [this](auto&) { timeDisplay_.ToggleMinus(); });
}

} // namespace app
