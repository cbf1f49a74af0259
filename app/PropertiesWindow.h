#pragma once

#include "TrackInfo.h"
#include "TrackProperties.h"
#include "Window.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QLabel;
class QWidget;

namespace app {

// The file-properties window: the current track's file name, tags and stream format, read
// from the file (never written: the save button stays disabled and every field is read-only).
// Not modal; its widget is owned by `owner` and stays in front of it.
//
// The caller owns the object and loads it; closing (the close button or the window's close
// box) destroys the window's widget, after which isOpen() is false and the object only waits
// to be replaced by a new one on the next load:
//
//     if (properties_ && properties_->isOpen())
//         properties_->raise();
//     else {
//         properties_ = std::make_unique<PropertiesWindow>(owner, currentTrack);
//         properties_->load();
//     }
class PropertiesWindow : public QObject {
    Q_OBJECT
  public:
    // `currentTrack` is asked on load, on "重新读取文件" and on showTrack().
    PropertiesWindow(QWidget* owner, std::function<TrackInfo()> currentTrack);
    ~PropertiesWindow() override;

    tk::Window& window() { return *window_; }
    const TrackProperties& properties() const { return properties_; }

    // Reads the current track and shows the window.
    void load();
    bool isOpen() const;
    // Brings an open window to the front.
    void raise();

    // Reads the current track again (for a change of track); nothing once closed.
    void showTrack();
    // Enables the previous and next buttons; both are disabled until this is called.
    void setTrackNavigation(bool hasPrevious, bool hasNext);

  signals:
    void previousRequested();
    void nextRequested();

  private:
    void prepareUnits();
    void bindHandlers();
    void present();

    std::function<TrackInfo()> currentTrack_;
    std::unique_ptr<tk::Window> window_;
    QPointer<QLabel> formatLabel_; // inside the format group box; goes with the window's widget
    TrackProperties properties_;
};

} // namespace app
