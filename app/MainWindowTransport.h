#pragma once

#include "PlaybackModel.h"
#include "PlaylistPlayer.h"

#include <QObject>

namespace skin {
class LedTimeDisplay;
}
namespace tk {
class FileDialogService;
class Unit;
class Window;
} // namespace tk
namespace ui {
class SliderSet;
}

namespace app {

struct ProgramState;

enum class TransportCommand { Play = 1, Pause = 2, Stop = 3 };

// The main window as a view of the player model: the transport's state table (which of play
// and pause shows, the two timers, the progress controls), the status, channel and title
// labels, the caption, the two sliders and the LED time all follow the model's signals. The
// window's transport handlers are thin calls into the model. Main thread only.
class MainWindowTransport : public QObject {
    Q_OBJECT
  public:
    static constexpr int kSpectrumInterval = 40;
    static constexpr int kProgressInterval = 200;
    static constexpr int kProgressIntervalAfterDrag = 500;

    MainWindowTransport(playback::PlaybackModel& model, playback::PlaylistPlayer& playlist,
                        tk::Window& window, ui::SliderSet& sliders,
                        skin::LedTimeDisplay& timeDisplay, tk::FileDialogService& fileDialog,
                        const ProgramState& program);

    // Play asks for a file when nothing is loaded.
    void transport(TransportCommand command);
    // Asks for a file in the music folder and plays it, with its folder as the playlist.
    void openFile();
    // Seeks to a share of the track (100 and more stops); thumbOnly moves just the thumb.
    // 1 on success, 0 when the position was refused.
    int seekPercent(int percent, bool thumbOnly);
    void toggleMute();
    void onProgressTick();
    // One frame of the window's animation while playing: a long title moves on.
    void onAnimationFrame();

    // The two sliders' interaction.
    void onProgressThumbPressed();
    void onProgressThumbReleased();
    void onProgressTrackPressed(int x);
    void onProgressBoxChanged();
    void onVolumeBoxChanged();
    void onVolumeThumbReleased();
    // Shows the value box while the mouse is over the thumb.
    void onThumbMouseMoved(const QString& thumb, const QString& valueBox, int x, int y);

    // Puts every unit into the state table's row for `state`.
    void showState(playback::PlayState state);

  private:
    void showTrack(const playback::Track& track);
    void showTrackLength(int64_t ms);
    void showPosition(int64_t ms);
    void showMuted(bool muted);
    void showVolume(int level);
    void showOpenFailure(const QString& path, playback::OpenError error);
    // Previous and next can be pressed while there is such a track.
    void showTrackNavigation();
    void onSliderValue(QWidget* thumb, int value);
    void showStatusText(const QString& text, const QString& tip = {});
    void showTime(int seconds);
    void followThumb(const QString& thumb, const QString& fillBar, const QString& valueBox);
    tk::Unit& unit(const QString& name) const;

    playback::PlaybackModel& model_;
    playback::PlaylistPlayer& playlist_;
    tk::Window& window_;
    ui::SliderSet& sliders_;
    skin::LedTimeDisplay& timeDisplay_;
    tk::FileDialogService& fileDialog_;
    const ProgramState& program_;
};

} // namespace app
