#pragma once

#include "PlayState.h"

#include <QString>

// What the main window's labels say about playback.
namespace app::texts {

inline const QString kProgramName = QStringLiteral("Tarvo播放器");
inline const QString kTitlePrefix = QStringLiteral("标题：");
inline const QString kMuted = QStringLiteral("静音");
inline const QString kStereo = QStringLiteral("立体声");
inline const QString kCannotPlay = QStringLiteral("无法播放");

// The status label's text for a transport state.
inline QString status(playback::PlayState state) {
    switch (state) {
    case playback::PlayState::Playing:
        return QStringLiteral("状态:播放");
    case playback::PlayState::Paused:
        return QStringLiteral("状态:暂停");
    case playback::PlayState::Stopped:
        break;
    }
    return QStringLiteral("状态:停止");
}

inline QString volume(int level) {
    return QStringLiteral("音量：%1%").arg(level);
}

// Why a file could not be played, for the status label's tip and the error output.
inline QString openError(playback::OpenError error) {
    switch (error) {
    case playback::OpenError::EngineNotReady:
        return QStringLiteral("音频引擎未就绪");
    case playback::OpenError::CannotOpen:
        return QStringLiteral("文件无法打开");
    case playback::OpenError::NotAudio:
        return QStringLiteral("不是可识别的音频文件");
    case playback::OpenError::Unsupported:
        return QStringLiteral("不支持该音频编码");
    case playback::OpenError::Other:
        break;
    }
    return QStringLiteral("音频引擎无法解码");
}

} // namespace app::texts
