#include "Colour.h"

#include <algorithm>
#include <cmath>

namespace vis {
namespace {

// The classic integer HLS conversion: every division rounds by adding half the divisor first.
constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3; // the hue given to greys

// One channel from the two magic values m1 <= m2 and a hue offset.
int hueToChannel(int m1, int m2, int hue) {
    if (hue < 0)
        hue += kHlsMax;
    if (hue > kHlsMax)
        hue -= kHlsMax;
    if (hue < kHlsMax / 6)
        return m1 + ((m2 - m1) * hue + kHlsMax / 12) / (kHlsMax / 6);
    if (hue < kHlsMax / 2)
        return m2;
    if (hue < kHlsMax * 2 / 3)
        return m1 + ((m2 - m1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    return m1;
}

int toRgbScale(int channel) {
    return std::clamp((channel * kRgbMax + kHlsMax / 2) / kHlsMax, 0, kRgbMax);
}

} // namespace

Rgb splitColour(uint32_t colour) {
    return {int(colour & 0xFF), int((colour & 0xFF00) / 256), int((colour & 0xFF0000) / 65536)};
}

uint32_t joinColour(Rgb rgb) {
    return uint32_t(rgb.red) | uint32_t(rgb.green) << 8 | uint32_t(rgb.blue) << 16;
}

Hls rgbToHls(uint32_t colour) {
    const auto [r, g, b] = splitColour(colour);
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    Hls hls;
    hls.luminance = ((high + low) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (high == low) {
        hls.hue = kUndefinedHue;
        return hls;
    }
    const int spread = high - low;
    const int sum = high + low;
    hls.saturation = hls.luminance <= kHlsMax / 2
                         ? (spread * kHlsMax + sum / 2) / sum
                         : (spread * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);
    const auto delta = [&](int c) { return ((high - c) * (kHlsMax / 6) + spread / 2) / spread; };
    if (r == high)
        hls.hue = delta(b) - delta(g);
    else if (g == high)
        hls.hue = kHlsMax / 3 + delta(r) - delta(b);
    else
        hls.hue = kHlsMax * 2 / 3 + delta(g) - delta(r);
    if (hls.hue < 0)
        hls.hue += kHlsMax;
    if (hls.hue > kHlsMax)
        hls.hue -= kHlsMax;
    return hls;
}

uint32_t hlsToRgb(Hls hls) {
    const int lum = hls.luminance;
    const int sat = hls.saturation;
    if (sat == 0) {
        const int grey = std::clamp(lum * kRgbMax / kHlsMax, 0, kRgbMax);
        return joinColour({grey, grey, grey});
    }
    const int m2 = lum <= kHlsMax / 2 ? (lum * (kHlsMax + sat) + kHlsMax / 2) / kHlsMax
                                      : lum + sat - (lum * sat + kHlsMax / 2) / kHlsMax;
    const int m1 = 2 * lum - m2;
    return joinColour({toRgbScale(hueToChannel(m1, m2, hls.hue + kHlsMax / 3)),
                       toRgbScale(hueToChannel(m1, m2, hls.hue)),
                       toRgbScale(hueToChannel(m1, m2, hls.hue - kHlsMax / 3))});
}

uint32_t adjustLightness(uint32_t colour, double delta) {
    Hls hls = rgbToHls(colour);
    if (!std::isnan(delta)) // clamped before the truncation, so no delta overflows an int
        hls.luminance = int(std::clamp(hls.luminance + delta, 0.0, double(kHlsMax)));
    return hlsToRgb(hls);
}

} // namespace vis
