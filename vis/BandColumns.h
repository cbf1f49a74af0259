#pragma once

#include "AnalyserSettings.h"

#include <QImage>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace vis {

struct BarRect;

// The bars' gradient rows, remembered: a bar's rows depend only on its top, the box height
// and the three gradient colours, so each distinct top is drawn once (by drawBand itself, into
// a one-pixel column) and every bar with that top copies its rows. Forgotten when the height
// or a colour changes. GUI thread.
class BandColumns {
  public:
    // Fills the bar's rectangle exactly as drawBand would.
    void fill(QImage& image, const BarRect& rect, const AnalyserSettings& settings);

  private:
    const std::vector<QRgb>& column(int top, const BarRect& rect, const AnalyserSettings& settings);

    int height_ = -1;
    uint32_t colours_[3] = {};
    std::vector<std::vector<QRgb>> columns_; // by top; empty until first used
    QImage scratch_;
};

} // namespace vis
