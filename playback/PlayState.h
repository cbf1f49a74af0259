#pragma once

namespace playback {

enum class PlayState { Stopped, Playing, Paused };

// Why a file could not be loaded.
enum class OpenError {
    EngineNotReady, // the engine is not initialised (or has been freed)
    CannotOpen,     // missing, unreadable or not a regular file
    NotAudio,       // no format the engine recognises
    Unsupported,    // a format the engine knows, coded in a way it cannot decode
    Other,
};

} // namespace playback
