#pragma once

#include "AnalyserSettings.h"
#include "BandColumns.h"
#include "SpectrumBars.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace vis {

// The widest box the analyser draws into; a wider one is narrowed at its first frame with data.
constexpr int kMaxBoxWidth = 512;

// What each bar carries from frame to frame, found by the bar's slot (its start bin - 1), not
// by its place in the row. The program owns one for its whole run: it is never cleared, not on
// stop and not on a new track, so peaks resume where they were.
struct BarState {
    std::array<float, kSpectrumBins> bandLevel{};    // shown height, fraction of the box height
    std::array<int32_t, kSpectrumBins> peakHeight{}; // pixels above the bottom edge
    std::array<int32_t, kSpectrumBins> peakHold{};   // frames before the peak falls; < 0 falling
    std::array<uint8_t, kSpectrumBins> peakTrail{};  // rows of the peak marker, 1-4
};

struct FrameResult {
    // The box was wider than kMaxBoxWidth: the frame is that wide, and so must the box become.
    bool narrowed = false;
};

// Draws the spectrum as bars rising from the bottom of a box, in a gradient over the box's
// height, with peak markers that hold and then fall. Each frame starts from the snapshot of
// what the box showed before the first frame, which the analyser keeps for the whole run, so
// bars never pile up and the box's background always shows behind them. Pure: no widget and
// no engine inside, the frame depends only on the arguments and the snapshot. GUI thread.
class SpectrumAnalyser {
  public:
    // Draws one frame. `box` holds what the box shows now and receives the frame (a 32-bit
    // image of the box's size; the first frame takes it as the snapshot). `magnitudes` are the
    // stream's 512 spectrum magnitudes; none (no stream, or the request failed) shows the bare
    // background. `bars` is updated. An empty box draws nothing and keeps the snapshot.
    FrameResult drawFrame(std::optional<std::span<const float>> magnitudes,
                          const AnalyserSettings& settings, BarState& bars, QImage& box);

    // The snapshot every frame starts from; null before the first frame.
    const QImage& background() const { return background_; }

  private:
    QImage background_;
    BandColumns bands_;
};

} // namespace vis
