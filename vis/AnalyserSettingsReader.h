#pragma once

#include "AnalyserSettings.h"

#include <QString>
#include <array>
#include <optional>

namespace tk {
class Unit;
class Window;
} // namespace tk

namespace vis {

// Reads the analyser's settings from the controls of the options window's visual-effects page
// (slider positions, check boxes, colour pickers), so that a change there shows in the next
// frame. The units are found once; the window must outlive the reader.
class AnalyserSettingsReader {
  public:
    // Nothing, and the missing unit's name in `error`, when the window lacks one of them.
    static std::optional<AnalyserSettingsReader> create(const tk::Window& options, QString* error);

    AnalyserSettings read() const;

  private:
    AnalyserSettingsReader() = default;

    std::array<const tk::Unit*, 11> units_{}; // in the order of AnalyserSettings
};

} // namespace vis
