#include "BandColumns.h"

#include "SpectrumPainter.h"

#include <algorithm>

namespace vis {

const std::vector<QRgb>& BandColumns::column(int top, const BarRect& rect,
                                             const AnalyserSettings& settings) {
    const uint32_t colours[3] = {settings.topColour, settings.middleColour, settings.bottomColour};
    if (rect.bottom != height_ || !std::equal(colours, colours + 3, colours_)) {
        height_ = rect.bottom;
        std::copy(colours, colours + 3, colours_);
        columns_.assign(static_cast<size_t>(height_) + 1, {});
        scratch_ = QImage(1, std::max(height_, 1), QImage::Format_RGB32);
    }
    std::vector<QRgb>& rows = columns_[static_cast<size_t>(top)];
    if (rows.empty()) {
        drawBand(scratch_, BarRect{0, top, 1, rect.bottom}, settings);
        rows.resize(static_cast<size_t>(rect.bottom - top));
        for (int y = top; y < rect.bottom; ++y)
            rows[static_cast<size_t>(y - top)] = scratch_.pixel(0, y);
    }
    return rows;
}

void BandColumns::fill(QImage& image, const BarRect& rect, const AnalyserSettings& settings) {
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, image.width());
    // Tops outside 0..bottom, or a bottom beyond the image, take the direct way.
    if (rect.top < 0 || rect.top >= rect.bottom || rect.bottom > image.height() || left >= right) {
        if (rect.top < rect.bottom)
            drawBand(image, rect, settings);
        return;
    }
    const std::vector<QRgb>& rows = column(rect.top, rect, settings);
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = rect.top; y < rect.bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + stride * y);
        std::fill(row + left, row + right, rows[static_cast<size_t>(y - rect.top)]);
    }
}

} // namespace vis
