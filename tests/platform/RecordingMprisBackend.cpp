#include "RecordingMprisBackend.h"

using platform::MprisPlaybackStatus;

QStringList RecordingMprisBackend::supportedMimeTypes() const {
    return {"audio/mpeg", "audio/flac", "audio/ogg"};
}

void RecordingMprisBackend::play() {
    calls << "play";
    state.status = MprisPlaybackStatus::Playing;
}

void RecordingMprisBackend::pause() {
    calls << "pause";
    state.status = MprisPlaybackStatus::Paused;
}

void RecordingMprisBackend::stop() {
    calls << "stop";
    state.status = MprisPlaybackStatus::Stopped;
    state.positionUs = 0;
}

void RecordingMprisBackend::seekTo(int64_t positionUs) {
    calls << QStringLiteral("seekTo %1").arg(positionUs);
    state.positionUs = positionUs;
}

void RecordingMprisBackend::setVolume(double volume) {
    calls << QStringLiteral("setVolume %1").arg(volume);
    state.volume = volume;
}

void RecordingMprisBackend::openFiles(const QStringList& paths) {
    calls << QStringLiteral("openFiles %1").arg(paths.join('|'));
}
