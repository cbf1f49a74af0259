#pragma once

#include "bass.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

namespace playback {

// The transport's state texts; the state itself is the text shown in the status label.
inline const QString kStatusPlaying = QStringLiteral("状态:播放");
inline const QString kStatusPaused = QStringLiteral("状态:暂停");
inline const QString kStatusStopped = QStringLiteral("状态:停止");

enum class PlaybackCommand { Play = 1, Pause = 2, Stop = 3 };

// What the player knows about the one open track. Owned by the program, main thread only.
struct PlaybackState {
    HSTREAM currentStream = 0; // 0 for none
    QString statusText;        // one of the three status texts
    int64_t trackLength = 0;   // bytes of the open stream
    int volumeLevel = 0;       // 0..100, the last volume the engine accepted
    bool muted = false;
    QString musicFolder; // where the open dialog starts
    QString trackTitle;  // display name from the track's tags, empty when unknown
    // Normal pictures of the mute, playlist, equaliser, music-window and lyrics buttons as
    // start-up found them; the first restores the mute button on unmute.
    std::array<QByteArray, 5> savedButtonPictures;
};

} // namespace playback
