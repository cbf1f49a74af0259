#include "Transport.h"
#include "PlayerFixture.h"

#include <QTest>
#include <QWidget>

namespace {

using playback::PlaybackCommand;

class TransportTest : public PlayerFixture {
  protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        installEngine();
        qputenv("XDG_MUSIC_DIR", "/srv/music");
        ASSERT_TRUE(startPlayer());
        qunsetenv("XDG_MUSIC_DIR");
    }
    tk::Unit& unit(const char* name) {
        return *player->mainWindow()->unit(QString::fromUtf8(name));
    }
    playback::Transport& transport() { return player->transport(); }
    const playback::PlaybackState& state() { return player->state().playback; }
    playback::EngineLibrary& engine() { return player->engine(); }
    QString status() { return unit("透明标签状态").text(); }
    int64_t position() { return int64_t(engine().channelGetPosition(state().currentStream)); }
    DWORD engineVolume() {
        DWORD volume = 999;
        engine().channelGetAttributes(state().currentStream, nullptr, &volume, nullptr);
        return volume;
    }
    void expectStopped() {
        EXPECT_EQ(state().statusText, playback::kStatusStopped);
        EXPECT_TRUE(unit("图形按钮播放").isVisible());
        EXPECT_FALSE(unit("图形按钮暂停").isVisible());
        EXPECT_EQ(unit("时钟频谱").interval(), 0);
        EXPECT_EQ(unit("时钟进度").interval(), 0);
        EXPECT_TRUE(unit("图形按钮停止").isDisabled());
        EXPECT_TRUE(unit("图形按钮进度").isDisabled());
        EXPECT_TRUE(unit("透明标签进度").isDisabled());
    }
    void expectPlaying() {
        EXPECT_EQ(state().statusText, playback::kStatusPlaying);
        EXPECT_EQ(status(), playback::kStatusPlaying);
        EXPECT_FALSE(unit("图形按钮播放").isVisible());
        EXPECT_TRUE(unit("图形按钮暂停").isVisible());
        EXPECT_EQ(unit("时钟频谱").interval(), 40);
        EXPECT_EQ(unit("时钟进度").interval(), 200);
        EXPECT_FALSE(unit("图形按钮停止").isDisabled());
        EXPECT_FALSE(unit("图形按钮进度").isDisabled());
    }
    static QString audio(const char* name) { return QStringLiteral(TARVO_AUDIO_DIR "/") + name; }
};

TEST_F(TransportTest, StartsStoppedWithTheDefaultTrackAndVolumeFifty) {
    expectStopped();
    EXPECT_EQ(unit("编辑框音量").text(), "50");
    // Building the volume slider wrote 50 into its box: the engine took it.
    EXPECT_EQ(engineVolume(), 50u);
    EXPECT_EQ(status(), QString::fromUtf8("音量：50%"));
}

TEST_F(TransportTest, PlayPauseResumeStopRestart) {
    const int asked = fileDialog.askedIn.size();
    QTest::mouseClick(unit("图形按钮播放").widget(), Qt::LeftButton);
    EXPECT_EQ(fileDialog.askedIn.size(), asked); // the default track plays without a dialog
    expectPlaying();
    QTest::qWait(600);
    QTest::mouseClick(unit("图形按钮暂停").widget(), Qt::LeftButton);
    EXPECT_EQ(state().statusText, playback::kStatusPaused);
    EXPECT_EQ(status(), playback::kStatusPaused);
    EXPECT_TRUE(unit("图形按钮播放").isVisible());
    EXPECT_EQ(unit("时钟进度").interval(), 0);
    EXPECT_FALSE(unit("图形按钮停止").isDisabled());
    QTest::qWait(150); // the engine fades out over a few milliseconds instead of clicking
    const int64_t paused = position();
    EXPECT_GT(paused, 0);
    QTest::qWait(300);
    EXPECT_EQ(position(), paused);

    transport().transport(PlaybackCommand::Play); // resumes where it paused
    QTest::qWait(100);
    EXPECT_GE(position(), paused);
    expectPlaying();

    transport().transport(PlaybackCommand::Stop);
    expectStopped();
    transport().transport(PlaybackCommand::Play); // starts again from the beginning
    EXPECT_LT(position(), paused);
}

