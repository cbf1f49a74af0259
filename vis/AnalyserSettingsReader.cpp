#include "AnalyserSettingsReader.h"

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

const char* const kUnitNames[ControlCount] = {
    "视觉效果滑块条宽度",     "视觉效果滑块条间隔",     "视觉效果滑块条频带衰减",
    "视觉效果滑块条顶峰衰减", "视觉效果滑块条顶峰延迟", "视觉效果选择框显示频带",
    "视觉效果选择框显示顶峰", "视觉效果颜色选择器高峰", "视觉效果颜色选择器顶端",
    "视觉效果颜色选择器中端", "视觉效果颜色选择器底端",
};

} // namespace

std::optional<AnalyserSettingsReader> AnalyserSettingsReader::create(const tk::Window& options,
                                                                     QString* error) {
    AnalyserSettingsReader reader;
    static_assert(std::tuple_size_v<decltype(reader.units_)> == ControlCount);
    for (int c = 0; c < ControlCount; ++c) {
        reader.units_[c] = options.unit(QString::fromUtf8(kUnitNames[c]));
        if (!reader.units_[c]) {
            if (error)
                *error = QStringLiteral("the options window has no unit %1")
                             .arg(QString::fromUtf8(kUnitNames[c]));
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
