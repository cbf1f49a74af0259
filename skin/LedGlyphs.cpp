#include "LedGlyphs.h"

#include <algorithm>

namespace skin {

std::vector<int> ledGlyphs(int seconds, bool minus, int trackSeconds) {
    int shown = minus ? trackSeconds - seconds : seconds;
    shown = std::clamp(shown, 0, kLargestShownSeconds);
    const int minutes = shown / 60;
    const int rest = shown % 60;
    std::vector<int> glyphs;
    if (minus)
        glyphs.push_back(kMinusGlyph);
    glyphs.insert(glyphs.end(), {minutes / 10, minutes % 10, kColonGlyph, rest / 10, rest % 10});
    return glyphs;
}

} // namespace skin
