#include "Transport.h"

#include "Markup.h"
#include "TrackTagReader.h"

#include <QWidget>
#include <cmath>

namespace playback {
namespace {

const QString kProgramName = QStringLiteral("Tarvo播放器");
const QString kPlayButton = QStringLiteral("图形按钮播放");
const QString kPauseButton = QStringLiteral("图形按钮暂停");
const QString kStopButton = QStringLiteral("图形按钮停止");
const QString kMuteButton = QStringLiteral("图形按钮静音");
const QString kStatusLabel = QStringLiteral("透明标签状态");
const QString kChannelLabel = QStringLiteral("透明标签声道");
const QString kInfoLabel = QStringLiteral("透明标签信息");
const QString kProgressThumb = QStringLiteral("图形按钮进度");
const QString kProgressTrack = QStringLiteral("透明标签进度");
const QString kProgressBox = QStringLiteral("编辑框进度");
const QString kProgressBar = QStringLiteral("图片框进度条");
const QString kVolumeThumb = QStringLiteral("图形按钮音量");
const QString kVolumeBox = QStringLiteral("编辑框音量");
const QString kVolumeBar = QStringLiteral("图片框音量条");
const QString kSpectrumTimer = QStringLiteral("时钟频谱");
const QString kProgressTimer = QStringLiteral("时钟进度");
const QString kAnalyserBox = QStringLiteral("图片框可视化");
const QString kMuted = QStringLiteral("静音");
const QString kStereo = QStringLiteral("立体声");

constexpr int kSpectrumInterval = 40;
constexpr int kProgressInterval = 200;
constexpr int kProgressIntervalAfterDrag = 500;
// The track stops when fewer bytes than this remain: the last progress tick before the end.
constexpr int64_t kEndMargin = 9999;

} // namespace

Transport::Transport(EngineLibrary& engine, PlaybackState& state, tk::Window& mainWindow,
                     TransportDisplay& display, tk::FileDialogService& fileDialog)
    : engine_(engine), state_(state), window_(mainWindow), display_(display),
      fileDialog_(fileDialog) {}

tk::Unit& Transport::unit(const QString& name) const {
    tk::Unit* found = window_.unit(name);
    Q_ASSERT_X(found, "Transport", qPrintable(name));
    return *found;
}

void Transport::transport(PlaybackCommand command) {
    switch (command) {
    case PlaybackCommand::Play:
        play();
        break;
    case PlaybackCommand::Pause:
        pause();
        break;
    case PlaybackCommand::Stop:
        stop();
        break;
    }
}

void Transport::play() {
    if (state_.currentStream == 0) {
        openFile(); // plays the file it opens
        if (state_.currentStream == 0)
            return;
    }
    if (unit(kPlayButton).isVisible()) {
        unit(kPauseButton).setVisible(true);
        unit(kPlayButton).setVisible(false);
    }
    engine_.channelPlay(state_.currentStream, state_.statusText == kStatusPaused ? FALSE : TRUE);
    applyVolume(skin::markup::textToInt(unit(kVolumeBox).text()));
    unit(kSpectrumTimer).setInterval(kSpectrumInterval);
    unit(kProgressTimer).setInterval(kProgressInterval);
    state_.statusText = kStatusPlaying;
    unit(kProgressTrack).setDisabled(false);
    unit(kProgressThumb).setDisabled(false);
    unit(kStopButton).setDisabled(false);

    const QWORD length = engine_.channelGetLength(state_.currentStream);
    state_.trackLength = length == QWORD(-1) ? 0 : static_cast<int64_t>(length);
    const double seconds = engine_.channelBytes2Seconds(state_.currentStream, length);
    display_.setTrackSeconds(seconds > 0 ? static_cast<int>(std::floor(seconds + 0.5 + 1e-12)) : 0);
    showStatus();
}

void Transport::pause() {
    if (!unit(kPlayButton).isVisible()) {
        unit(kPlayButton).setVisible(true);
        unit(kPauseButton).setVisible(false);
    }
    engine_.channelPause(state_.currentStream);
    unit(kStopButton).setDisabled(false);
    state_.statusText = kStatusPaused;
    unit(kSpectrumTimer).setInterval(0);
    unit(kProgressTimer).setInterval(0);
    window_.setCaption(state_.trackTitle + kProgramName);
    showStatus();
}

void Transport::stop() {
    unit(kPauseButton).setVisible(false);
    unit(kPlayButton).setVisible(true);
    engine_.channelStop(state_.currentStream);
    display_.setProgress(0);
    state_.statusText = kStatusStopped;
    unit(kProgressThumb).setDisabled(true);
    unit(kProgressTrack).setDisabled(true);
    unit(kStopButton).setDisabled(true);
    unit(kSpectrumTimer).setInterval(0);
    unit(kProgressTimer).setInterval(0);
    display_.showTime(0);
    if (QWidget* analyser = unit(kAnalyserBox).widget())
        analyser->update(); // erased to its picture
    showStatus();
}

void Transport::showStatus() {
    unit(kStatusLabel).setText(state_.statusText);
}

void Transport::openFile() {
    tk::Unit& dialog = unit(QStringLiteral("通用对话框1"));
    dialog.setInitialDirectory(state_.musicFolder);
    const QString chosen = fileDialog_.openFile(dialog.initialDirectory(), window_.widget());
    dialog.setFileName(chosen);
    if (chosen.isEmpty())
        return;
    if (state_.statusText != kStatusStopped)
        stop();
    state_.currentStream = loadTrack(chosen);
    if (state_.currentStream != 0) {
        play();
        unit(QStringLiteral("图形按钮上一曲")).setDisabled(false);
        unit(QStringLiteral("图形按钮下一曲")).setDisabled(false);
    }
}

HSTREAM Transport::loadTrack(const QString& path) {
    const auto tags = media::readTrackTags(path.toStdString());
    state_.trackTitle = tags ? QString::fromStdString(media::composeDisplayName(*tags)) : QString();
    showTrackName();
    const QByteArray file = path.toUtf8();
    return engine_.streamCreateFile(FALSE, file.constData(), 0, 0, 0);
}

void Transport::showTrackName() {
    unit(kInfoLabel).setText(QStringLiteral("标题：") + state_.trackTitle);
    window_.setCaption(state_.trackTitle + kProgramName);
}

int Transport::setVolume(int level) {
    level = std::clamp(level, 0, 100);
    if (engine_.channelSetAttributes(state_.currentStream, 0, level, 0) != TRUE)
        return 0;
    state_.volumeLevel = level;
    return 1;
}

int Transport::applyVolume(int level) {
    if (!state_.muted)
        return setVolume(level);
    // Muted: the stream stays silent and the level waits for the unmute.
    if (engine_.channelSetAttributes(state_.currentStream, 0, 0, 0) != TRUE)
        return 0;
    state_.volumeLevel = std::clamp(level, 0, 100);
    return 1;
}

int Transport::seekPercent(int percent, bool thumbOnly) {
    if (percent >= 100) {
        stop();
        return 1;
    }
    if (percent < 1)
        percent = 0;
    if (thumbOnly) {
        display_.setProgress(percent);
        return 1;
    }
    const auto position =
        static_cast<QWORD>(static_cast<double>(percent) * state_.trackLength / 100);
    return engine_.channelSetPosition(state_.currentStream, position) == TRUE ? 1 : 0;
}

int Transport::secondsAt(int64_t bytes) const {
    const double seconds = engine_.channelBytes2Seconds(state_.currentStream, QWORD(bytes));
    return seconds > 0 ? static_cast<int>(seconds) : 0;
}

void Transport::onProgressTick() {
    const QWORD reported = engine_.channelGetPosition(state_.currentStream);
    const int64_t position = reported == QWORD(-1) ? 0 : static_cast<int64_t>(reported);
    // A track whose length is unknown counts as 0 % and ends at the first tick.
    const int percent =
        state_.trackLength > 0
            ? static_cast<int>(static_cast<double>(position) / state_.trackLength * 100)
            : 0;
    seekPercent(percent, true);
    display_.showTime(secondsAt(position));
    if (position >= state_.trackLength - kEndMargin)
        stop();
    if (unit(kStatusLabel).text() != state_.statusText)
        showStatus();
}

void Transport::toggleMute() {
    tk::Unit& mute = unit(kMuteButton);
    if (unit(kChannelLabel).text() != kMuted) {
        if (engine_.channelSetAttributes(state_.currentStream, 0, 0, 0) != TRUE)
            return;
        state_.muted = true;
        mute.setPicture(1, mute.picture(3)); // the latched, muted look
        unit(kChannelLabel).setText(kMuted);
    } else {
        if (!setVolume(state_.volumeLevel))
            return;
        mute.setPicture(1, state_.savedButtonPictures[0]);
        unit(kChannelLabel).setText(kStereo);
        state_.muted = false;
    }
}

void Transport::onProgressThumbPressed() {
    unit(kProgressTimer).setInterval(0); // the tick must not move the thumb being dragged
}

void Transport::onProgressThumbReleased() {
    seekPercent(std::max(0, display_.progress()), false);
    unit(kProgressTimer).setInterval(kProgressIntervalAfterDrag);
}

void Transport::onProgressTrackPressed(int x) {
    tk::Unit& timer = unit(kProgressTimer);
    timer.setInterval(0);
    const int width = unit(kProgressTrack).width();
    seekPercent(width > 0 ? static_cast<int>(static_cast<double>(x) / width * 100) : 0, false);
    // A click at the end has stopped the track: a stopped track keeps its timers off.
    if (state_.statusText == kStatusPlaying)
        timer.setInterval(kProgressInterval);
}

void Transport::followThumb(const QString& thumb, const QString& fillBar, const QString& valueBox) {
    tk::Unit& knob = unit(thumb);
    tk::Unit& bar = unit(fillBar);
    tk::Unit& box = unit(valueBox);
    bar.move({}, {}, knob.left() - bar.left() + 10);
    box.move(knob.left(), knob.top() - box.height() - 1);
}

void Transport::onProgressBoxChanged() {
    followThumb(kProgressThumb, kProgressBar, kProgressBox);
}

void Transport::onVolumeBoxChanged() {
    followThumb(kVolumeThumb, kVolumeBar, kVolumeBox);
    const QString text = unit(kVolumeBox).text();
    if (applyVolume(skin::markup::textToInt(text)))
        unit(kStatusLabel).setText(QStringLiteral("音量：") + text + QStringLiteral("%"));
}

void Transport::onVolumeThumbReleased() {
    showStatus();
}

void Transport::onThumbMouseMoved(const QString& thumb, const QString& valueBox, int x, int y) {
    const tk::Unit& knob = unit(thumb);
    unit(valueBox).setVisible(x >= 0 && x < knob.width() && y >= 0 && y < knob.height());
}

} // namespace playback
