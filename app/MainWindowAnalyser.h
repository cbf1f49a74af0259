#pragma once

#include "PlaybackModel.h"
#include "SpectrumAnalyser.h"

#include <QObject>
#include <optional>

namespace tk {
class Unit;
class Window;
} // namespace tk
namespace vis {
class AnalyserSettingsReader;
}

namespace app {

// The spectrum analyser in the main window's box: one frame per tick of the spectrum timer
// from the model's spectrum and the options window's settings; cleared to the box's picture
// when playback stops (the bars' state lives on). Main thread only.
class MainWindowAnalyser : public QObject {
    Q_OBJECT
  public:
    MainWindowAnalyser(playback::PlaybackModel& model, tk::Window& mainWindow);
    ~MainWindowAnalyser() override;

    // Once the options window is loaded: where the settings are read at every frame.
    void useSettingsOf(const tk::Window& optionsWindow);
    // Makes what the window shows under the box, with the box hidden, the box's picture.
    void captureBackground();
    void onSpectrumTick();

    // False while the box cannot be seen: the window minimised, hidden or slid off the screen.
    bool boxIsOnScreen() const;

  private:
    playback::PlaybackModel& model_;
    tk::Window& window_;
    tk::Unit& box_;
    vis::SpectrumAnalyser analyser_;
    vis::BarState bars_; // for the whole run: peaks resume where they were
    std::unique_ptr<vis::AnalyserSettingsReader> settings_;
};

} // namespace app
