#include "EngineLibrary.h"
#include "MainWindowTransport.h"
#include "PlayerFixture.h"
#include "TransportTexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWidget>

namespace {

using app::TransportCommand;
using playback::PlayState;
const QString kPlaying = app::texts::status(PlayState::Playing);
const QString kPaused = app::texts::status(PlayState::Paused);
const QString kStopped = app::texts::status(PlayState::Stopped);

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
    app::MainWindowTransport& transport() { return player->transport(); }
    playback::PlaybackModel& model() { return player->playback(); }
    playback::EngineLibrary& engine() { return model().engine(); }
    QString status() { return unit("透明标签状态").text(); }
    int64_t position() { return int64_t(engine().channelGetPosition(model().streamHandle())); }
    DWORD engineVolume() {
        DWORD volume = 999;
        engine().channelGetAttributes(model().streamHandle(), nullptr, &volume, nullptr);
        return volume;
    }
    void expectStopped() {
        EXPECT_EQ(model().state(), PlayState::Stopped);
        EXPECT_TRUE(unit("图形按钮播放").isVisible());
        EXPECT_FALSE(unit("图形按钮暂停").isVisible());
        EXPECT_EQ(unit("时钟频谱").interval(), 0);
        EXPECT_EQ(unit("时钟进度").interval(), 0);
        EXPECT_TRUE(unit("图形按钮停止").isDisabled());
        EXPECT_TRUE(unit("图形按钮进度").isDisabled());
        EXPECT_TRUE(unit("透明标签进度").isDisabled());
    }
    void expectPlaying() {
        EXPECT_EQ(model().state(), PlayState::Playing);
        EXPECT_EQ(status(), kPlaying);
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
    EXPECT_EQ(model().state(), PlayState::Paused);
    EXPECT_EQ(status(), kPaused);
    EXPECT_TRUE(unit("图形按钮播放").isVisible());
    EXPECT_EQ(unit("时钟进度").interval(), 0);
    EXPECT_FALSE(unit("图形按钮停止").isDisabled());
    const int64_t paused = position(); // holds from the moment the engine paused
    EXPECT_GT(paused, 0);
    QTest::qWait(300);
    EXPECT_EQ(position(), paused);

    transport().transport(TransportCommand::Play); // resumes where it paused
    QTest::qWait(100);
    EXPECT_GE(position(), paused);
    expectPlaying();

    transport().transport(TransportCommand::Stop);
    expectStopped();
    transport().transport(TransportCommand::Play); // starts again from the beginning
    EXPECT_LT(position(), paused);
}

TEST_F(TransportTest, OpenWhilePlayingShowsTheNewTracksName) {
    transport().transport(TransportCommand::Play);
    fileDialog.answer = audio("gbk-id3v1.mp3");
    QTest::mouseClick(unit("图形按钮打开").widget(), Qt::LeftButton);
    EXPECT_EQ(fileDialog.askedIn.last(), "/srv/music");
    expectPlaying();
    EXPECT_EQ(unit("透明标签信息").text(), QString::fromUtf8("标题：歌手 - 你好世界"));
    EXPECT_EQ(player->mainWindow()->caption(), QString::fromUtf8("歌手 - 你好世界Tarvo播放器"));
    // The folder is the playlist: the first file of it has no previous track.
    EXPECT_TRUE(unit("图形按钮上一曲").isDisabled());
    EXPECT_FALSE(unit("图形按钮下一曲").isDisabled());
    transport().transport(TransportCommand::Pause);
    EXPECT_EQ(player->mainWindow()->caption(), QString::fromUtf8("歌手 - 你好世界Tarvo播放器"));
}

TEST_F(TransportTest, AFileTheEngineRefusesLeavesThePreviousTrackAsItWas) {
    transport().transport(TransportCommand::Play);
    const uint32_t before = model().streamHandle();
    const QString caption = player->mainWindow()->caption();
    const QString info = unit("透明标签信息").text();
    fileDialog.answer = audio("x.mp3");
    transport().openFile();
    EXPECT_EQ(status(), QString::fromUtf8("无法播放"));
    EXPECT_EQ(model().streamHandle(), before);
    EXPECT_EQ(model().state(), PlayState::Playing); // the previous track plays on
    EXPECT_EQ(player->mainWindow()->caption(), caption);
    EXPECT_EQ(unit("透明标签信息").text(), info);
    transport().onProgressTick(); // the next tick shows the state again
    EXPECT_EQ(status(), kPlaying);
}

TEST_F(TransportTest, VolumeTextIsClampedAndShown) {
    transport().transport(TransportCommand::Play);
    unit("编辑框音量").setText("150");
    EXPECT_EQ(engineVolume(), 100u);
    EXPECT_EQ(model().volume(), 100);
    EXPECT_EQ(status(), QString::fromUtf8("音量：100%")); // the level set, not the text
    EXPECT_EQ(unit("编辑框音量").text(), "100");
    unit("编辑框音量").setText("-5");
    EXPECT_EQ(engineVolume(), 0u);
    unit("编辑框音量").setText("35");
    unit("编辑框音量").setText("abc");
    EXPECT_EQ(model().volume(), 0);
    unit("编辑框音量").setText("35");
    EXPECT_EQ(engineVolume(), 35u);
    // The next progress tick puts the state text back.
    transport().onProgressTick();
    EXPECT_EQ(status(), kPlaying);
}

TEST_F(TransportTest, MuteSilencesAndUnmuteRestores) {
    transport().transport(TransportCommand::Play);
    tk::Unit& mute = unit("图形按钮静音");
    const QByteArray normal = mute.picture(1);
    QTest::mouseClick(mute.widget(), Qt::LeftButton);
    EXPECT_EQ(unit("透明标签声道").text(), QString::fromUtf8("静音"));
    EXPECT_EQ(engineVolume(), 0u);
    EXPECT_EQ(model().volume(), 50);
    EXPECT_EQ(mute.picture(1), mute.picture(3));
    // Playing again while muted keeps the stream silent.
    transport().transport(TransportCommand::Stop);
    transport().transport(TransportCommand::Play);
    EXPECT_EQ(engineVolume(), 0u);
    QTest::mouseClick(mute.widget(), Qt::LeftButton);
    EXPECT_EQ(unit("透明标签声道").text(), QString::fromUtf8("立体声"));
    EXPECT_EQ(engineVolume(), 50u);
    EXPECT_EQ(mute.picture(1), normal);
}

TEST_F(TransportTest, SeekingByTrackClickAndThumbRelease) {
    transport().transport(TransportCommand::Play);
    QTest::qWait(300);
    transport().onProgressTrackPressed(0);
    QTest::qWait(50);
    EXPECT_LT(position(), 44100 * 4 / 5); // back near the start
    EXPECT_EQ(unit("时钟进度").interval(), 200);
    transport().onProgressTrackPressed(unit("透明标签进度").width());
    expectStopped();

    // Releasing the thumb at the right end stops the same way: timers off, thumb and time at 0.
    transport().transport(TransportCommand::Play);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model().positionMs() >= 1000; }, 4000));
    transport().onProgressTick();
    ASSERT_GE(player->timeDisplay().ShownSeconds(), 1);
    QWidget* thumb = unit("图形按钮进度").widget();
    transport().onProgressThumbPressed();
    player->sliders().setSliderValue(thumb, 100);
    transport().onProgressThumbReleased();
    expectStopped();
    EXPECT_EQ(status(), kStopped);
    EXPECT_EQ(player->sliders().getSliderValue(thumb), 0);
    EXPECT_EQ(player->timeDisplay().ShownSeconds(), 0);
}

