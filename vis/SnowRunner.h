// SnowRunner: runs the desktop snowfall at about 60 frames a second.
//
// Thread: the main thread only; frames run from a QTimer in the event loop, so the rest of the
// program handles its events between frames as usual and nothing runs nested inside a frame.
// The model's part of a frame takes microseconds; on X11 a frame costs about a millisecond,
// most of it the X server reading the screen once. At 16 ms the flakes fall at the pace the
// effect is meant to have, with about 2 % of a core for the player and under 10 % for the
// X server (measured under Xvfb).
//
// Invariant: the canvas is open exactly while the runner is running; stop() and the destructor
// close it, which takes every flake and heap off the screen.
#pragma once

#include "DesktopCanvas.h"
#include "RandomSource.h"
#include "Snowfall.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

namespace vis {

class SnowRunner : public QObject {
    Q_OBJECT
  public:
    static constexpr int kFrameIntervalMs = 16;

    // `drift` is asked at every frame for the rightward drift in pixels.
    SnowRunner(std::unique_ptr<DesktopCanvas> canvas, std::unique_ptr<RandomSource> random,
               std::function<int()> drift, QObject* parent = nullptr);
    ~SnowRunner() override;

    // Opens the canvas and starts with freshly placed flakes; false when the desktop cannot
    // be drawn on. Starting while running changes nothing.
    bool start();
    // Stops and cleans the screen; nothing happens when not running.
    void stop();
    // Stops when running, starts otherwise.
    void toggle();
    bool isRunning() const { return timer_.isActive(); }

    const Snowfall& snowfall() const { return snowfall_; }

  private:
    void runFrame();

    std::unique_ptr<DesktopCanvas> canvas_;
    std::unique_ptr<RandomSource> random_;
    std::function<int()> drift_;
    Snowfall snowfall_;
    QTimer timer_;
};

} // namespace vis
