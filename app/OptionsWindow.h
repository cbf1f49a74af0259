#pragma once

#include "Services.h"
#include "Window.h"

#include <functional>
#include <memory>

namespace app {

// The options window: loaded once at start-up, hidden, owned by the main window; closing it
// only hides it, so its settings live as long as the process.
class OptionsWindow {
  public:
    // `currentTitle` gives the title of the playing track (empty when none is known).
    OptionsWindow(const tk::Services& services, tk::Window& mainWindow,
                  std::function<QString()> currentTitle);

    tk::Window& window() { return *window_; }
    void load();

    // Shows or removes the tray icon as the "show the icon" check box says.
    void updateTrayIcon();

  private:
    void bindHandlers();
    void onCreated();
    void showPage(const QString& shown, const QString& hidden, const QString& title);
    void showSliderValue(const QString& slider, const QString& label, double scale = 1.0);

    tk::Services services_;
    tk::Window& mainWindow_;
    std::function<QString()> currentTitle_;
    std::unique_ptr<tk::Window> window_;
};

} // namespace app
