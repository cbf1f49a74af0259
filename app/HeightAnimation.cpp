#include "HeightAnimation.h"

#include <algorithm>
#include <cmath>

namespace app {

namespace {

// The top that centres a window of this height on the screen, truncated toward zero.
int centredTop(int screenHeight, int windowHeight) {
    return static_cast<int>(static_cast<float>(screenHeight - windowHeight) / 2.0f);
}

} // namespace

HeightStep HeightAnimation::step(int currentHeight, int screenHeight, float stiffness,
                                 float damping) {
    const float height = static_cast<float>(currentHeight);
    heightError_ = targetHeight_ - height;
    heightAcceleration_ = heightError_ * stiffness;
    heightVelocity_ = heightVelocity_ + heightAcceleration_;
    heightVelocity_ = std::round(heightVelocity_ * damping); // half away from zero

    // A damping above 1 makes the spring diverge until the velocity overflows; the run then
    // ends rather than ticking for ever, and the next one starts from rest.
    if (!std::isfinite(heightVelocity_)) {
        heightVelocity_ = 0.0f;
        return {currentHeight, centredTop(screenHeight, currentHeight), true};
    }
    // Clamped before the conversion: a float beyond int's range has no defined int value.
    const float reached = std::clamp(height + heightVelocity_, 0.0f, float(MaxHeight));
    const int newHeight = static_cast<int>(reached); // truncates toward zero
    return {newHeight, centredTop(screenHeight, newHeight), std::fabs(heightVelocity_) <= 1e-7f};
}

} // namespace app
