#include "TrackProperties.h"

#include <QFile>

namespace app {

TrackProperties readTrackProperties(const TrackInfo& track) {
    TrackProperties properties;
    properties.path = track.path;
    properties.lengthMs = std::max<std::int64_t>(track.lengthMs, 0);
    if (track.path.isEmpty())
        return properties;
    const std::string path = QFile::encodeName(track.path).toStdString();
    properties.tags = media::readTrackDetails(path).value_or(media::TrackDetails{});
    properties.format = media::readAudioFormat(path, properties.lengthMs);
    if (properties.format && track.sampleRate > 0)
        properties.format->sampleRate = track.sampleRate;
    if (properties.format && track.channels > 0)
        properties.format->channels = track.channels;
    return properties;
}

} // namespace app
