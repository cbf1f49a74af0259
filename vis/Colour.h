#pragma once

#include <cstdint>

namespace vis {

// Colours are 0x00BBGGRR: red in the lowest byte.
struct Rgb {
    int red = 0, green = 0, blue = 0; // 0-255
    bool operator==(const Rgb&) const = default;
};

Rgb splitColour(uint32_t colour);
uint32_t joinColour(Rgb rgb);

// Hue, luminance and saturation on the 0-240 scale of the classic HLS conversion: grey has
// hue 160 and saturation 0; pure red is (0, 120, 240).
struct Hls {
    int hue = 0, luminance = 0, saturation = 0;
    bool operator==(const Hls&) const = default;
};

Hls rgbToHls(uint32_t colour);
uint32_t hlsToRgb(Hls hls);

// The colour with `delta` added to its luminance (the sum truncated and kept within 0-240).
uint32_t adjustLightness(uint32_t colour, double delta);

} // namespace vis
