#pragma once

#include "LedTimeDisplay.h"
#include "MakerSite.h"
#include "PlaybackModel.h"
#include "PlaylistPlayer.h"
#include "ProgramState.h"
#include "Services.h"
#include "SliderSet.h"
#include "Window.h"

#include <QString>
#include <memory>

namespace app {

class MainWindowAnalyser;
class MainWindowCommands;
class MainWindowTransport;
class MprisBridge;
class PropertiesWindow;
class OptionsWindow;
class PlayerCommands;

// The player: owns the player model, the windows, the commands, the program-wide objects and
// state, and binds the main window's events to their handlers. Main thread only.
class Player {
  public:
    Player(const tk::Services& services, const QString& programDirectory,
           MakerSite site = MakerSite::builtIn());
    ~Player();

    // Builds and loads the main window; false when start-up refused to go on (the engine is
    // missing or of another version), in which case the process ends with code 0.
    bool start();

    tk::Window* mainWindow() const { return mainWindow_.get(); }
    OptionsWindow* optionsWindow() const { return optionsWindow_.get(); }
    const ProgramState& state() const { return state_; }
    playback::PlaybackModel& playback() { return playback_; }
    playback::PlaylistPlayer& playlist() { return playlist_; }

    // Plays files given from outside (the command line, a drop, another instance): the first
    // the engine takes at once, the others after it; refused files are said in the status.
    bool openFiles(const QStringList& files);
    // Offers the player to the desktop's media controls (after the window is up: it costs a
    // few round trips on the session bus). False when there is no session bus.
    bool publishOnSessionBus();
    void raiseMainWindow();
    // Ends the player as its exit button does.
    void quit() { onExit(); }
    // The file-properties window for the current track (one at a time).
    void openPropertiesWindow();
    PropertiesWindow* propertiesWindow() const { return properties_.get(); }
    MainWindowTransport& transport() { return *transport_; }
    MainWindowAnalyser& analyser() { return *analyser_; }
    MainWindowCommands& windowCommands() { return *windowCommands_; }
    PlayerCommands& commands() { return *commands_; }
    skin::LedTimeDisplay& timeDisplay() { return timeDisplay_; }
    ui::SliderSet& sliders() { return sliders_; }

  private:
    void bindMainWindow(tk::Window& window);
    void bindTransport(tk::Window& window);
    // The commands' keys on the main window, named in the buttons' tips.
    void offerShortcuts(tk::Window& window);
    // The tray icon's menu and tip, the main window's context menu and the options shortcut.
    void offerMenus(tk::Window& window);
    void showOptionsWindow();
    void toggleMainWindow();
    bool onMainWindowCreated();
    bool checkEngine();
    void loadDefaultTrack();
    void saveButtonPictures();
    void createSliders();
    void onExit();
    void onMainWindowClosing();

    tk::Services services_;
    QString programDirectory_;
    MakerSite site_;
    playback::PlaybackModel playback_;
    playback::PlaylistPlayer playlist_{playback_};
    ProgramState state_;
    skin::LedTimeDisplay timeDisplay_;
    ui::SliderSet sliders_;
    std::unique_ptr<tk::Window> mainWindow_;
    std::unique_ptr<MainWindowTransport> transport_;
    std::unique_ptr<MainWindowAnalyser> analyser_;
    std::unique_ptr<MainWindowCommands> windowCommands_;
    std::unique_ptr<PlayerCommands> commands_;
    std::unique_ptr<OptionsWindow> optionsWindow_;
    std::unique_ptr<MprisBridge> mpris_;
    std::unique_ptr<PropertiesWindow> properties_;
    bool refused_ = false;
};

} // namespace app
