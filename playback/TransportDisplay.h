#pragma once

namespace playback {

// What the transport moves besides the engine and the window's units: the progress slider's
// thumb and the LED time display.
class TransportDisplay {
  public:
    virtual ~TransportDisplay() = default;
    // Puts the progress thumb at a percentage (clamped) and writes its value box.
    virtual void setProgress(int percent) = 0;
    // The progress thumb's value, -1 when there is no progress slider.
    virtual int progress() const = 0;
    virtual void showTime(int seconds) = 0;
    virtual void setTrackSeconds(int seconds) = 0;
};

} // namespace playback
