#pragma once

#include "bass.h"

#include <QLibrary>
#include <QString>
#include <memory>

namespace playback {

// The audio engine, loaded at run time from the program's directory and reached through
// entry points resolved by name. One instance for the life of the program (main thread).
class EngineLibrary {
  public:
    enum class LoadResult {
        Loaded,
        Missing,      // no engine file in the directory
        Unusable,     // the file is there but is no loadable library with the entry points
        WrongVersion, // the engine reports another version than the one the player speaks
    };

    // The engine's file name on this platform.
    static QString fileName();

    // Loads the engine from `directory`. `detail` receives the loader's own explanation of an
    // unusable file or the version found.
    LoadResult load(const QString& directory, QString* detail = nullptr);
    bool isLoaded() const { return loaded_; }

    // Entry points, valid once load() returned Loaded.
    decltype(&BASS_GetVersion) getVersion = nullptr;
    decltype(&BASS_Init) init = nullptr;
    decltype(&BASS_Free) free = nullptr;
    decltype(&BASS_StreamCreateFile) streamCreateFile = nullptr;
    decltype(&BASS_StreamFree) streamFree = nullptr;
    decltype(&BASS_ChannelPlay) channelPlay = nullptr;
    decltype(&BASS_ChannelPause) channelPause = nullptr;
    decltype(&BASS_ChannelStop) channelStop = nullptr;
    decltype(&BASS_ChannelGetLength) channelGetLength = nullptr;
    decltype(&BASS_ChannelGetPosition) channelGetPosition = nullptr;
    decltype(&BASS_ChannelSetPosition) channelSetPosition = nullptr;
    decltype(&BASS_ChannelSetAttributes) channelSetAttributes = nullptr;
    decltype(&BASS_ChannelGetAttributes) channelGetAttributes = nullptr;
    decltype(&BASS_ChannelGetData) channelGetData = nullptr;
    decltype(&BASS_ChannelIsActive) channelIsActive = nullptr;
    decltype(&BASS_ChannelBytes2Seconds) channelBytes2Seconds = nullptr;
    decltype(&BASS_ErrorGetCode) errorGetCode = nullptr;

  private:
    bool resolveAll(QString* missing);

    std::unique_ptr<QLibrary> library_;
    bool loaded_ = false;
};

} // namespace playback
