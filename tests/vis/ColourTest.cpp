#include "Colour.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using vis::Hls;

TEST(Colour, SplitsRedGreenAndBlueFromTheLowByteUp) {
    EXPECT_EQ(vis::splitColour(0x00FF8800), (vis::Rgb{0, 136, 255}));
    EXPECT_EQ(vis::splitColour(0xAB8050FF), (vis::Rgb{255, 80, 128})); // the top byte is ignored
}

TEST(Colour, HlsOnTheScaleOf240) {
    const std::pair<uint32_t, Hls> known[] = {
        {0x000000FF, {0, 120, 240}},   {0x0000FFFF, {40, 120, 240}},  {0x0000FF00, {80, 120, 240}},
        {0x00FFFF00, {120, 120, 240}}, {0x00FF0000, {160, 120, 240}}, {0x00FF00FF, {200, 120, 240}},
        {0x00FFFFFF, {160, 240, 0}},   {0x00000000, {160, 0, 0}},     {0x00808080, {160, 120, 0}}};
    for (const auto& [colour, hls] : known) {
        EXPECT_EQ(vis::rgbToHls(colour), hls) << std::hex << colour;
        if (colour != 0x00808080) { // grey 128 comes back as 127
            EXPECT_EQ(vis::hlsToRgb(hls), colour) << std::hex << colour;
        }
    }
}

// A hue step of the 240 scale is 255 / 40 = 6.4 levels of a channel: up to 3 levels off.
TEST(Colour, ColoursSurviveTheRoundTripWithinHalfAHueStep) {
    for (int r = 0; r <= 255; r += 15)
        for (int g = 0; g <= 255; g += 15)
            for (int b = 0; b <= 255; b += 15) {
                const vis::Rgb back =
                    vis::splitColour(vis::hlsToRgb(vis::rgbToHls(vis::joinColour({r, g, b}))));
                EXPECT_LE(std::max({std::abs(back.red - r), std::abs(back.green - g),
                                    std::abs(back.blue - b)}),
                          3)
                    << r << "," << g << "," << b;
            }
}

TEST(Colour, AdjustLightnessMovesTheLuminanceWithinItsRange) {
    EXPECT_EQ(vis::adjustLightness(0x000000FF, 0), 0x000000FFu);
    EXPECT_EQ(vis::adjustLightness(0x000000FF, 60), 0x008080FFu);  // lighter red
    EXPECT_EQ(vis::adjustLightness(0x000000FF, -60), 0x00000080u); // darker red
    EXPECT_EQ(vis::adjustLightness(0x000000FF, 300), 0x00FFFFFFu); // clamped at 240
    EXPECT_EQ(vis::adjustLightness(0x000000FF, -300), 0x00000000u);
    EXPECT_EQ(vis::adjustLightness(0x000000FF, 0.9), 0x000000FFu); // 120.9 truncates to 120
    EXPECT_EQ(vis::adjustLightness(0x000000FF, 1e300), 0x00FFFFFFu);
}

} // namespace
