#pragma once

#include "EngineLibrary.h"
#include "PlaybackModel.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// A player model over the real engine from the build, on the engine's silent device (which
// plays in real time without a sound card).
class PlaybackModelFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(model.loadEngine(QStringLiteral(TARVO_BUILD_DIR)),
                  playback::PlaybackModel::EngineStatus::Loaded);
        model.startEngine(0);
    }
    void TearDown() override { model.releaseEngine(); }

    static QString audio(const char* name) { return QStringLiteral(TARVO_AUDIO_DIR "/") + name; }
    DWORD engineVolume() {
        DWORD volume = 999;
        model.engine().channelGetAttributes(model.streamHandle(), nullptr, &volume, nullptr);
        return volume;
    }

    QTemporaryDir dir;
    playback::PlaybackModel model;
};
