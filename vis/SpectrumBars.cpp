#include "SpectrumBars.h"

#include "RealCompare.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace vis {
namespace {

// ln(s + 2) for every start bin a bar can have, computed once: the same values std::log
// gives, without a logarithm per bar and frame.
const std::array<double, kLastStartBin + 1>& binWeights() {
    static const auto weights = [] {
        std::array<double, kLastStartBin + 1> w{};
        for (int s = 0; s <= kLastStartBin; ++s)
            w[static_cast<size_t>(s)] = std::log(s + 2.0);
        return w;
    }();
    return weights;
}

} // namespace

BarLayout layoutBars(int boxWidth, int barWidth, int barGap) {
    if (barWidth < 1 || barGap < 0 || boxWidth < 1)
        return {};
    // 64 bits, so that no setting overflows the sums.
    const int64_t count = (int64_t(boxWidth) + barGap) / (int64_t(barWidth) + barGap);
    const int64_t bins = kSpectrumBins / 2 / (count + 1);
    return {int(std::min<int64_t>(count, kMaxBars)), int(std::max<int64_t>(bins, 1))};
}

int startBin(int x, int barCount) {
    const int bin = int(x + double(kSpectrumBins) / barCount);
    return std::min(bin, kLastStartBin);
}

double barValue(std::span<const float> magnitudes, int start, int binsPerBar) {
    float sum = 0.0f;
    for (int bin = start; bin < start + binsPerBar; ++bin) {
        if (bin >= 0 && bin < int(magnitudes.size()))
            sum += magnitudes[bin];
    }
    if (!std::isfinite(sum) || sum < 0.0f)
        sum = 0.0f;
    const double weight = start >= 0 && start <= kLastStartBin
                              ? binWeights()[static_cast<size_t>(start)]
                              : std::log(start + 2.0);
    double value = sum * weight;
    value *= atLeast(value, 0.01) ? 3.1415926535 : 10.0;
    if (greater(value, 0.8)) {
        value *= 0.4;
        if (greater(value, 1.0))
            value = 1.0;
    }
    return value;
}

} // namespace vis
