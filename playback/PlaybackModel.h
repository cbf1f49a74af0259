#pragma once

#include "PlayState.h"
#include "Track.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <span>

namespace playback {

class EngineLibrary;

// The player's core, with no widgets: the audio engine, the one current stream, the transport
// state, position and length, volume and mute, and the loaded track. Every input (buttons,
// keys, the tray, D-Bus) changes it through these commands; every view follows its signals.
//
// Main thread only. The engine's own threads are behind the engine's C interface; nothing
// here is called from them. The end of a track is found by asking the engine whether the
// stream is still active, at a moment derived from the time left, never by a byte margin.
class PlaybackModel : public QObject {
    Q_OBJECT
  public:
    enum class EngineStatus {
        Loaded,
        Missing,      // no engine file in the directory
        Unusable,     // the file is there but is no loadable library with the entry points
        WrongVersion, // the engine reports another version than the one the player speaks
    };
    static constexpr int kSpectrumBins = 512;
    static constexpr int kMaxVolume = 100;

    explicit PlaybackModel(QObject* parent = nullptr);
    ~PlaybackModel() override; // frees the current stream

    // --- The engine library (found by name in the program's directory).
    static QString engineFileName();
    // Starts mapping the engine on a second thread; loadEngine() then finds it in memory.
    void beginLoadingEngine(const QString& directory);
    // `detail` receives the loader's explanation of an unusable file or the version found.
    EngineStatus loadEngine(const QString& directory, QString* detail = nullptr);
    bool isEngineLoaded() const;
    // Opens the output (-1 the default device, 0 the engine's silent device).
    void startEngine(int device = -1);
    // Frees the engine with every stream; later commands find nothing loaded.
    void releaseEngine();
    // The engine's entry points, for diagnostics and tests.
    EngineLibrary& engine() { return *engine_; }

    // --- Commands.
    // Loads a file in place of the current track, not playing it. On failure nothing
    // changes and openFailed() says why.
    bool load(const QString& path);
    // Loads a file and plays it from its start.
    bool open(const QString& path);
    // Plays the loaded track: resumes when paused, else starts from the beginning. False with
    // nothing loaded.
    bool play();
    void pause(); // only while playing
    void togglePlayPause();
    void stop();
    // Seeks to a share of the track; 100 and more stops it, below 1 counts as 0. Only while
    // playing or paused; false when the engine refused the position.
    bool seekPercent(int percent);
    // Seeks to a time, clamped to the track (the end finishes it). Only while playing or paused.
    bool seekMs(int64_t ms);
    // Sets the volume (clamped to 0..100); it is kept for the next track and, while muted, for
    // the unmute. True when the engine took it (there is a stream).
    bool setVolume(int level);
    bool stepVolume(int delta) { return setVolume(volume_ + delta); }
    // Silences or restores the stream; false (and no change) when the engine refused.
    bool toggleMute();

    // --- State.
    PlayState state() const { return state_; }
    bool hasTrack() const { return stream_ != 0; }
    const Track& track() const { return track_; }
    // The audible position; 0 while stopped.
    int64_t positionMs() const;
    int64_t lengthMs() const { return lengthMs_; }
    // The stream's own sample rate and channel count (0 with nothing loaded).
    int sampleRate() const { return sampleRate_; }
    int channels() const { return channels_; }
    int volume() const { return volume_; }
    bool isMuted() const { return muted_; }
    // The current stream's 512 spectrum magnitudes (of what is audible); false without a
    // stream or when the engine has none to give.
    bool spectrum(std::span<float, kSpectrumBins> magnitudes) const;
    uint32_t streamHandle() const { return stream_; }
    // Counts the streams loaded so far; an end notice carries the count of its stream.
    uint64_t generation() const { return generation_; }

    // What the end watch calls: when `generation` is the current stream's and the engine
    // reports it no longer active while it should be playing, the track has ended. A notice
    // about a replaced stream, or one the engine still plays, changes nothing.
    void onEndNotice(uint64_t generation);

  signals:
    void stateChanged(playback::PlayState state);
    void trackChanged(const playback::Track& track);
    void lengthChanged(int64_t ms);
    void volumeChanged(int level);
    void mutedChanged(bool muted);
    // After a seek, with the new position.
    void seeked(int64_t ms);
    // The track played to its end (the state is then stopped).
    void ended();
    void openFailed(const QString& path, playback::OpenError error);

  private:
    void setState(PlayState state);
    // The engine volume for the stream: the level, or silence while muted.
    bool applyVolume();
    bool streamHasEnded() const;
    void finishAtEnd();
    void armEndWatch();
    int64_t bytesToMs(uint64_t bytes) const;
    OpenError lastOpenError() const;

    std::unique_ptr<EngineLibrary> engine_;
    bool engineStarted_ = false;
    uint32_t stream_ = 0; // 0: nothing loaded
    uint64_t generation_ = 0;
    uint64_t lengthBytes_ = 0;
    int64_t lengthMs_ = 0;
    double bytesPerSecond_ = 0;
    int sampleRate_ = 0;
    int channels_ = 0;
    Track track_;
    PlayState state_ = PlayState::Stopped;
    int volume_ = kMaxVolume;
    bool muted_ = false;
    QTimer endWatch_;
    uint64_t watchedGeneration_ = 0;
};

} // namespace playback
