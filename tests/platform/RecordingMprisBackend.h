#pragma once

#include "MprisBackend.h"

#include <QStringList>

// The program's side of the media-control service for tests: it reports the state a test sets
// and records each command as a line ("seekTo 5000000"). Commands change the state the way a
// player would (play makes it playing, setVolume sets the level), so that what a client does
// can be read back through the bus.
class RecordingMprisBackend : public platform::MprisBackend {
  public:
    struct State {
        platform::MprisPlaybackStatus status = platform::MprisPlaybackStatus::Stopped;
        platform::MprisTrack track;
        double volume = 1.0;
        int64_t positionUs = 0;
        bool canPlay = false;
        bool canPause = false;
        bool canSeek = false;
        bool canGoNext = false;
        bool canGoPrevious = false;
    };
    State state;
    QStringList calls;

    void raise() override { calls << "raise"; }
    void quit() override { calls << "quit"; }
    QStringList supportedMimeTypes() const override;

    platform::MprisPlaybackStatus playbackStatus() const override { return state.status; }
    platform::MprisTrack track() const override { return state.track; }
    double volume() const override { return state.volume; }
    int64_t positionUs() const override { return state.positionUs; }
    bool canPlay() const override { return state.canPlay; }
    bool canPause() const override { return state.canPause; }
    bool canSeek() const override { return state.canSeek; }
    bool canGoNext() const override { return state.canGoNext; }
    bool canGoPrevious() const override { return state.canGoPrevious; }

    void play() override;
    void pause() override;
    void stop() override;
    void next() override { calls << "next"; }
    void previous() override { calls << "previous"; }
    void seekTo(int64_t positionUs) override;
    void setVolume(double volume) override;
    void openFiles(const QStringList& paths) override;
};
