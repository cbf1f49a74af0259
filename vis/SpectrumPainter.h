#pragma once

#include "AnalyserSettings.h"
#include "Colour.h"

class QImage;

namespace vis {

// A rectangle in box coordinates; right and bottom are not part of it. A peak marker's bottom
// lies above its top (see drawPeak).
struct BarRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Fills a bar with its part of one gradient that runs down the whole box: the top colour at
// y = 0, the middle colour at M = bottom / 2 and the bottom colour at y = bottom.
void drawBand(QImage& image, const BarRect& rect, const AnalyserSettings& settings);

// Fills a peak marker from the peak line (rect.top, drawn in `line`) up to, not including,
// rect.bottom (where the shading reaches `tail`).
void drawPeak(QImage& image, const BarRect& rect, Rgb line, Rgb tail);

} // namespace vis
