#pragma once

namespace vis {

// Comparisons of real numbers with the analyser's tolerance of 1e-7: values closer than that
// count as equal, so a level computed as 0.0099999999 still counts as 0.01.
constexpr double kTolerance = 1e-7;

constexpr bool greater(double a, double b) {
    return a - b > kTolerance;
}
constexpr bool less(double a, double b) {
    return a - b < -kTolerance;
}
constexpr bool atLeast(double a, double b) {
    return a - b >= -kTolerance;
}

} // namespace vis
