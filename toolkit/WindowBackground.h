#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>

class QPainter;

namespace tk {

// How a window's background picture covers its client area.
enum class PictureMode {
    TopLeft = 0,   // at the top-left corner at its own size
    Tiled = 1,     // repeated over the whole area
    Centred = 2,   // centred; scaled down, keeping proportions, when larger than the area
    Stretched = 3, // stretched over the whole area
};

// Fills `area` with `colour`, then draws `picture` in it by `mode`.
void paintWindowBackground(QPainter& painter, const QRect& area, const QPixmap& picture,
                           PictureMode mode, const QColor& colour);

} // namespace tk
