#include "SliderGeometry.h"

#include <algorithm>

namespace ui {
namespace {

bool degenerate(int trackWidth, int thumbWidth, int minimum, int maximum) {
    return maximum == minimum || trackWidth <= thumbWidth;
}

} // namespace

int thumbLeftForValue(int trackLeft, int trackWidth, int thumbWidth, int minimum, int maximum,
                      int value) {
    if (degenerate(trackWidth, thumbWidth, minimum, maximum))
        return trackLeft;
    const double fraction = double(value - minimum) / double(maximum - minimum);
    return static_cast<int>(trackLeft + fraction * (trackWidth - thumbWidth));
}

int valueForThumbOffset(int offset, int trackWidth, int thumbWidth, int minimum, int maximum) {
    if (degenerate(trackWidth, thumbWidth, minimum, maximum))
        return minimum;
    return static_cast<int>(minimum + double(offset) / double(trackWidth - thumbWidth) *
                                          double(maximum - minimum));
}

int thumbTopForAlignment(int alignMode, int trackTop, int trackHeight, int thumbHeight,
                         int current) {
    switch (alignMode) {
    case -2:
        return trackTop - thumbHeight;
    case -1:
        return trackTop;
    case 0:
        return static_cast<int>(trackTop + (trackHeight - thumbHeight) / 2.0);
    case 1:
        return trackTop + trackHeight - thumbHeight;
    case 2:
        return trackTop + trackHeight;
    default:
        return current;
    }
}

int draggedThumbLeft(int x, int trackLeft, int trackWidth, int thumbWidth) {
    const int lowest = trackLeft;
    const int highest = std::max(lowest, lowest + trackWidth - thumbWidth);
    const int left = static_cast<int>(x - thumbWidth / 2.0 + lowest);
    return std::min(std::max(left, lowest), highest);
}

} // namespace ui
