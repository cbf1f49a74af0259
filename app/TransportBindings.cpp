// The main window's transport, slider and time-display events, bound to their handlers.
#include "MainWindowAnalyser.h"
#include "MainWindowTransport.h"
#include "MainWindowUnits.h"
#include "Player.h"
#include "PlayerCommands.h"

#include <QAction>

namespace app {

void Player::bindTransport(tk::Window& window) {
    using E = tk::EventKind;
    namespace units = ui::main_window;
    MainWindowTransport& t = *transport_;
    const auto on = [&window](const QString& unit, E event,
                              std::function<void(const tk::EventArgs&)> f) {
        window.bind(unit, event, [f = std::move(f)](const tk::EventArgs& args) {
            f(args);
            return true;
        });
    };
    const auto trigger = [&on](const QString& button, QAction* command) {
        on(button, E::Click, [command](auto&) { command->trigger(); });
    };
    trigger(units::kPlayButton, commands_->play);
    trigger(units::kPauseButton, commands_->pause);
    trigger(units::kStopButton, commands_->stop);
    trigger(units::kOpenButton, commands_->open);
    trigger(units::kMuteButton, commands_->mute);
    trigger(units::kPreviousButton, commands_->previous);
    trigger(units::kNextButton, commands_->next);
    on(units::kProgressTimer, E::Tick, [&t](auto&) { t.onProgressTick(); });
    // The spectrum tick is the window's animation frame: the analyser and a long title move in
    // the same repaint.
    on(units::kSpectrumTimer, E::Tick, [this, &t](auto&) {
        analyser_->onSpectrumTick();
        t.onAnimationFrame();
    });

    on(units::kProgressThumb, E::LeftPressed, [&t](auto&) { t.onProgressThumbPressed(); });
    on(units::kProgressThumb, E::LeftReleased, [&t](auto&) { t.onProgressThumbReleased(); });
    on(units::kProgressThumb, E::MouseMoved, [&t](const tk::EventArgs& a) {
        t.onThumbMouseMoved(units::kProgressThumb, units::kProgressBox, a.x, a.y);
    });
    on(units::kProgressTrack, E::LeftPressed,
       [&t](const tk::EventArgs& a) { t.onProgressTrackPressed(a.x); });
    on(units::kProgressBox, E::TextChanged, [&t](auto&) { t.onProgressBoxChanged(); });
    on(units::kVolumeBox, E::TextChanged, [&t](auto&) { t.onVolumeBoxChanged(); });
    on(units::kVolumeThumb, E::MouseMoved, [&t](const tk::EventArgs& a) {
        t.onThumbMouseMoved(units::kVolumeThumb, units::kVolumeBox, a.x, a.y);
    });
    on(units::kVolumeThumb, E::LeftReleased, [&t](auto&) { t.onVolumeThumbReleased(); });
    // The minus sign shows from the next update of the time on.
    on(units::kTimeButton, E::Click, [this](auto&) { timeDisplay_.ToggleMinus(); });
}

void Player::offerShortcuts(tk::Window& window) {
    namespace units = ui::main_window;
    window.widget()->addActions(commands_->all());
    const auto tip = [&window](const QString& button, QAction* command) {
        const QString key = command->shortcut().toString(QKeySequence::NativeText);
        window.unit(button)->widget()->setToolTip(command->text() + QStringLiteral(" (") + key +
                                                  QStringLiteral(")"));
    };
    tip(units::kPlayButton, commands_->playPause);
    tip(units::kPauseButton, commands_->playPause);
    tip(units::kStopButton, commands_->stop);
    tip(units::kOpenButton, commands_->open);
    tip(units::kMuteButton, commands_->mute);
    tip(units::kPreviousButton, commands_->previous);
    tip(units::kNextButton, commands_->next);
}

} // namespace app
