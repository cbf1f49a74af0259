#include "EdgeAutoHide.h"

#include <cmath>

namespace app {

namespace {

constexpr double Tolerance = 1e-7; // a > b means a − b > Tolerance

constexpr int StripWidth = 2;                // what stays visible of a hidden window
constexpr int ReturnFromRightDistance = 300; // from the screen's right edge

} // namespace

std::optional<EdgeMove> edgeAutoHide(QPoint cursor, QRect window, int screenWidth) {
    const double cx = cursor.x(), cy = cursor.y();
    const double left = window.x(), top = window.y();
    const double width = window.width(), height = window.height();
    const double screen = screenWidth;
    using C = EdgeMove::Coordinate;

    const bool outside =
        cx < left || cx - (left + width) > Tolerance || cy < top || cy - (top + height) > Tolerance;
    if (outside) {
        if (left <= 0)
            return EdgeMove{C::Left, StripWidth - window.width()};
        if (left + width - screen >= -Tolerance)
            return EdgeMove{C::Left, screenWidth - StripWidth};
        if (top <= 0)
            return EdgeMove{C::Top, StripWidth - window.height()};
        return std::nullopt;
    }
    if (left <= 0)
        return EdgeMove{C::Left, 0};
    if (std::fabs(left - (screen - StripWidth)) <= Tolerance)
        return EdgeMove{C::Left, screenWidth - ReturnFromRightDistance};
    if (top <= 0)
        return EdgeMove{C::Top, 0};
    return std::nullopt;
}

} // namespace app
