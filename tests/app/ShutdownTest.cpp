#include "EngineLibrary.h"
#include "OptionsWindow.h"
#include "PlayerFixture.h"

#include <QWidget>

namespace {

class Shutdown : public PlayerFixture {
  protected:
    void startWithTrayIcon() {
        installEngine();
        ASSERT_TRUE(startPlayer());
        ASSERT_TRUE(player->playback().hasTrack());
        loaded_ = player->playback().streamHandle();
        tk::Window& options = player->optionsWindow()->window();
        options.unit(QString::fromUtf8("常规选择框系统栏显示图标"))->setChecked(true);
        player->optionsWindow()->updateTrayIcon();
        ASSERT_TRUE(trayIcon.visible);
    }

    uint32_t loaded_ = 0;

    // After BASS_Free the engine refuses work until it is initialised again.
    void expectEngineFreed() {
        playback::EngineLibrary& engine = player->playback().engine();
        EXPECT_EQ(engine.channelIsActive(loaded_), DWORD(BASS_ACTIVE_STOPPED));
        EXPECT_EQ(engine.streamCreateFile(FALSE, "/nonexistent.mp3", 0, 0, 0), 0u);
        EXPECT_EQ(engine.errorGetCode(), BASS_ERROR_INIT);
    }
};

TEST_F(Shutdown, ExitButtonFreesTheEngineAndRemovesTheTrayIcon) {
    startWithTrayIcon();
    player->mainWindow()->fire(QString::fromUtf8("图形按钮退出"), tk::EventKind::Click);
    EXPECT_FALSE(trayIcon.visible);
    expectEngineFreed();
}

TEST_F(Shutdown, ClosingTheMainWindowFreesTheEngineAndRemovesTheTrayIcon) {
    startWithTrayIcon();
    EXPECT_TRUE(player->mainWindow()->widget()->close());
    EXPECT_TRUE(player->mainWindow()->isDestroyed());
    EXPECT_FALSE(trayIcon.visible);
    expectEngineFreed();
}

} // namespace
