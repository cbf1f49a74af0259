#pragma once

#include "SkinContext.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace app {

// The player's program-wide state besides the player model, owned by the Player for the life
// of the process. Main thread only.
struct ProgramState {
    skin::SkinContext skin; // shared by every skin element; holds the transparent colour
    QString musicFolder;    // where the open dialog starts
    // Normal pictures of the mute, playlist, equaliser, music-window and lyrics buttons as
    // start-up found them; the first restores the mute button on unmute.
    std::array<QByteArray, 5> savedButtonPictures;
    int snowDrift = 0;         // rightward drift of the snowfall, pixels per frame
    float springStiffness = 0; // window-height animation, from hidden slider bars
    float springDamping = 0;
};

} // namespace app
