#pragma once

#include <QPoint>
#include <QRect>
#include <optional>

namespace app {

// The one coordinate an edge-timer tick changes, and its new value.
struct EdgeMove {
    enum class Coordinate { Left, Top };
    Coordinate coordinate;
    int value;
};

// Hiding at a screen edge, decided once per tick of the 100 ms edge timer: a window at the
// left, right or top edge of the screen slides out of sight, leaving a 2-pixel strip, while
// the cursor is outside it, and slides back when the cursor touches the strip. The left edge
// wins over the right and the top. A window that comes back from the right lands 300 pixels
// from the screen's right edge, whatever its width. The window's rectangle and the cursor are
// in screen coordinates; the right and bottom edges (left + width, top + height) count as
// inside. The returned value may equal the current one; nothing is returned when the window
// stays as it is.
std::optional<EdgeMove> edgeAutoHide(QPoint cursor, QRect window, int screenWidth);

} // namespace app
