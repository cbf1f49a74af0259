#include "PlayerFixture.h"

#include <QFile>

void PlayerFixture::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    // The engine's default output, silent and in real time wherever the tests run.
    qputenv("SDL_AUDIODRIVER", "dummy");
}

void PlayerFixture::TearDown() {
    player.reset();
}

void PlayerFixture::installEngine(bool withDefaultTrack) {
    const QString build = QStringLiteral(TARVO_BUILD_DIR);
    ASSERT_TRUE(QFile::copy(build + "/libbass.so", programDir() + "/libbass.so"));
    // The engine's FFmpeg decoder lies beside it in a program directory (formats other than MP3).
    ASSERT_TRUE(QFile::copy(build + "/libbass-ffmpeg.so", programDir() + "/libbass-ffmpeg.so"));
    if (withDefaultTrack)
        ASSERT_TRUE(QFile::copy(build + "/2.mp3", programDir() + "/2.mp3"));
}

bool PlayerFixture::startPlayer() {
    const tk::Services services{&messageBox, &fileDialog, &trayIcon,
                                &webOpener,  httpReader,  connectivityCheck};
    player = std::make_unique<app::Player>(services, programDir(), site);
    return player->start();
}
