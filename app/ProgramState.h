#pragma once

#include "PlaybackState.h"
#include "SkinContext.h"

namespace app {

// The player's program-wide state, owned by the Player for the life of the process.
struct ProgramState {
    playback::PlaybackState playback;
    skin::SkinContext skin;    // shared by every skin element; holds the transparent colour
    int snowDrift = 0;         // rightward drift of the snowfall, pixels per frame
    float springStiffness = 0; // window-height animation, from hidden slider bars
    float springDamping = 0;
};

} // namespace app
