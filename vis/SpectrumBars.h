#pragma once

#include <span>

namespace vis {

// How the analyser divides the spectrum among its bars. The spectrum is 512 magnitudes; a
// frame reads at most 256 of them, bins 2 to 382 at the most.
constexpr int kSpectrumBins = 512;
constexpr int kMaxBars = 256;
constexpr int kLastStartBin = 255;

struct BarLayout {
    int count = 0;      // N bars
    int binsPerBar = 1; // K magnitudes summed per bar
};

// N = (width + gap) / (barWidth + gap) and K = 256 / (N + 1), both truncated; then N is
// capped at 256 and K raised to at least 1. No bars for a width below 1 or a gap below 0.
BarLayout layoutBars(int boxWidth, int barWidth, int barGap);

// The first magnitude a bar at x reads: trunc(x + 512 / N), at most 255. A bar's per-bar
// state lies in slot startBin - 1, so bars with the same start bin share it.
int startBin(int x, int barCount);

// The bar's level before it falls: the K magnitudes from `start` summed in a 32-bit float,
// weighted by ln(start + 2), amplified by pi from 0.01 on and by 10 below, and softly limited
// (above 0.8 times 0.4, at most 1.0). Magnitudes the span does not hold count as 0; a sum
// that is negative or not finite counts as silence.
double barValue(std::span<const float> magnitudes, int start, int binsPerBar);

} // namespace vis