TEST_F(TransportTest, OpenWhilePlayingShowsTheNewTracksName) {
    transport().transport(PlaybackCommand::Play);
    fileDialog.answer = audio("gbk-id3v1.mp3");
    QTest::mouseClick(unit("图形按钮打开").widget(), Qt::LeftButton);
    EXPECT_EQ(fileDialog.askedIn.last(), "/srv/music");
    expectPlaying();
    EXPECT_EQ(unit("透明标签信息").text(), QString::fromUtf8("标题：歌手你好世界"));
    EXPECT_EQ(player->mainWindow()->caption(), QString::fromUtf8("歌手你好世界Tarvo播放器"));
    EXPECT_FALSE(unit("图形按钮上一曲").isDisabled());
    transport().transport(PlaybackCommand::Pause);
    EXPECT_EQ(player->mainWindow()->caption(), QString::fromUtf8("歌手你好世界Tarvo播放器"));
}

TEST_F(TransportTest, AFileTheEngineRefusesLeavesNothingLoaded) {
    transport().transport(PlaybackCommand::Play);
    fileDialog.answer = audio("x.mp3");
    transport().openFile();
    expectStopped();
    EXPECT_EQ(state().currentStream, 0u);
    // The next play asks for a file again.
    fileDialog.answer.clear();
    const int asked = fileDialog.askedIn.size();
    transport().transport(PlaybackCommand::Play);
    EXPECT_EQ(fileDialog.askedIn.size(), asked + 1);
    expectStopped();
}

TEST_F(TransportTest, VolumeTextIsClampedAndShown) {
    transport().transport(PlaybackCommand::Play);
    unit("编辑框音量").setText("150");
    EXPECT_EQ(engineVolume(), 100u);
    EXPECT_EQ(state().volumeLevel, 100);
    EXPECT_EQ(status(), QString::fromUtf8("音量：150%"));
    unit("编辑框音量").setText("-5");
    EXPECT_EQ(engineVolume(), 0u);
    unit("编辑框音量").setText("abc");
    EXPECT_EQ(state().volumeLevel, 0);
    unit("编辑框音量").setText("35");
    EXPECT_EQ(engineVolume(), 35u);
    // The next progress tick puts the state text back.
    transport().onProgressTick();
    EXPECT_EQ(status(), playback::kStatusPlaying);
}

TEST_F(TransportTest, MuteSilencesAndUnmuteRestores) {
    transport().transport(PlaybackCommand::Play);
    tk::Unit& mute = unit("图形按钮静音");
    const QByteArray normal = mute.picture(1);
    QTest::mouseClick(mute.widget(), Qt::LeftButton);
    EXPECT_EQ(unit("透明标签声道").text(), QString::fromUtf8("静音"));
    EXPECT_EQ(engineVolume(), 0u);
    EXPECT_EQ(state().volumeLevel, 50);
    EXPECT_EQ(mute.picture(1), mute.picture(3));
    // Playing again while muted keeps the stream silent.
    transport().transport(PlaybackCommand::Stop);
    transport().transport(PlaybackCommand::Play);
    EXPECT_EQ(engineVolume(), 0u);
    QTest::mouseClick(mute.widget(), Qt::LeftButton);
    EXPECT_EQ(unit("透明标签声道").text(), QString::fromUtf8("立体声"));
    EXPECT_EQ(engineVolume(), 50u);
    EXPECT_EQ(mute.picture(1), normal);
}

TEST_F(TransportTest, SeekingByTrackClick) {
    transport().transport(PlaybackCommand::Play);
    QTest::qWait(300);
    transport().onProgressTrackPressed(0);
    QTest::qWait(50);
    EXPECT_LT(position(), 44100 * 4 / 5); // back near the start
    EXPECT_EQ(unit("时钟进度").interval(), 200);
    transport().onProgressTrackPressed(unit("透明标签进度").width());
    expectStopped();
}

TEST_F(TransportTest, TheTrackStopsByItselfAtItsEnd) {
    fileDialog.answer = audio("sine440-44k1-stereo-s16.wav"); // 2 s
    transport().openFile();
    expectPlaying();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return state().statusText == playback::kStatusStopped; }, 5000));
    expectStopped();
}

TEST_F(TransportTest, ProgressTickMovesTheThumb) {
    fileDialog.answer = audio("sine440-44k1-stereo-s16.wav");
    transport().openFile();
    const int start = unit("图形按钮进度").left();
    QTest::qWait(1100);
    transport().onProgressTick();
    EXPECT_GT(unit("图形按钮进度").left(), start);
    EXPECT_GE(player->timeDisplay().ShownSeconds(), 1);
}

} // namespace
