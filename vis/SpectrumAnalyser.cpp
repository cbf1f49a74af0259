#include "SpectrumAnalyser.h"

#include "RealCompare.h"
#include "SpectrumPainter.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace vis {
namespace {

constexpr int kMaxTrail = 4;

// Moves the slot's peak for a bar `h` pixels high and gives the marker's rectangle.
BarRect updatePeak(BarState& bars, int slot, int h, const BarRect& bar, int boxHeight,
                   const AnalyserSettings& settings) {
    int32_t& height = bars.peakHeight[slot];
    int32_t& hold = bars.peakHold[slot];
    uint8_t& trail = bars.peakTrail[slot];
    if (h > height) {
        height = h;
        hold = settings.peakDelay;
        trail = 1;
    } else {
        if (hold > std::numeric_limits<int32_t>::min()) // a peak at rest counts down for years
            --hold;
        if (hold < 0) {
            if (height > 1)
                height = std::max(height - std::max(settings.peakFall, 0), 0);
            if (height > 4 && settings.barWidth == 1)
                trail = std::min<uint8_t>(trail + 1, kMaxTrail);
            else if (trail > 1)
                --trail;
        }
    }
    if (trail < 1)
        trail = 1;
    int top = boxHeight - height;
    if (top < 0)
        top = 0;
    else if (top >= boxHeight - 1)
        top = boxHeight - 1;
    // The marker lies on the peak line and the trail's rows above it.
    return {bar.left, top, bar.right, top - trail};
}

// Draws bar i (from 1) of the row and its peak.
void drawBar(int i, const BarLayout& layout, std::span<const float> magnitudes,
             const AnalyserSettings& settings, BarState& bars, BandColumns& bands, QImage& box) {
    const int h = box.height();
    // At most the box's width (layoutBars made sure); 64 bits while it is computed.
    const int x = int((int64_t(settings.barWidth) + settings.barGap) * (i - 1));
    const int start = startBin(x, layout.count);
    const int slot = start - 1;

    double value = barValue(magnitudes, start, layout.binsPerBar);
    const double fall = settings.bandFall / 100.0;
    float& level = bars.bandLevel[slot];
    if (greater(value, level - fall)) {
        level = float(value);
    } else {
        level = float(level - fall);
        if (less(level, 0.0))
            level = 0.0f;
        value = level;
    }
    const BarRect bar{x, int(h * (1.0 - value)), x + settings.barWidth, h};
    if (settings.showBars)
        bands.fill(box, bar, settings);
    if (!settings.showPeaks)
        return;
    const BarRect peak = updatePeak(bars, slot, h - bar.top, bar, h, settings);
    const Rgb line = splitColour(settings.peakColour);
    Rgb tail = line;
    // A trail shades towards what lies under the left end of the peak line, as drawn so far.
    if (settings.barWidth == 1 && bars.peakTrail[slot] > 1 && box.valid(peak.left, peak.top)) {
        const QRgb under = box.pixel(peak.left, peak.top);
        tail = {qRed(under), qGreen(under), qBlue(under)};
    }
    drawPeak(box, peak, line, tail);
}

} // namespace

FrameResult SpectrumAnalyser::drawFrame(std::optional<std::span<const float>> magnitudes,
                                        const AnalyserSettings& settings, BarState& bars,
                                        QImage& box) {
    FrameResult result;
    if (box.isNull())
        return result;
    if (box.format() != QImage::Format_RGB32)
        box = box.convertToFormat(QImage::Format_RGB32);

    // Every frame starts from the snapshot taken at the first one; what the box shows now
    // stays only where the snapshot does not reach (the box has grown since).
    if (!background_.isNull()) {
        if (background_.size() == box.size()) {
            box = background_;
        } else {
            QPainter painter(&box);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, background_);
        }
    }
    background_ = box; // shares the pixels until the bars are drawn

    if (!magnitudes)
        return result;
    if (box.width() > kMaxBoxWidth) {
        box = box.copy(0, 0, kMaxBoxWidth, box.height());
        result.narrowed = true;
    }
    const BarLayout layout = layoutBars(box.width(), settings.barWidth, settings.barGap);
    for (int i = 1; i <= layout.count; ++i)
        drawBar(i, layout, *magnitudes, settings, bars, bands_, box);
    return result;
}

} // namespace vis
