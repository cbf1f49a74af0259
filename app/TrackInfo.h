#pragma once

#include <QString>
#include <cstdint>

namespace app {

// What the file-properties window is told about the loaded track: where it is and what the
// engine knows of its stream. Zero means not known; the window then shows what the file's
// own header says.
struct TrackInfo {
    QString path; // empty when nothing is loaded
    std::int64_t lengthMs = 0;
    int sampleRate = 0; // Hz
    int channels = 0;

    bool operator==(const TrackInfo&) const = default;
};

} // namespace app
