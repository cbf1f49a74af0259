#include "MprisBridge.h"

#include "MprisService.h"
#include "PlaybackModel.h"
#include "PlaylistPlayer.h"

#include <QCoreApplication>
#include <QMimeDatabase>
#include <QSet>

namespace app {

using playback::PlayState;

MprisBridge::MprisBridge(playback::PlaybackModel& model, playback::PlaylistPlayer& playlist,
                         std::function<void()> raise,
                         std::function<void(const QStringList&)> openFiles, QObject* parent)
    : QObject(parent), model_(model), playlist_(playlist), raise_(std::move(raise)),
      openFiles_(std::move(openFiles)), service_(std::make_unique<platform::MprisService>(*this)) {
    using M = playback::PlaybackModel;
    const auto changed = [this] { service_->notifyChanged(); };
    connect(&model_, &M::stateChanged, this, changed);
    connect(&model_, &M::trackChanged, this, changed);
    connect(&model_, &M::lengthChanged, this, changed);
    connect(&model_, &M::volumeChanged, this, changed);
    connect(&model_, &M::mutedChanged, this, changed);
    connect(&playlist_, &playback::PlaylistPlayer::navigationChanged, this, changed);
    connect(&model_, &M::seeked, this, [this](int64_t ms) { service_->notifySeeked(ms * 1000); });
}

MprisBridge::~MprisBridge() = default;

bool MprisBridge::registerOnSessionBus() {
    return service_->registerOnSessionBus();
}

void MprisBridge::raise() {
    raise_();
}

void MprisBridge::quit() {
    // Only posted: the reply to the request still goes out before the player ends.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

QStringList MprisBridge::supportedMimeTypes() const {
    QSet<QString> types;
    const QMimeDatabase database;
    for (const QString& extension : playback::Playlist::audioExtensions()) {
        for (const QMimeType& type :
             database.mimeTypesForFileName(QStringLiteral("x.") + extension))
            types.insert(type.name());
    }
    QStringList sorted(types.begin(), types.end());
    sorted.sort();
    return sorted;
}

platform::MprisPlaybackStatus MprisBridge::playbackStatus() const {
    switch (model_.state()) {
    case PlayState::Playing:
        return platform::MprisPlaybackStatus::Playing;
    case PlayState::Paused:
        return platform::MprisPlaybackStatus::Paused;
    case PlayState::Stopped:
        break;
    }
    return platform::MprisPlaybackStatus::Stopped;
}

platform::MprisTrack MprisBridge::track() const {
    platform::MprisTrack track;
    if (!model_.hasTrack())
        return track;
    const playback::Track& loaded = model_.track();
    track.id = model_.generation();
    track.lengthUs = model_.lengthMs() * 1000;
    track.title = loaded.title.isEmpty() ? loaded.displayName : loaded.title;
    track.artist = loaded.artist;
    track.album = loaded.album;
    track.path = loaded.path;
    return track;
}

double MprisBridge::volume() const {
    return model_.isMuted() ? 0.0 : model_.volume() / 100.0;
}

int64_t MprisBridge::positionUs() const {
    return model_.positionMs() * 1000;
}

bool MprisBridge::canPlay() const {
    return model_.hasTrack();
}

bool MprisBridge::canPause() const {
    return model_.hasTrack();
}

bool MprisBridge::canSeek() const {
    // A stopped player has no position to move.
    return model_.state() != PlayState::Stopped && model_.lengthMs() > 0;
}

bool MprisBridge::canGoNext() const {
    return playlist_.hasNext();
}

bool MprisBridge::canGoPrevious() const {
    return playlist_.hasPrevious();
}

void MprisBridge::play() {
    model_.play();
}

void MprisBridge::pause() {
    model_.pause();
}

void MprisBridge::stop() {
    model_.stop();
}

void MprisBridge::next() {
    // A paused or stopped player stays so: the next track is loaded, not started.
    const PlayState before = model_.state();
    if (playlist_.next() && before != PlayState::Playing)
        model_.stop();
}

void MprisBridge::previous() {
    const PlayState before = model_.state();
    if (playlist_.previous() && before != PlayState::Playing)
        model_.stop();
}

void MprisBridge::seekTo(int64_t positionUs) {
    model_.seekMs(positionUs / 1000);
}

void MprisBridge::setVolume(double volume) {
    if (model_.isMuted())
        model_.toggleMute();
    model_.setVolume(qRound(volume * 100));
}

void MprisBridge::openFiles(const QStringList& paths) {
    openFiles_(paths);
}

} // namespace app
