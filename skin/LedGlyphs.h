#pragma once

#include <vector>

namespace skin {

// The LED strip's glyphs: the digits 0 to 9, then these two.
constexpr int kColonGlyph = 10;
constexpr int kMinusGlyph = 11;
constexpr int kStripGlyphs = 12;

// The display shows minutes and seconds; from 100 minutes on it stays at 99:59, the most its
// two minute digits can say, rather than show a time that runs backwards.
constexpr int kLargestShownSeconds = 99 * 60 + 59;

// The glyph indices of a time: "MM:SS" for the elapsed seconds, or, in minus mode, a minus
// sign and the time remaining until `trackSeconds` ("-MM:SS"). Negative times show 00:00.
std::vector<int> ledGlyphs(int seconds, bool minus, int trackSeconds);

} // namespace skin
