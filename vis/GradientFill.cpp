#include "GradientFill.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace vis {
namespace {

int channelAt(int first, int last, int k, int n) {
    const int64_t start = first << 8;
    return int((start + ((last << 8) - start) * k / n) >> 8); // 64 bits: boxes may be tall
}

} // namespace

void fillGradientRows(QImage& image, int left, int right, int from, int to, Rgb first, Rgb last) {
    const int n = std::abs(to - from);
    left = std::max(left, 0);
    right = std::min(right, image.width());
    if (n == 0 || left >= right)
        return;
    const int step = to > from ? 1 : -1;
    for (int k = 0; k < n; ++k) {
        const int y = from + step * k;
        if (y < 0 || y >= image.height())
            continue;
        const QRgb pixel =
            qRgb(channelAt(first.red, last.red, k, n), channelAt(first.green, last.green, k, n),
                 channelAt(first.blue, last.blue, k, n));
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(row + left, row + right, pixel);
    }
}

} // namespace vis
