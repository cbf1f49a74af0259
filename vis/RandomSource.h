#pragma once

#include <cstdint>
#include <random>

namespace vis {

// Uniform random integers, injectable so that tests can fix the sequence.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A uniformly chosen integer from low to high inclusive (low <= high).
    virtual int between(int low, int high) = 0;
};

// A Mersenne twister with a given seed: the same seed gives the same sequence.
class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    int between(int low, int high) override;

  private:
    std::mt19937 engine_;
};

// A seed from the steady clock, for the program (different at every start).
std::uint32_t clockSeed();

} // namespace vis
