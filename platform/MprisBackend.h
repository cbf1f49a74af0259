#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace platform {

enum class MprisPlaybackStatus { Stopped, Playing, Paused };

// The loaded track as the desktop's media controls see it.
struct MprisTrack {
    // Unique for each track the player loads (a load counter suits): clients name the track
    // they mean by it, so a reload of the same file gets a new one. 0: nothing is loaded.
    uint64_t id = 0;
    int64_t lengthUs = 0; // 0: unknown
    QString title;
    QString artist;
    QString album;
    QString path; // the local file

    bool operator==(const MprisTrack&) const = default;
};

// What the program gives the media-control service: its state, read when a client asks or
// when the program says it changed, and its commands. The service checks the requests it gets
// against this state first (a Next without a next track, a SetPosition for a track no longer
// loaded, a position beyond the end), so the commands only see requests worth carrying out.
//
// Main thread only: the service calls in from the event loop.
class MprisBackend {
  public:
    virtual ~MprisBackend() = default;

    // --- The program.
    virtual void raise() = 0; // bring the main window to the front
    virtual void quit() = 0;
    // The MIME types the player can play, for clients that offer files to it.
    virtual QStringList supportedMimeTypes() const = 0;

    // --- State.
    virtual MprisPlaybackStatus playbackStatus() const = 0;
    virtual MprisTrack track() const = 0;
    virtual double volume() const = 0;      // 0.0 (silent) to 1.0 (full)
    virtual int64_t positionUs() const = 0; // audible position in the track
    virtual bool canPlay() const = 0;       // a track is there to play
    virtual bool canPause() const = 0;      // the track can be paused
    virtual bool canSeek() const = 0;
    virtual bool canGoNext() const = 0;
    virtual bool canGoPrevious() const = 0;

    // --- Commands.
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    virtual void seekTo(int64_t positionUs) = 0; // 0 <= position <= length when it is known
    virtual void setVolume(double volume) = 0;   // already clamped to 0.0..1.0
    // Plays the given local files (absolute paths): the first now, the rest after it.
    virtual void openFiles(const QStringList& paths) = 0;
};

} // namespace platform
