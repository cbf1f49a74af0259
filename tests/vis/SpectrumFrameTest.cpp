#include "Frames.h"
#include "SpectrumAnalyser.h"
#include "SpectrumPainter.h"

#include <gtest/gtest.h>

namespace {

using frames::kBackground;
using frames::magnitudeFor;
using frames::plainBox;
using frames::shownHeight;
using frames::spectrum;

constexpr QRgb kTop = 0xFFFF5080;    // RGB(255, 80, 128)
constexpr QRgb kMiddle = 0xFF0088FF; // RGB(0, 136, 255)
constexpr QRgb kPeak = 0xFF0088FF;   // RGB(0, 136, 255)

// One analyser with its bars' state, drawing into boxes of one size.
class SpectrumFrameTest : public ::testing::Test {
  protected:
    QImage draw(const std::vector<float>& magnitudes, QImage box) {
        analyser.drawFrame(std::span<const float>(magnitudes), settings, bars, box);
        return box;
    }
    QImage draw(const std::vector<float>& magnitudes) { return draw(magnitudes, plainBox(w, h)); }
    QImage silence() { return draw(spectrum()); }

    int w = 260, h = 98;
    vis::AnalyserSettings settings;
    vis::BarState bars;
    vis::SpectrumAnalyser analyser;
};

TEST_F(SpectrumFrameTest, AFullBarShowsTheWholeGradientInItsRows) {
    settings.showPeaks = false;
    const QImage frame = draw(spectrum({{2, 5.0f}})); // bar 1 at 1.0
    // Upper half from the top colour at row 0 towards the middle colour at row 49 = 98 / 2,
    // each row's channels truncated from the 16-bit interpolation; lower half on to the bottom.
    EXPECT_EQ(frame.pixel(0, 0), kTop);
    EXPECT_EQ(frame.pixel(0, 24), qRgb(130, 107, 190));
    EXPECT_EQ(frame.pixel(0, 48), qRgb(5, 134, 252));
    EXPECT_EQ(frame.pixel(0, 49), kMiddle);
    EXPECT_EQ(frame.pixel(0, 73), qRgb(124, 194, 130));
    EXPECT_EQ(frame.pixel(0, 97), qRgb(249, 252, 5));
    EXPECT_EQ(frame.pixel(1, 50), kBackground); // bar 2 is silent and has no peak to show
}

// Bars are filled from remembered gradient columns: the pixels must be drawBand's own, for
// every top, in even and odd boxes, and again after the colours change.
TEST(BandColumns, FillExactlyAsDrawBandDoes) {
    vis::AnalyserSettings settings;
    vis::BandColumns columns;
    for (int height : {98, 99, 1}) {
        for (uint32_t middle : {0x00FF8800u, 0x00123456u}) {
            settings.middleColour = middle;
            for (int top = 0; top <= height; ++top) {
                QImage direct = plainBox(3, height), cached = plainBox(3, height);
                const vis::BarRect bar{1, top, 2, height};
                vis::drawBand(direct, bar, settings);
                columns.fill(cached, bar, settings);
                ASSERT_EQ(cached, direct) << "height " << height << ", top " << top;
            }
        }
    }
}

TEST_F(SpectrumFrameTest, WithAnOddHeightTheLowerGradientStaysWithinRange) {
    h = 99; // M = 49: the lower gradient starts at middle * 50 / 49, beyond 255 in blue
    settings.showPeaks = false;
    const QImage frame = draw(spectrum({{2, 5.0f}}));
    EXPECT_EQ(frame.pixel(0, 49), qRgb(0, 138, 255));
}

TEST_F(SpectrumFrameTest, GainAndSoftLimitShowInTheBarHeights) {
    const QImage frame = draw(spectrum({{2, magnitudeFor(0.01 * 3.1415926535, 2)},
                                        {4, magnitudeFor(0.0099 * 3.1415926535, 4)},
                                        {6, magnitudeFor(0.9, 6)},
                                        {8, magnitudeFor(3.0, 8)}}));
    EXPECT_EQ(shownHeight(frame, 0), 4);  // 0.01 * pi: top 94
    EXPECT_EQ(shownHeight(frame, 2), 10); // 0.0099 * 10: top 88
    EXPECT_EQ(shownHeight(frame, 4), 36); // 0.9 -> 0.36
    // That bar's fill starts on row 62 (under its peak) at (bottom * 13 + middle * 36) / 49 =
    // RGB(67, 167, 187) and runs 36 rows to the bottom colour: row 63 is one step on.
    EXPECT_EQ(frame.pixel(4, 63), qRgb(72, 169, 181));
    EXPECT_EQ(shownHeight(frame, 6), 98); // 3.0 -> 1.0
    EXPECT_EQ(shownHeight(frame, 1), 1);  // a silent bar: its resting peak on the bottom row
    EXPECT_EQ(frame.pixel(1, 97), kPeak);
}

TEST_F(SpectrumFrameTest, BarsFallAtTheBandSpeedAndReachZeroAfter17SilentFrames) {
    settings.showPeaks = false;
    draw(spectrum({{2, 5.0f}}));
    const int slot = 1;
    for (int frame = 1; frame <= 16; ++frame) {
        const QImage shown = silence();
        EXPECT_NEAR(bars.bandLevel[slot], 1.0 - 0.06 * frame, 1e-5) << frame;
        EXPECT_EQ(shownHeight(shown, 0), 98 - int(98 * (0.06 * frame))) << frame;
    }
    EXPECT_GT(bars.bandLevel[slot], 0.0f);
    EXPECT_EQ(shownHeight(silence(), 0), 0);
    EXPECT_EQ(bars.bandLevel[slot], 0.0f);
}

TEST_F(SpectrumFrameTest, APeakHoldsForItsDelayThenFallsAsASolidMarkerWhenBarsAreWide) {
    w = 120;
    settings.barWidth = 3;
    settings.barGap = 1;
    const int slot = 16; // start bin 17
    const QImage first = draw(spectrum({{17, magnitudeFor(0.505, 17)}}));
    EXPECT_EQ(bars.peakHeight[slot], 50); // value 0.505: top trunc(98 * 0.495) = 48
    EXPECT_EQ(first.pixel(1, 48), kPeak);
    for (int hold : {4, 3, 2, 1, 0}) {
        EXPECT_EQ(silence().pixel(1, 48), kPeak);
        EXPECT_EQ(bars.peakHold[slot], hold);
    }
    for (int height : {49, 48, 47}) {
        const QImage frame = silence();
        EXPECT_EQ(bars.peakHeight[slot], height);
        EXPECT_EQ(bars.peakTrail[slot], 1);
        EXPECT_EQ(frame.pixel(0, 98 - height), kPeak);
        EXPECT_EQ(frame.pixel(2, 98 - height), kPeak);
        EXPECT_EQ(frame.pixel(3, 98 - height), kBackground);     // the gap
        EXPECT_EQ(frame.pixel(1, 98 - height - 1), kBackground); // one row, solid
    }
}

TEST_F(SpectrumFrameTest, OneWideFallingPeaksGrowATrailShadedToWhatLiesUnderTheLine) {
    // A background that changes row by row, so the tail's colour tells where it was read.
    QImage box = plainBox(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            box.setPixel(x, y, qRgb(2 * y, 0, 0));
    draw(spectrum({{2, magnitudeFor(0.505, 2)}}), box); // peak height 50
    for (int frame = 0; frame < 5; ++frame) // the hold; later frames start from that background
        silence();
    const int trails[] = {2, 3, 4, 4};
    QImage frame;
    for (int trail : trails) {
        frame = silence();
        EXPECT_EQ(bars.peakTrail[1], trail);
    }
    // Height 46: the line on row 52, the trail on rows 51 to 49, shaded from the peak colour
    // towards the background's colour on row 52, RGB(104, 0, 0); row 48 is background again.
    EXPECT_EQ(bars.peakHeight[1], 46);
    EXPECT_EQ(frame.pixel(0, 52), kPeak);
    EXPECT_EQ(frame.pixel(0, 51), qRgb(26, 102, 191));
    EXPECT_EQ(frame.pixel(0, 49), qRgb(78, 34, 63));
    EXPECT_EQ(frame.pixel(0, 48), qRgb(96, 0, 0));
}

TEST_F(SpectrumFrameTest, BarsWithOneStartBinShareTheirSlotAndItsPeak) {
    const QImage frame = draw(spectrum({{255, 0.05f}}));
    const int height = shownHeight(frame, 253);
    EXPECT_GT(height, 1);
    EXPECT_EQ(shownHeight(frame, 254), height);
    EXPECT_EQ(shownHeight(frame, 255), height);
    EXPECT_EQ(shownHeight(frame, 252), 1); // bar 253 reads bin 254
    // Bar 254 set the peak; bars 255 and 256 found it as high as theirs and counted its hold.
    EXPECT_EQ(bars.peakHold[254], 5 - 2);
}

TEST_F(SpectrumFrameTest, EveryFrameStartsFromTheFirstFramesBackground) {
    const QImage first = draw(spectrum({{2, 5.0f}}));
    // The box now shows that frame (or anything else): the next one still starts clean.
    QImage white = plainBox(w, h);
    white.fill(Qt::white);
    const QImage second = draw(spectrum(), white);
    EXPECT_EQ(second.pixel(100, 10), kBackground);
    EXPECT_EQ(second.pixel(150, 50), kBackground);
    EXPECT_EQ(analyser.background(), plainBox(w, h));
    // Without a stream, or when the request fails, the frame is the bare background.
    QImage box = first;
    analyser.drawFrame(std::nullopt, settings, bars, box);
    EXPECT_EQ(box, plainBox(w, h));
}

TEST_F(SpectrumFrameTest, ABoxNarrowerThanOneBarShowsOnlyItsBackground) {
    w = 2;
    settings.barWidth = 3;
    settings.barGap = 1;
    EXPECT_EQ(draw(std::vector<float>(vis::kSpectrumBins, 1.0f)), plainBox(w, h));
    EXPECT_EQ(bars.peakHeight, vis::BarState().peakHeight);
}

} // namespace
