#include "MprisPlayerAdaptor.h"

#include "BusReplies.h"
#include "MprisBackend.h"
#include "MprisValues.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace platform {

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisBackend& backend, std::function<void()> afterCommand,
                                       QObject* exported)
    : QDBusAbstractAdaptor(exported), backend_(backend), afterCommand_(std::move(afterCommand)) {}

QString MprisPlayerAdaptor::playbackStatus() const {
    return mpris::playbackStatusName(backend_.playbackStatus());
}

void MprisPlayerAdaptor::setRate(double rate) {
    // A rate of 0 is how some clients ask for a pause; other rates cannot be played.
    if (rate == 0.0)
        Pause();
}

QVariantMap MprisPlayerAdaptor::metadata() const {
    return mpris::metadataMap(backend_.track());
}

double MprisPlayerAdaptor::volume() const {
    return backend_.volume();
}

void MprisPlayerAdaptor::setVolume(double volume) {
    if (!std::isfinite(volume))
        return; // not a level: keep the one there is
    backend_.setVolume(std::clamp(volume, 0.0, 1.0));
    afterCommand_();
}

qlonglong MprisPlayerAdaptor::position() const {
    return backend_.positionUs();
}

bool MprisPlayerAdaptor::canGoNext() const {
    return backend_.canGoNext();
}

bool MprisPlayerAdaptor::canGoPrevious() const {
    return backend_.canGoPrevious();
}

bool MprisPlayerAdaptor::canPlay() const {
    return backend_.canPlay();
}

bool MprisPlayerAdaptor::canPause() const {
    return backend_.canPause();
}

bool MprisPlayerAdaptor::canSeek() const {
    return backend_.canSeek();
}

void MprisPlayerAdaptor::Next() {
    if (backend_.canGoNext())
        backend_.next();
    afterCommand_();
}

void MprisPlayerAdaptor::Previous() {
    if (backend_.canGoPrevious())
        backend_.previous();
    afterCommand_();
}

void MprisPlayerAdaptor::Pause() {
    if (backend_.canPause())
        backend_.pause();
    afterCommand_();
}

void MprisPlayerAdaptor::PlayPause(const QDBusMessage& call) {
    const bool playing = backend_.playbackStatus() == MprisPlaybackStatus::Playing;
    if (playing ? !backend_.canPause() : !backend_.canPlay()) {
        mpris::replyWithError(call, QDBusError::NotSupported,
                              playing ? QStringLiteral("this track cannot be paused")
                                      : QStringLiteral("there is no track to play"));
        return;
    }
    if (playing)
        backend_.pause();
    else
        backend_.play();
    afterCommand_();
}

void MprisPlayerAdaptor::Stop() {
    backend_.stop();
    afterCommand_();
}

void MprisPlayerAdaptor::Play() {
    if (backend_.canPlay())
        backend_.play();
    afterCommand_();
}

void MprisPlayerAdaptor::Seek(qlonglong offsetUs) {
    if (!backend_.canSeek())
        return;
    const int64_t position = std::max<int64_t>(backend_.positionUs(), 0);
    constexpr int64_t kLatest = std::numeric_limits<int64_t>::max();
    // position >= 0, so only a forward offset can overflow; it saturates.
    const int64_t target = offsetUs > kLatest - position ? kLatest : position + offsetUs;
    const int64_t length = backend_.track().lengthUs;
    if (length > 0 && target > length) {
        // Past the end the track is over: on to the next one, or stopped after the last.
        if (backend_.canGoNext())
            backend_.next();
        else
            backend_.stop();
    } else {
        backend_.seekTo(std::max<int64_t>(target, 0));
    }
    afterCommand_();
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong positionUs) {
    if (!backend_.canSeek())
        return;
    const MprisTrack track = backend_.track();
    // A request for another track than the loaded one came too late: the track has changed.
    if (track.id == 0 || trackId.path() != mpris::trackObjectPath(track.id))
        return;
    if (positionUs < 0 || (track.lengthUs > 0 && positionUs > track.lengthUs))
        return;
    backend_.seekTo(positionUs);
    afterCommand_();
}

void MprisPlayerAdaptor::OpenUri(const QString& uri, const QDBusMessage& call) {
    QString why;
    const auto path = mpris::localFileFromUri(uri, &why);
    if (!path) {
        mpris::replyWithError(call, QDBusError::InvalidArgs, why);
        return;
    }
    backend_.openFiles({*path});
    afterCommand_();
}

} // namespace platform
