#include "AnalyserSettingsReader.h"

#include "OptionsWindowUnits.h"
#include "Window.h"

#include <tuple>

namespace vis {
namespace {

// The options window's units, in the order of AnalyserSettings.
enum Control {
    BarWidth,
    BarGap,
    BandFall,
    PeakFall,
    PeakDelay,
    ShowBars,
    ShowPeaks,
    PeakColour,
    TopColour,
    MiddleColour,
    BottomColour,
    ControlCount
};

const QString* const kUnitNames[ControlCount] = {
    &ui::options_window::kBarWidthSlider,  &ui::options_window::kBarGapSlider,
    &ui::options_window::kBandFallSlider,  &ui::options_window::kPeakFallSlider,
    &ui::options_window::kPeakDelaySlider, &ui::options_window::kShowBars,
    &ui::options_window::kShowPeaks,       &ui::options_window::kPeakColour,
    &ui::options_window::kTopColour,       &ui::options_window::kMiddleColour,
    &ui::options_window::kBottomColour,
};

} // namespace

std::optional<AnalyserSettingsReader> AnalyserSettingsReader::create(const tk::Window& options,
                                                                     QString* error) {
    AnalyserSettingsReader reader;
    static_assert(std::tuple_size_v<decltype(reader.units_)> == ControlCount);
    for (int c = 0; c < ControlCount; ++c) {
        reader.units_[c] = options.unit(*kUnitNames[c]);
        if (!reader.units_[c]) {
            if (error)
                *error = QStringLiteral("the options window has no unit %1").arg(*kUnitNames[c]);
            return std::nullopt;
        }
    }
    return reader;
}

AnalyserSettings AnalyserSettingsReader::read() const {
    AnalyserSettings s;
    s.barWidth = units_[BarWidth]->position();
    s.barGap = units_[BarGap]->position();
    s.bandFall = units_[BandFall]->position();
    s.peakFall = units_[PeakFall]->position();
    s.peakDelay = units_[PeakDelay]->position();
    s.showBars = units_[ShowBars]->isChecked();
    s.showPeaks = units_[ShowPeaks]->isChecked();
    s.peakColour = units_[PeakColour]->colour();
    s.topColour = units_[TopColour]->colour();
    s.middleColour = units_[MiddleColour]->colour();
    s.bottomColour = units_[BottomColour]->colour();
    return s;
}

} // namespace vis
