#pragma once

#include "EngineLibrary.h"
#include "ProgramState.h"
#include "Services.h"
#include "Window.h"

#include <QString>
#include <memory>

namespace app {

class OptionsWindow;

// The player: owns the engine, the windows and the program-wide state, and binds the main
// window's events to their handlers. Main thread only.
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

    // The handlers bound to the main window, by (unit name, event); empty unit = the window.
    void bindMainWindow(tk::Window& window);

  private:
    bool onMainWindowCreated();
    bool checkEngine();
    void loadDefaultTrack();
    void saveButtonPictures();
    void onExit();
    void onMainWindowClosing();
    void releaseEngine();

    tk::Services services_;
    QString programDirectory_;
    playback::EngineLibrary engine_;
    ProgramState state_;
    std::unique_ptr<tk::Window> mainWindow_;
    std::unique_ptr<OptionsWindow> optionsWindow_;
    bool refused_ = false;
    bool engineFreed_ = false;
};

} // namespace app
