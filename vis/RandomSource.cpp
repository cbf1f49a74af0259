#include "RandomSource.h"

#include <chrono>

namespace vis {

int SeededRandom::between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(engine_);
}

std::uint32_t clockSeed() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

} // namespace vis
