#pragma once

#include <cstdint>

namespace vis {

// The analyser's settings as the options window's visual-effects page holds them; the
// defaults are the page's initial values. Colours are 0x00BBGGRR.
struct AnalyserSettings {
    int barWidth = 1;  // pixels; below 1 no bars are drawn
    int barGap = 0;    // pixels between bars; below 0 no bars are drawn
    int bandFall = 6;  // a bar falls this many hundredths of the box height per frame
    int peakFall = 1;  // pixels per frame; below 0 counts as 0
    int peakDelay = 5; // frames a new peak stays still
    bool showBars = true;
    bool showPeaks = true;
    uint32_t peakColour = 0x00FF8800;   // RGB(0, 136, 255)
    uint32_t topColour = 0x008050FF;    // RGB(255, 80, 128), at the box's top edge
    uint32_t middleColour = 0x00FF8800; // RGB(0, 136, 255), at half its height
    uint32_t bottomColour = 0x0000FFFF; // RGB(255, 255, 0), at its bottom edge

    bool operator==(const AnalyserSettings&) const = default;
};

} // namespace vis
