#include "SpectrumBars.h"
#include "Frames.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using frames::spectrum;

TEST(SpectrumBars, TheDesignBoxHas256OneBinBarsAndTheLastThreeShareASlot) {
    const vis::BarLayout layout = vis::layoutBars(260, 1, 0);
    EXPECT_EQ(layout.count, 256);    // 260 capped
    EXPECT_EQ(layout.binsPerBar, 1); // 256 / 261 truncates to 0, raised to 1
    EXPECT_EQ(vis::startBin(0, 256), 2);
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
    // Bins 17 to 24 are bar 1's: a magnitude in the last of them counts, in the next not.
    EXPECT_GT(vis::barValue(spectrum({{24, 0.5f}}), 17, 8), 0.0);
    EXPECT_EQ(vis::barValue(spectrum({{25, 0.5f}}), 17, 8), 0.0);
}

TEST(SpectrumBars, NarrowBoxesAndNonsenseSettingsHaveNoBars) {
    EXPECT_EQ(vis::layoutBars(2, 3, 1).count, 0);
    EXPECT_EQ(vis::layoutBars(260, 0, 0).count, 0);
    EXPECT_EQ(vis::layoutBars(260, 1, -1).count, 0);
    const int huge = std::numeric_limits<int>::max();
    EXPECT_EQ(vis::layoutBars(260, 1, huge).count, 1); // no overflow on the way
    EXPECT_EQ(vis::layoutBars(260, huge, 0).count, 0);
}

TEST(SpectrumBars, BrokenOrShortSpectraCountAsSilence) {
    for (float broken :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -1.0f})
        EXPECT_EQ(vis::barValue(spectrum({{2, broken}}), 2, 1), 0.0);
    EXPECT_EQ(vis::barValue(std::vector<float>(10, 0.5f), 255, 8), 0.0);
}

} // namespace
