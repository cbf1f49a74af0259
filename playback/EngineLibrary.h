#pragma once

#include "bass.h"

#include <QLibrary>
#include <QString>
#include <memory>
#include <thread>

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

    EngineLibrary() = default;
    ~EngineLibrary();
    EngineLibrary(const EngineLibrary&) = delete;
    EngineLibrary& operator=(const EngineLibrary&) = delete;

    // Starts mapping the engine from `directory` on a second thread, so that the rest of
    // start-up runs meanwhile: the engine pulls in well over a hundred shared libraries.
    // load() then finds them in memory (or waits for them); nothing is checked here.
    void beginLoading(const QString& directory);

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

    void finishBeginLoading();

    std::unique_ptr<QLibrary> library_;
    void* early_ = nullptr; // the second thread's handle, closed once load() is done
    std::thread loader_;
    bool loaded_ = false;
};

} // namespace playback
