#pragma once

#include "SpectrumAnalyser.h"

namespace tk {
class Unit;
}

namespace vis {

// Draws one analyser frame into a picture box unit and shows it with one update: the box's
// canvas is what the frame starts from and what receives it. A box wider than kMaxBoxWidth is
// narrowed at its first frame with data. Units of other kinds, and empty boxes, are left alone.
void showFrame(tk::Unit& box, SpectrumAnalyser& analyser,
               std::optional<std::span<const float>> magnitudes, const AnalyserSettings& settings,
               BarState& bars);

// Erases the box to its own picture, as on stop. The analyser's snapshot and the bars' state
// are kept.
void clearFrame(tk::Unit& box);

} // namespace vis
