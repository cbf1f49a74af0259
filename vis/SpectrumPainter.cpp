#include "SpectrumPainter.h"

#include "GradientFill.h"

#include <QImage>
#include <algorithm>
#include <cstdint>

namespace vis {
namespace {

// Per channel (a * wa + b * wb) / divisor, truncated and kept within 0-255: with an odd box
// height the lower gradient starts a little beyond the middle colour.
Rgb blend(Rgb a, int wa, Rgb b, int wb, int divisor) {
    if (divisor == 0) // a box under 2 pixels high has no upper half: the middle colour
        return b;
    const auto mix = [&](int ca, int cb) {
        return std::clamp(int((int64_t(ca) * wa + int64_t(cb) * wb) / divisor), 0, 255);
    };
    return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
}

} // namespace

void drawBand(QImage& image, const BarRect& rect, const AnalyserSettings& settings) {
    const Rgb top = splitColour(settings.topColour);
    const Rgb middle = splitColour(settings.middleColour);
    const Rgb bottom = splitColour(settings.bottomColour);
    const int m = rect.bottom / 2;
    if (rect.top < m) {
        const Rgb start = blend(middle, rect.top, top, m - rect.top, m);
        fillGradientRows(image, rect.left, rect.right, rect.top, m, start, middle);
    }
    const int t = std::max(rect.top, m);
    const Rgb start = blend(bottom, t - m, middle, rect.bottom - t, m);
    fillGradientRows(image, rect.left, rect.right, t, rect.bottom, start, bottom);
}

void drawPeak(QImage& image, const BarRect& rect, Rgb line, Rgb tail) {
    fillGradientRows(image, rect.left, rect.right, rect.top, rect.bottom, line, tail);
}

} // namespace vis
