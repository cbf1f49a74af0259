#include "MainWindowTransport.h"

#include "LedTimeDisplay.h"
#include "MainWindowUnits.h"
#include "ProgramState.h"
#include "Services.h"
#include "SliderSet.h"
#include "TextToInt.h"
#include "TransparentLabel.h"
#include "TransportTexts.h"
#include "Window.h"

#include <QWidget>
#include <cstdio>

namespace app {

using playback::PlayState;
namespace units = ui::main_window;

MainWindowTransport::MainWindowTransport(playback::PlaybackModel& model,
                                         playback::PlaylistPlayer& playlist, tk::Window& window,
                                         ui::SliderSet& sliders, skin::LedTimeDisplay& timeDisplay,
                                         tk::FileDialogService& fileDialog,
                                         const ProgramState& program)
    : model_(model), playlist_(playlist), window_(window), sliders_(sliders),
      timeDisplay_(timeDisplay), fileDialog_(fileDialog), program_(program) {
    using M = playback::PlaybackModel;
    connect(&model_, &M::stateChanged, this, &MainWindowTransport::showState);
    connect(&model_, &M::trackChanged, this, &MainWindowTransport::showTrack);
    connect(&model_, &M::lengthChanged, this, &MainWindowTransport::showTrackLength);
    connect(&model_, &M::seeked, this, &MainWindowTransport::showPosition);
    connect(&model_, &M::mutedChanged, this, &MainWindowTransport::showMuted);
    connect(&model_, &M::volumeChanged, this, &MainWindowTransport::showVolume);
    connect(&model_, &M::openFailed, this, &MainWindowTransport::showOpenFailure);
    connect(&sliders_, &ui::SliderSet::valueChanged, this, &MainWindowTransport::onSliderValue);
    connect(&playlist_, &playback::PlaylistPlayer::navigationChanged, this,
            &MainWindowTransport::showTrackNavigation);
}

tk::Unit& MainWindowTransport::unit(const QString& name) const {
    tk::Unit* found = window_.unit(name);
    Q_ASSERT_X(found, "MainWindowTransport", qPrintable(name));
    return *found;
}

void MainWindowTransport::transport(TransportCommand command) {
    switch (command) {
    case TransportCommand::Play:
        if (!model_.hasTrack())
            openFile(); // plays the file it opens
        else
            model_.play();
        break;
    case TransportCommand::Pause:
        model_.pause();
        break;
    case TransportCommand::Stop:
        model_.stop();
        break;
    }
}

void MainWindowTransport::openFile() {
    tk::Unit& dialog = unit(units::kFileDialog);
    dialog.setInitialDirectory(program_.musicFolder);
    const QString chosen = fileDialog_.openFile(dialog.initialDirectory(), window_.widget());
    dialog.setFileName(chosen);
    if (!chosen.isEmpty())
        playlist_.openFiles({chosen});
}

void MainWindowTransport::showTrackNavigation() {
    unit(units::kPreviousButton).setDisabled(!playlist_.hasPrevious());
    unit(units::kNextButton).setDisabled(!playlist_.hasNext());
}

int MainWindowTransport::seekPercent(int percent, bool thumbOnly) {
    if (percent >= 100) {
        model_.stop();
        return 1;
    }
    if (thumbOnly) {
        sliders_.setSliderValue(unit(units::kProgressThumb).widget(), std::max(percent, 0));
        return 1;
    }
    return model_.seekPercent(percent) ? 1 : 0;
}

void MainWindowTransport::toggleMute() {
    model_.toggleMute();
}

void MainWindowTransport::onProgressTick() {
    const int64_t position = model_.positionMs();
    const int64_t length = model_.lengthMs();
    // A track of unknown length counts as 0 %.
    const int percent =
        length > 0 ? static_cast<int>(static_cast<double>(position) / length * 100) : 0;
    seekPercent(percent, true);
    // At 100 % the track has just stopped: the stopped state shows 0, not the last second.
    if (model_.state() == PlayState::Stopped)
        return;
    showTime(static_cast<int>(position / 1000));
    // Puts the state back after a volume or error message.
    if (unit(units::kStatusLabel).text() != texts::status(model_.state()))
        showStatusText(texts::status(model_.state()));
}

void MainWindowTransport::onAnimationFrame() {
    if (auto* info = qobject_cast<tk::TransparentLabel*>(unit(units::kInfoLabel).widget()))
        info->scrollStep();
}

void MainWindowTransport::showState(PlayState state) {
    const bool playing = state == PlayState::Playing;
    unit(units::kPauseButton).setVisible(playing);
    unit(units::kPlayButton).setVisible(!playing);
    unit(units::kSpectrumTimer).setInterval(playing ? kSpectrumInterval : 0);
    unit(units::kProgressTimer).setInterval(playing ? kProgressInterval : 0);
    unit(units::kStopButton).setDisabled(state == PlayState::Stopped);
    if (state != PlayState::Paused) { // paused keeps the progress controls as they are
        unit(units::kProgressThumb).setDisabled(!playing);
        unit(units::kProgressTrack).setDisabled(!playing);
    }
    if (state == PlayState::Stopped) {
        sliders_.setSliderValue(unit(units::kProgressThumb).widget(), 0);
        showTime(0);
    }
    if (state == PlayState::Paused)
        window_.setCaption(model_.track().displayName + texts::kProgramName);
    // A name too long for the label runs through it while the track plays.
    if (auto* info = qobject_cast<tk::TransparentLabel*>(unit(units::kInfoLabel).widget()))
        info->setScrolling(playing);
    showStatusText(texts::status(state));
}

void MainWindowTransport::showTrack(const playback::Track& track) {
    tk::Unit& info = unit(units::kInfoLabel);
    info.setText(texts::kTitlePrefix + track.displayName);
    if (QWidget* label = info.widget())
        label->setToolTip(track.displayName);
    window_.setCaption(track.displayName + texts::kProgramName);
}

void MainWindowTransport::showTrackLength(int64_t ms) {
    // Whole seconds, rounded half away from zero.
    timeDisplay_.SetTrackSeconds(static_cast<int>((ms + 500) / 1000));
}

void MainWindowTransport::showPosition(int64_t ms) {
    const int64_t length = model_.lengthMs();
    if (length > 0)
        sliders_.setSliderValue(unit(units::kProgressThumb).widget(),
                                static_cast<int>(static_cast<double>(ms) / length * 100));
    showTime(static_cast<int>(ms / 1000));
}

void MainWindowTransport::showTime(int seconds) {
    timeDisplay_.ShowTime(unit(units::kTimeButton), seconds);
}

void MainWindowTransport::showMuted(bool muted) {
    tk::Unit& mute = unit(units::kMuteButton);
    // The third picture is the latched, muted look; unmuted the normal picture comes back.
    mute.setPicture(1, muted ? mute.picture(3) : program_.savedButtonPictures[0]);
    unit(units::kChannelLabel).setText(muted ? texts::kMuted : texts::kStereo);
}

void MainWindowTransport::showVolume(int level) {
    QWidget* thumb = unit(units::kVolumeThumb).widget();
    if (sliders_.getSliderValue(thumb) != level)
        sliders_.setSliderValue(thumb, level);
}

void MainWindowTransport::onSliderValue(QWidget* thumb, int value) {
    if (thumb != unit(units::kVolumeThumb).widget())
        return; // the progress slider seeks on release, not while it moves
    if (model_.setVolume(value))
        showStatusText(texts::volume(model_.volume()));
}

void MainWindowTransport::showOpenFailure(const QString& path, playback::OpenError error) {
    const QString reason = texts::openError(error);
    std::fprintf(stderr, "tarvo: cannot play %s: %s\n", qPrintable(path), qPrintable(reason));
    showStatusText(texts::kCannotPlay, path + QStringLiteral("\n") + reason);
}

void MainWindowTransport::showStatusText(const QString& text, const QString& tip) {
    tk::Unit& label = unit(units::kStatusLabel);
    label.setText(text);
    if (QWidget* widget = label.widget())
        widget->setToolTip(tip);
}

void MainWindowTransport::onProgressThumbPressed() {
    unit(units::kProgressTimer).setInterval(0); // the tick must not move the thumb being dragged
}

void MainWindowTransport::onProgressThumbReleased() {
    seekPercent(std::max(0, sliders_.getSliderValue(unit(units::kProgressThumb).widget())), false);
    if (model_.state() == PlayState::Playing)
        unit(units::kProgressTimer).setInterval(kProgressIntervalAfterDrag);
}

void MainWindowTransport::onProgressTrackPressed(int x) {
    tk::Unit& timer = unit(units::kProgressTimer);
    timer.setInterval(0);
    const int width = unit(units::kProgressTrack).width();
    seekPercent(width > 0 ? static_cast<int>(static_cast<double>(x) / width * 100) : 0, false);
    // A click at the end has stopped the track: a stopped track keeps its timers off.
    if (model_.state() == PlayState::Playing)
        timer.setInterval(kProgressInterval);
}

void MainWindowTransport::followThumb(const QString& thumb, const QString& fillBar,
                                      const QString& valueBox) {
    tk::Unit& knob = unit(thumb);
    tk::Unit& bar = unit(fillBar);
    tk::Unit& box = unit(valueBox);
    bar.move({}, {}, knob.left() - bar.left() + 10);
    box.move(knob.left(), knob.top() - box.height() - 1);
}

void MainWindowTransport::onProgressBoxChanged() {
    followThumb(units::kProgressThumb, units::kProgressBar, units::kProgressBox);
}

void MainWindowTransport::onVolumeBoxChanged() {
    followThumb(units::kVolumeThumb, units::kVolumeBar, units::kVolumeBox);
    // A value typed into the box moves the slider (clamped), which then sets the volume; the
    // slider's own writes read back as its value and change nothing.
    QWidget* thumb = unit(units::kVolumeThumb).widget();
    const int typed = tk::textToInt(unit(units::kVolumeBox).text());
    if (typed != sliders_.getSliderValue(thumb))
        sliders_.setSliderValue(thumb, typed);
}

void MainWindowTransport::onVolumeThumbReleased() {
    showStatusText(texts::status(model_.state()));
}

void MainWindowTransport::onThumbMouseMoved(const QString& thumb, const QString& valueBox, int x,
                                            int y) {
    const tk::Unit& knob = unit(thumb);
    unit(valueBox).setVisible(x >= 0 && x < knob.width() && y >= 0 && y < knob.height());
}

} // namespace app
