#pragma once

#include "TrackProperties.h"

#include <QString>
#include <vector>

// The texts the file-properties window shows for a track.
namespace app::properties_texts {

// The file name box: the file's path, or a note that no track is loaded.
QString fileName(const TrackProperties& properties);

// One line of the format box: what it is and its value.
struct FormatRow {
    QString name;
    QString value;

    bool operator==(const FormatRow&) const = default;
};

// Codec, sample rate, channels, bit rate and length, in this order. The values are empty when
// no track is loaded and say "未知" where the file and the engine tell nothing.
std::vector<FormatRow> formatRows(const TrackProperties& properties);

// A length as m:ss, or h:mm:ss from an hour on; whole seconds, cut toward zero.
QString duration(std::int64_t ms);

} // namespace app::properties_texts
