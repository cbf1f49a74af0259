#include "SpectrumBars.h"
#include "Frames.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using frames::magnitudeFor;
using frames::spectrum;

TEST(SpectrumBars, TheDesignBoxHas256OneBinBarsAndTheLastThreeShareASlot) {
    const vis::BarLayout layout = vis::layoutBars(260, 1, 0);
    EXPECT_EQ(layout.count, 256);    // 260 capped
    EXPECT_EQ(layout.binsPerBar, 1); // 256 / 261 truncates to 0, raised to 1
    EXPECT_EQ(vis::startBin(0, 256), 2);
    EXPECT_EQ(vis::startBin(1, 256), 3);
    EXPECT_EQ(vis::startBin(252, 256), 254); // bar 253
    for (int x : {253, 254, 255})            // bars 254 to 256: slot 254
        EXPECT_EQ(vis::startBin(x, 256), 255);
}

TEST(SpectrumBars, WiderBarsSumSeveralBins) {
    const vis::BarLayout layout = vis::layoutBars(120, 3, 1);
    EXPECT_EQ(layout.count, 30);
    EXPECT_EQ(layout.binsPerBar, 8);
    EXPECT_EQ(vis::startBin(0, 30), 17); // 512 / 30 = 17.07
    EXPECT_EQ(vis::startBin(4, 30), 21);
    EXPECT_EQ(vis::startBin(8, 30), 25);
    // Bins 17 to 24 are bar 1's, summed: a magnitude in the last of them counts, the next not.
    EXPECT_GT(vis::barValue(spectrum({{24, 0.5f}}), 17, 8), 0.0);
    EXPECT_EQ(vis::barValue(spectrum({{25, 0.5f}}), 17, 8), 0.0);
}

TEST(SpectrumBars, BoxesNarrowerThanABarAndNonsenseSettingsHaveNoBars) {
    EXPECT_EQ(vis::layoutBars(2, 3, 1).count, 0);
    EXPECT_EQ(vis::layoutBars(260, 0, 0).count, 0);
    EXPECT_EQ(vis::layoutBars(260, 1, -1).count, 0);
    EXPECT_EQ(vis::layoutBars(0, 1, 0).count, 0);
    const int huge = std::numeric_limits<int>::max();
    EXPECT_EQ(vis::layoutBars(260, 1, huge).count, 1); // no overflow on the way
    EXPECT_EQ(vis::layoutBars(260, huge, 0).count, 0);
}

TEST(SpectrumBars, GainChangesAtExactlyOneHundredth) {
    EXPECT_NEAR(vis::barValue(spectrum({{2, magnitudeFor(0.01, 2)}}), 2, 1), 0.031415926, 1e-6);
    EXPECT_NEAR(vis::barValue(spectrum({{2, magnitudeFor(0.0099, 2)}}), 2, 1), 0.099, 1e-6);
}

TEST(SpectrumBars, LoudBarsAreSoftlyLimited) {
    // Weighted values that the gain of pi takes to 0.9 and 3.0.
    EXPECT_NEAR(vis::barValue(spectrum({{2, magnitudeFor(0.9 / 3.1415926535, 2)}}), 2, 1), 0.36,
                1e-6);
    EXPECT_EQ(vis::barValue(spectrum({{2, magnitudeFor(3.0 / 3.1415926535, 2)}}), 2, 1), 1.0);
    EXPECT_NEAR(vis::barValue(spectrum({{2, magnitudeFor(0.8 / 3.1415926535, 2)}}), 2, 1), 0.8,
                1e-6); // 0.8 itself is not above 0.8
}

TEST(SpectrumBars, BrokenOrShortSpectraCountAsSilence) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(vis::barValue(spectrum({{2, nan}}), 2, 1), 0.0);
    EXPECT_EQ(vis::barValue(spectrum({{2, inf}}), 2, 1), 0.0);
    EXPECT_EQ(vis::barValue(spectrum({{2, -1.0f}}), 2, 1), 0.0);
    const std::vector<float> shortSpectrum(10, 0.5f);
    EXPECT_EQ(vis::barValue(shortSpectrum, 255, 8), 0.0);
}

} // namespace
