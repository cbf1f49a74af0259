#include "EngineLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace playback {

QString EngineLibrary::fileName() {
    return QStringLiteral("libbass.so");
}

bool EngineLibrary::resolveAll(QString* missing) {
    bool complete = true;
    // QLibrary's error text after a failed lookup says nothing useful: name the symbol.
    auto resolve = [&](auto& pointer, const char* name) {
        pointer =
            reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(library_->resolve(name));
        if (!pointer) {
            complete = false;
            if (missing)
                *missing += (missing->isEmpty() ? "" : ", ") + QLatin1String(name);
        }
    };
    resolve(getVersion, "BASS_GetVersion");
    resolve(init, "BASS_Init");
    resolve(free, "BASS_Free");
    resolve(streamCreateFile, "BASS_StreamCreateFile");
    resolve(streamFree, "BASS_StreamFree");
    resolve(channelPlay, "BASS_ChannelPlay");
    resolve(channelPause, "BASS_ChannelPause");
    resolve(channelStop, "BASS_ChannelStop");
    resolve(channelGetLength, "BASS_ChannelGetLength");
    resolve(channelGetPosition, "BASS_ChannelGetPosition");
    resolve(channelSetPosition, "BASS_ChannelSetPosition");
    resolve(channelSetAttributes, "BASS_ChannelSetAttributes");
    resolve(channelGetAttributes, "BASS_ChannelGetAttributes");
    resolve(channelGetData, "BASS_ChannelGetData");
    resolve(channelIsActive, "BASS_ChannelIsActive");
    resolve(channelBytes2Seconds, "BASS_ChannelBytes2Seconds");
    resolve(errorGetCode, "BASS_ErrorGetCode");
    return complete;
}

EngineLibrary::~EngineLibrary() {
    finishBeginLoading();
}

void EngineLibrary::beginLoading(const QString& directory) {
    finishBeginLoading();
    const QString path = QDir(directory).absoluteFilePath(fileName());
    if (!QFileInfo(path).isFile())
        return;
    // dlopen keeps its own count per handle: closing this one never unloads what QLibrary
    // loaded. Lazy and local, as QLibrary opens it, so both get the same mapping.
    loader_ = std::thread([this, file = QFile::encodeName(path)] {
        early_ = dlopen(file.constData(), RTLD_LAZY | RTLD_LOCAL);
    });
}

void EngineLibrary::finishBeginLoading() {
    if (loader_.joinable())
        loader_.join();
    if (early_)
        dlclose(early_);
    early_ = nullptr;
}

EngineLibrary::LoadResult EngineLibrary::load(const QString& directory, QString* detail) {
    if (loader_.joinable())
        loader_.join();
    loaded_ = false;
    const QString path = QDir(directory).absoluteFilePath(fileName());
    if (!QFileInfo(path).isFile())
        return LoadResult::Missing;

    library_ = std::make_unique<QLibrary>(path);
    if (!library_->load()) {
        if (detail)
            *detail = library_->errorString();
        return LoadResult::Unusable;
    }
    // The version comes first: an engine of another version may lack entry points we use.
    getVersion = reinterpret_cast<decltype(getVersion)>(library_->resolve("BASS_GetVersion"));
    if (!getVersion) {
        if (detail)
            *detail = QStringLiteral("%1 has no entry point BASS_GetVersion").arg(path);
        return LoadResult::Unusable;
    }
    const DWORD version = getVersion();
    if (version != BASS_VERSION) {
        if (detail)
            *detail = QStringLiteral("%1 reports version 0x%2")
                          .arg(path)
                          .arg(version, 8, 16, QLatin1Char('0'));
        return LoadResult::WrongVersion;
    }
    QString missing;
    if (!resolveAll(&missing)) {
        if (detail)
            *detail = QStringLiteral("%1 lacks the entry points %2").arg(path, missing);
        return LoadResult::Unusable;
    }
    loaded_ = true;
    finishBeginLoading();
    return LoadResult::Loaded;
}

} // namespace playback
