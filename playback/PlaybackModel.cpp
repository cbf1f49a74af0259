#include "PlaybackModel.h"

#include "EngineLibrary.h"
#include "TrackTagReader.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace playback {
namespace {

// The end watch looks again when the time left has run out, but at least this often, so that
// a stream that breaks off early is noticed soon; and no more often than the short interval.
constexpr int kEndWatchLongestMs = 1000;
constexpr int kEndWatchShortestMs = 20;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Track trackOf(const QString& path) {
    Track track;
    track.path = path;
    if (const auto tags = media::readTrackTags(QFile::encodeName(path).toStdString())) {
        track.title = fromUtf8(tags->title);
        track.artist = fromUtf8(tags->artist);
        track.album = fromUtf8(tags->album);
        track.displayName = fromUtf8(media::composeDisplayName(*tags));
    }
    if (track.displayName.isEmpty())
        track.displayName = QFileInfo(path).completeBaseName();
    return track;
}

} // namespace

PlaybackModel::PlaybackModel(QObject* parent)
    : QObject(parent), engine_(std::make_unique<EngineLibrary>()) {
    endWatch_.setSingleShot(true);
    endWatch_.setTimerType(Qt::PreciseTimer);
    connect(&endWatch_, &QTimer::timeout, this, [this] { onEndNotice(watchedGeneration_); });
}

PlaybackModel::~PlaybackModel() {
    if (engineStarted_ && stream_ != 0)
        engine_->streamFree(stream_);
}

QString PlaybackModel::engineFileName() {
    return EngineLibrary::fileName();
}

void PlaybackModel::beginLoadingEngine(const QString& directory) {
    engine_->beginLoading(directory);
}

PlaybackModel::EngineStatus PlaybackModel::loadEngine(const QString& directory, QString* detail) {
    switch (engine_->load(directory, detail)) {
    case EngineLibrary::LoadResult::Loaded:
        return EngineStatus::Loaded;
    case EngineLibrary::LoadResult::Missing:
        return EngineStatus::Missing;
    case EngineLibrary::LoadResult::Unusable:
        return EngineStatus::Unusable;
    case EngineLibrary::LoadResult::WrongVersion:
        return EngineStatus::WrongVersion;
    }
    return EngineStatus::Unusable;
}

bool PlaybackModel::isEngineLoaded() const {
    return engine_->isLoaded();
}

void PlaybackModel::startEngine(int device) {
    if (!engine_->isLoaded())
        return;
    // A failed initialisation is not fatal: every stream call then fails and nothing loads.
    engine_->init(device, 44100, 0, nullptr, nullptr);
    engine_->streamFree(stream_);
    engineStarted_ = true;
}

void PlaybackModel::releaseEngine() {
    if (!engineStarted_)
        return;
    engine_->free(); // frees every stream
    engineStarted_ = false;
    stream_ = 0;
    endWatch_.stop();
}

bool PlaybackModel::load(const QString& path) {
    if (!engineStarted_) {
        emit openFailed(path, OpenError::EngineNotReady);
        return false;
    }
    // The new stream first: a file the engine refuses leaves the current track as it was.
    const QByteArray file = QFile::encodeName(path);
    const uint32_t created = engine_->streamCreateFile(FALSE, file.constData(), 0, 0, 0);
    if (created == 0) {
        emit openFailed(path, lastOpenError());
        return false;
    }
    if (stream_ != 0)
        engine_->streamFree(stream_);
    stream_ = created;
    ++generation_;
    endWatch_.stop();

    const QWORD length = engine_->channelGetLength(stream_);
    lengthBytes_ = length == QWORD(-1) ? 0 : length;
    const double secondsPerByte = engine_->channelBytes2Seconds(stream_, 1);
    bytesPerSecond_ = secondsPerByte > 0 ? 1.0 / secondsPerByte : 0;
    lengthMs_ = bytesToMs(lengthBytes_);
    DWORD rate = 0;
    engine_->channelGetAttributes(stream_, &rate, nullptr, nullptr);
    sampleRate_ = static_cast<int>(rate);
    // 16-bit samples: the byte rate is rate × channels × 2.
    channels_ = rate > 0 ? static_cast<int>(std::lround(bytesPerSecond_ / (2.0 * rate))) : 0;
    track_ = trackOf(path);
    applyVolume();

    setState(PlayState::Stopped);
    emit trackChanged(track_);
    emit lengthChanged(lengthMs_);
    return true;
}

bool PlaybackModel::open(const QString& path) {
    return load(path) && play();
}

bool PlaybackModel::play() {
    if (stream_ == 0)
        return false;
    engine_->channelPlay(stream_, state_ == PlayState::Paused ? FALSE : TRUE);
    applyVolume();
    setState(PlayState::Playing);
    armEndWatch();
    return true;
}

