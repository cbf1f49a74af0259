#pragma once

#include "EngineLibrary.h"
#include "LedTimeDisplay.h"
#include "ProgramState.h"
#include "Services.h"
#include "SliderSet.h"
#include "SnowRunner.h"
#include "Transport.h"
#include "Window.h"

#include <QString>
#include <memory>

namespace app {

class OptionsWindow;
class TransportDisplayAdapter;

// The player: owns the engine, the windows, the program-wide objects and state, and binds the
// main window's events to their handlers. Main thread only.
class Player {
  public:
    Player(const tk::Services& services, const QString& programDirectory);
    ~Player();

    // Builds and loads the main window; false when start-up refused to go on (the engine is
    // missing or of another version), in which case the process ends with code 0.
    bool start();

    tk::Window* mainWindow() const { return mainWindow_.get(); }
    OptionsWindow* optionsWindow() const { return optionsWindow_.get(); }
    const ProgramState& state() const { return state_; }
    playback::EngineLibrary& engine() { return engine_; }
    playback::Transport& transport() { return *transport_; }
    skin::LedTimeDisplay& timeDisplay() { return timeDisplay_; }
    ui::SliderSet& sliders() { return sliders_; }

  private:
    void bindMainWindow(tk::Window& window);
    void bindTransport(tk::Window& window);
    bool onMainWindowCreated();
    bool checkEngine();
    void loadDefaultTrack();
    void saveButtonPictures();
    void createSliders();
    void onExit();
    void onMainWindowClosing();
    void releaseEngine();

    tk::Services services_;
    QString programDirectory_;
    playback::EngineLibrary engine_;
    ProgramState state_;
    skin::LedTimeDisplay timeDisplay_;
    ui::SliderSet sliders_;
    std::unique_ptr<tk::Window> mainWindow_;
    std::unique_ptr<TransportDisplayAdapter> transportDisplay_;
    std::unique_ptr<playback::Transport> transport_;
    std::unique_ptr<OptionsWindow> optionsWindow_;
    bool refused_ = false;
    bool engineFreed_ = false;
    std::unique_ptr<vis::SnowRunner> snow_; // the desktop snowfall, made at its first start
};

} // namespace app
