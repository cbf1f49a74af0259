#pragma once

#include <QString>

namespace app {

// The texts a person sees when the audio engine cannot be used; the engine's file name is
// the one of this platform.
struct EngineMessage {
    QString text;
    QString title;
};

EngineMessage missingEngineMessage(const QString& engineFile, const QString& makerSite);
EngineMessage wrongEngineVersionMessage(const QString& engineFile);

} // namespace app