TEST_F(TransportTest, TheTrackStopsByItselfAtItsEndAndShowsZero) {
    // Alone in its folder, so that no next track follows it.
    QTemporaryDir alone;
    fileDialog.answer = alone.filePath("sine.wav");
    ASSERT_TRUE(QFile::copy(audio("sine440-44k1-stereo-s16.wav"), fileDialog.answer)); // 2 s
    transport().openFile();
    expectPlaying();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model().positionMs() >= 1000; }, 4000));
    transport().onProgressTick();
    ASSERT_GE(player->timeDisplay().ShownSeconds(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return model().state() == PlayState::Stopped; }, 5000));
    expectStopped();
    EXPECT_EQ(status(), kStopped);
    EXPECT_EQ(player->timeDisplay().ShownSeconds(), 0);
    EXPECT_EQ(player->sliders().getSliderValue(unit("图形按钮进度").widget()), 0);

    // A progress tick that finds the track played out is the end too: the time shows 0.
    transport().transport(TransportCommand::Play);
    ASSERT_TRUE(model().seekMs(model().lengthMs() - 50));
    const uint32_t stream = model().streamHandle();
    for (int i = 0; i < 400 && engine().channelIsActive(stream) != BASS_ACTIVE_STOPPED; ++i)
        QThread::msleep(5); // no events: the model has not been told yet
    ASSERT_EQ(model().state(), PlayState::Playing);
    transport().onProgressTick();
    expectStopped();
    EXPECT_EQ(player->timeDisplay().ShownSeconds(), 0);
}

TEST_F(TransportTest, ProgressTickMovesTheThumb) {
    fileDialog.answer = audio("sine440-44k1-stereo-s16.wav");
    transport().openFile();
    const int start = unit("图形按钮进度").left();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model().positionMs() >= 1000; }, 4000));
    transport().onProgressTick();
    EXPECT_GT(unit("图形按钮进度").left(), start);
    EXPECT_GE(player->timeDisplay().ShownSeconds(), 1);
}

class TransportWithoutTrack : public PlayerFixture {};

TEST_F(TransportWithoutTrack, PlayAsksForAFileAndPlaysIt) {
    installEngine(false);
    ASSERT_TRUE(startPlayer());
    EXPECT_FALSE(player->playback().hasTrack());
    // Without a stream the volume cannot be set: the status keeps the stopped state.
    EXPECT_EQ(player->mainWindow()->unit(QString::fromUtf8("透明标签状态"))->text(), kStopped);
    player->transport().transport(TransportCommand::Play);
    EXPECT_EQ(fileDialog.askedIn.size(), 1); // cancelled: nothing changes
    EXPECT_EQ(player->playback().state(), PlayState::Stopped);
    fileDialog.answer = QStringLiteral(TARVO_AUDIO_DIR "/sine440-44k1-stereo-128k.mp3");
    player->transport().transport(TransportCommand::Play);
    EXPECT_EQ(player->playback().state(), PlayState::Playing);
    DWORD volume = 0;
    player->playback().engine().channelGetAttributes(player->playback().streamHandle(), nullptr,
                                                     &volume, nullptr);
    EXPECT_EQ(volume, 50u); // the volume slider's level reaches the new stream
}

} // namespace
