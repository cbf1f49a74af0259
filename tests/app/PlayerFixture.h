#pragma once

#include "FakeServices.h"
#include "Player.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A program directory of its own for each test: the real engine from the build, the demo
// tune when asked for, and a player started from it with recording services.
class PlayerFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Copies the built engine (and 2.mp3) into the program directory.
    void installEngine(bool withDefaultTrack = true);
    bool startPlayer();

    QString programDir() const { return dir_.path(); }

    QTemporaryDir dir_;
    RecordingMessageBox messageBox;
    RecordingTrayIcon trayIcon;
    AnsweringFileDialog fileDialog;
    RecordingWebOpener webOpener;
    // Network services and the site, for tests that give them.
    tk::HttpReader* httpReader = nullptr;
    tk::ConnectivityCheck* connectivityCheck = nullptr;
    app::MakerSite site = app::MakerSite::builtIn();
    std::unique_ptr<app::Player> player;
};
