#pragma once

#include "RandomSource.h"

#include <deque>
#include <gtest/gtest.h>

namespace vistest {

// Gives the planned answers first, in order, then the highest value of every range. The
// highest values park a flake for good: it starts past the bottom-right corner, moves 4 to
// the right and is re-spawned one column past the right edge, where it is never seen.
// A planned answer outside the range asked for fails the test.
class PlannedRandom final : public vis::RandomSource {
  public:
    void plan(std::initializer_list<int> answers) { planned_.insert(planned_.end(), answers); }
    // The start-up draws of flake i: x, y, period - 1, fall step - 1, 30 - landing interval.
    void planFlake(int x, int y, int periodDraw, int fallDraw, int landingDraw) {
        plan({x, y, periodDraw, fallDraw, landingDraw});
    }
    // Parks the rest of the 260 flakes when `planned` flakes were planned.
    void parkTheRest(int planned, int width, int height) {
        for (int i = planned; i < 260; ++i)
            planFlake(width, height, 5, 6, 6);
    }
    bool planUsed() const { return planned_.empty(); }

    int between(int low, int high) override {
        if (planned_.empty())
            return high;
        const int answer = planned_.front();
        planned_.pop_front();
        EXPECT_TRUE(answer >= low && answer <= high)
            << "planned " << answer << " for a draw from " << low << " to " << high;
        return answer;
    }

  private:
    std::deque<int> planned_;
};

} // namespace vistest
