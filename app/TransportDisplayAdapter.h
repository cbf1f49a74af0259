#pragma once

#include "LedTimeDisplay.h"
#include "SliderSet.h"
#include "TransportDisplay.h"
#include "Unit.h"

namespace app {

// The transport's view of the main window: the progress slider's thumb and the LED display
// on the time button.
class TransportDisplayAdapter final : public playback::TransportDisplay {
  public:
    TransportDisplayAdapter(ui::SliderSet& sliders, tk::Unit& progressThumb,
                            skin::LedTimeDisplay& timeDisplay, tk::Unit& timeButton)
        : sliders_(sliders), progressThumb_(progressThumb), timeDisplay_(timeDisplay),
          timeButton_(timeButton) {}

    void setProgress(int percent) override {
        sliders_.setSliderValue(progressThumb_.widget(), percent);
    }
    int progress() const override { return sliders_.getSliderValue(progressThumb_.widget()); }
    void showTime(int seconds) override { timeDisplay_.ShowTime(timeButton_, seconds); }
    void setTrackSeconds(int seconds) override { timeDisplay_.SetTrackSeconds(seconds); }

  private:
    ui::SliderSet& sliders_;
    tk::Unit& progressThumb_;
    skin::LedTimeDisplay& timeDisplay_;
    tk::Unit& timeButton_;
};

} // namespace app