void PlaybackModel::pause() {
    if (state_ != PlayState::Playing)
        return;
    engine_->channelPause(stream_);
    endWatch_.stop();
    setState(PlayState::Paused);
}

void PlaybackModel::togglePlayPause() {
    if (state_ == PlayState::Playing)
        pause();
    else
        play();
}

void PlaybackModel::stop() {
    // A stream that has played out is at its end, whoever noticed first.
    if (streamHasEnded()) {
        finishAtEnd();
        return;
    }
    if (stream_ != 0)
        engine_->channelStop(stream_);
    endWatch_.stop();
    setState(PlayState::Stopped);
}

bool PlaybackModel::seekPercent(int percent) {
    if (state_ == PlayState::Stopped)
        return false;
    if (percent >= 100) {
        stop();
        return true;
    }
    percent = std::max(percent, 0);
    const auto position =
        static_cast<QWORD>(static_cast<double>(percent) * static_cast<double>(lengthBytes_) / 100);
    if (engine_->channelSetPosition(stream_, position) != TRUE)
        return false;
    armEndWatch();
    emit seeked(bytesToMs(position));
    return true;
}

bool PlaybackModel::seekMs(int64_t ms) {
    if (state_ == PlayState::Stopped || bytesPerSecond_ <= 0)
        return false;
    ms = std::clamp<int64_t>(ms, 0, lengthMs_);
    const auto position = std::min<QWORD>(
        lengthBytes_, static_cast<QWORD>(static_cast<double>(ms) * bytesPerSecond_ / 1000.0));
    if (engine_->channelSetPosition(stream_, position) != TRUE)
        return false;
    armEndWatch();
    emit seeked(bytesToMs(position));
    return true;
}

bool PlaybackModel::setVolume(int level) {
    level = std::clamp(level, 0, kMaxVolume);
    const bool changed = level != volume_;
    volume_ = level;
    const bool applied = applyVolume();
    if (changed)
        emit volumeChanged(volume_);
    return applied;
}

bool PlaybackModel::toggleMute() {
    const int engineVolume = muted_ ? volume_ : 0;
    if (stream_ == 0 || engine_->channelSetAttributes(stream_, 0, engineVolume, 0) != TRUE)
        return false;
    muted_ = !muted_;
    emit mutedChanged(muted_);
    return true;
}

bool PlaybackModel::applyVolume() {
    return stream_ != 0 &&
           engine_->channelSetAttributes(stream_, 0, muted_ ? 0 : volume_, 0) == TRUE;
}

int64_t PlaybackModel::positionMs() const {
    if (stream_ == 0 || state_ == PlayState::Stopped)
        return 0;
    const QWORD position = engine_->channelGetPosition(stream_);
    return position == QWORD(-1) ? 0 : bytesToMs(position);
}

int64_t PlaybackModel::bytesToMs(uint64_t bytes) const {
    if (bytesPerSecond_ <= 0)
        return 0;
    return static_cast<int64_t>(static_cast<double>(bytes) * 1000.0 / bytesPerSecond_);
}

bool PlaybackModel::spectrum(std::span<float, kSpectrumBins> magnitudes) const {
    return stream_ != 0 &&
           engine_->channelGetData(stream_, magnitudes.data(), BASS_DATA_FFT1024) != DWORD(-1);
}

void PlaybackModel::setState(PlayState state) {
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged(state_);
}

bool PlaybackModel::streamHasEnded() const {
    return state_ == PlayState::Playing && stream_ != 0 &&
           engine_->channelIsActive(stream_) == BASS_ACTIVE_STOPPED;
}

void PlaybackModel::finishAtEnd() {
    endWatch_.stop();
    engine_->channelStop(stream_);
    setState(PlayState::Stopped);
    emit ended();
}

void PlaybackModel::onEndNotice(uint64_t generation) {
    if (generation != generation_ || state_ != PlayState::Playing)
        return;
    if (streamHasEnded())
        finishAtEnd();
    else
        armEndWatch();
}

void PlaybackModel::armEndWatch() {
    if (state_ != PlayState::Playing)
        return;
    const int64_t left = lengthMs_ - positionMs();
    watchedGeneration_ = generation_;
    endWatch_.start(static_cast<int>(
        std::clamp<int64_t>(left + kEndWatchShortestMs, kEndWatchShortestMs, kEndWatchLongestMs)));
}

OpenError PlaybackModel::lastOpenError() const {
    switch (engine_->errorGetCode()) {
    case BASS_ERROR_INIT:
        return OpenError::EngineNotReady;
    case BASS_ERROR_FILEOPEN:
        return OpenError::CannotOpen;
    case BASS_ERROR_FILEFORM:
        return OpenError::NotAudio;
    case BASS_ERROR_CODEC:
    case BASS_ERROR_FORMAT:
        return OpenError::Unsupported;
    default:
        return OpenError::Other;
    }
}

} // namespace playback
