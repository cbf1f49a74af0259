#pragma once

#include "Colour.h"

class QImage;

namespace vis {

// Fills columns [left, right) of a 32-bit image with a vertical two-colour gradient, row by
// row, the way a vertical-mode gradient fill with 16-bit vertex channels does: `first` lies on
// row `from`, `last` on row `to`, which itself is not filled; `to` may lie above `from`, and
// the rows then run upwards. The row k rows away from `from`, of n = |to - from|, has in each
// channel the high byte of (first << 8) + ((last << 8) - (first << 8)) * k / n, the division
// truncating toward zero, so the last row filled stops one step short of `last`. Channels are
// 0-255; rows and columns outside the image are left out.
void fillGradientRows(QImage& image, int left, int right, int from, int to, Rgb first, Rgb last);

} // namespace vis
