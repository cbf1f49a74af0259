#pragma once

#include "SpectrumBars.h"

#include <QImage>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

// Helpers of the analyser's pixel tests.
namespace frames {

constexpr QRgb kBackground = 0xFF141E28; // RGB(20, 30, 40)

inline QImage plainBox(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBackground);
    return image;
}

// 512 magnitudes, silent but for the given (bin, magnitude) pairs.
inline std::vector<float> spectrum(std::initializer_list<std::pair<int, float>> bins = {}) {
    std::vector<float> magnitudes(vis::kSpectrumBins, 0.0f);
    for (const auto& [bin, magnitude] : bins)
        magnitudes[bin] = magnitude;
    return magnitudes;
}

// The magnitude that, alone at `bin` of a one-bin bar, ends as `value` after the gain of pi.
inline float magnitudeFor(double value, int bin) {
    return float(value / 3.1415926535 / std::log(bin + 2.0));
}

// The bar's height in column x: the rows from the first one from the top that is not
// background.
inline int shownHeight(const QImage& frame, int x) {
    for (int y = 0; y < frame.height(); ++y)
        if (frame.pixel(x, y) != kBackground)
            return frame.height() - y;
    return 0;
}

} // namespace frames
