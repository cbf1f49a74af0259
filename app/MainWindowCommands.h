#pragma once

#include "HeightAnimation.h"
#include "MakerSite.h"
#include "Services.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>

namespace tk {
class Window;
}
namespace vis {
class SnowRunner;
}

namespace app {

struct ProgramState;

// The main window's own commands: the spring animation of its height (expand, collapse and
// the two tuning sliders), hiding at a screen edge, the links to the maker's site, the web
// panel's navigation, and the daily-picks and About windows (one of each at a time). Main
// thread only.
class MainWindowCommands : public QObject {
    Q_OBJECT
  public:
    static constexpr int kAnimationInterval = 5;
    static constexpr int kEdgeInterval = 100;

    MainWindowCommands(tk::Window& mainWindow, ProgramState& state, const tk::Services& services,
                       MakerSite site);
    ~MainWindowCommands() override;

    // Binds the window's events to the handlers below.
    void bind();

    void expand();
    void collapse();
    void onAnimationTick();
    void onEdgeTick();
    void onStiffnessChanged();
    void onDampingChanged();
    void openHomePage();
    // A link in the web panel opens in the browser; the panel itself stays where it is.
    void onPanelNavigation(const QString& address);
    void openPicksWindow();
    void openAboutWindow();
    // Snow over the desktop: a press starts it, the next one stops it and cleans the screen.
    void toggleSnow();
    void stopSnow();
    bool isSnowing() const;
    // Start-up's last step: when the network answers, the picks panel replaces the banner
    // over it (and comes back if a second check fails).
    void showPicksPanelWhenOnline();

    tk::Window* picksWindow() const { return picks_.get(); }
    tk::Window* aboutWindow() const { return about_.get(); }
    const HeightAnimation& heightAnimation() const { return height_; }

    // Where the edge timer reads the cursor and the screen: replaceable so that tests can
    // drive it without a pointer.
    void setScreenSource(std::function<QPoint()> cursor, std::function<QRect()> screen);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void startAnimation(float target);
    // The edge timer runs only while the window touches an edge: elsewhere a tick changes
    // nothing.
    void updateEdgeTimer();
    QRect screenGeometry() const;
    void raise(tk::Window& window);

    tk::Window& window_;
    ProgramState& state_;
    tk::Services services_;
    MakerSite site_;
    HeightAnimation height_;
    std::function<QPoint()> cursor_;
    std::function<QRect()> screen_;
    std::unique_ptr<tk::Window> picks_;
    std::unique_ptr<tk::Window> about_;
    std::unique_ptr<vis::SnowRunner> snow_; // made at its first start
};

} // namespace app
