#pragma once

#include "EngineLibrary.h"
#include "PlaybackState.h"
#include "Services.h"
#include "TransportDisplay.h"
#include "Window.h"

namespace playback {

// The player's transport: open, play, pause, stop, seek, volume and mute on the one open
// stream, and the progress tick that moves the thumb and the time display while a track
// plays. It keeps the status label, the play/pause swap, the timers and the enabled state of
// the progress controls in step with the state text. Main thread only.
class Transport {
  public:
    Transport(EngineLibrary& engine, PlaybackState& state, tk::Window& mainWindow,
              TransportDisplay& display, tk::FileDialogService& fileDialog);

    void transport(PlaybackCommand command);
    // Asks for a file in the music folder and plays it.
    void openFile();
    // Reads the file's tags and creates its stream (0 when the engine refuses the file).
    HSTREAM loadTrack(const QString& path);
    // 1 when the engine took the level (clamped to 0..100), else 0.
    int setVolume(int level);
    // Seeks to a percentage of the track (100 and more stops); thumbOnly moves just the
    // thumb. 1 on success, 0 when the engine refused the position.
    int seekPercent(int percent, bool thumbOnly);
    void toggleMute();
    void onProgressTick();

    // The two sliders' interaction.
    void onProgressThumbPressed();
    void onProgressThumbReleased();
    void onProgressTrackPressed(int x);
    void onProgressBoxChanged();
    void onVolumeBoxChanged();
    void onVolumeThumbReleased();
    // Shows the value box while the mouse is over the thumb.
    void onThumbMouseMoved(const QString& thumb, const QString& valueBox, int x, int y);

    // Elapsed whole seconds at a byte position of the open stream.
    int secondsAt(int64_t bytes) const;

  private:
    void play();
    void pause();
    void stop();
    void showStatus();
    // The volume from the volume box: set on the engine, or only remembered while muted.
    int applyVolume(int level);
    void showTrackName();
    void followThumb(const QString& thumb, const QString& fillBar, const QString& valueBox);
    tk::Unit& unit(const QString& name) const;

    EngineLibrary& engine_;
    PlaybackState& state_;
    tk::Window& window_;
    TransportDisplay& display_;
    tk::FileDialogService& fileDialog_;
};

} // namespace playback
