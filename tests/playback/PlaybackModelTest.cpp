#include "PlaybackModelFixture.h"
#include "ProcessCounters.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

using playback::OpenError;
using playback::PlayState;

class PlaybackModelTest : public PlaybackModelFixture {};

TEST_F(PlaybackModelTest, OpeningFiftyFilesKeepsOneStreamAndNothingElse) {
    const QStringList files = {audio("sine440-44k1-stereo-128k.mp3"),
                               audio("sine440-44k1-stereo.flac"), audio("sine440-44k1-stereo.ogg"),
                               audio("sine440-44k1-stereo-s16.wav")};
    // Each decoder maps its code and tables the first time: open each kind once first.
    for (const QString& file : files)
        ASSERT_TRUE(model.open(file));
    ASSERT_TRUE(model.open(files[0]));
    QTest::qWait(50);
    const int threads = threadCount();
    const int descriptors = openDescriptorCount();
    const long resident = residentKiB();
    uint32_t previous = model.streamHandle();
    for (int i = 1; i < 50; ++i) {
        ASSERT_TRUE(model.open(files[i % files.size()])) << i;
        // The stream it replaced is gone from the engine.
        EXPECT_EQ(model.engine().channelGetLength(previous), QWORD(-1));
        EXPECT_EQ(model.engine().errorGetCode(), BASS_ERROR_HANDLE);
        previous = model.streamHandle();
    }
    QTest::qWait(50);
    EXPECT_EQ(threadCount(), threads);
    EXPECT_EQ(openDescriptorCount(), descriptors);
    if (residentMemoryIsMeaningful())
        EXPECT_LE(std::abs(residentKiB() - resident), 2048)
            << "resident after one open " << resident << " KiB";
    RecordProperty("ResidentAfterOneKiB", static_cast<int>(resident));
    RecordProperty("ResidentAfterFiftyKiB", static_cast<int>(residentKiB()));
}

// The end is what the engine says, not a margin: the track plays to its last sample.
TEST_F(PlaybackModelTest, EndedArrivesAtTheTrueEnd) {
    const QString wav = dir.filePath("sine-8k-mono.wav");
    writeSineWav(wav, 8000, 1, 1.5);
    for (const QString& file : {audio("sine440-44k1-stereo-128k.mp3"), wav}) {
        ASSERT_TRUE(model.load(file));
        QSignalSpy ended(&model, &playback::PlaybackModel::ended);
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(model.play());
        ASSERT_TRUE(ended.wait(model.lengthMs() + 2000)) << file.toStdString();
        const qint64 late = clock.elapsed() - model.lengthMs();
        // The engine's device keeps time on its own clock: the end is heard a device latency
        // after the length has passed on the wall clock, and is reported soon after.
        EXPECT_GE(late, -20) << file.toStdString();
        EXPECT_LE(late, 100) << file.toStdString();
        EXPECT_EQ(model.state(), PlayState::Stopped);
        EXPECT_EQ(model.positionMs(), 0);
        EXPECT_EQ(ended.size(), 1);
    }
}

TEST_F(PlaybackModelTest, AnEndNoticeOfAReplacedOrStillPlayingStreamIsIgnored) {
    ASSERT_TRUE(model.open(audio("sine440-44k1-stereo-s16.wav")));
    const uint64_t first = model.generation();
    ASSERT_TRUE(model.open(audio("sine440-44k1-stereo-128k.mp3")));
    QSignalSpy ended(&model, &playback::PlaybackModel::ended);
    model.onEndNotice(first);
    model.onEndNotice(model.generation()); // the engine still plays it
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_EQ(model.state(), PlayState::Playing);
    // A stale notice after the current stream really ended does not count either.
    ASSERT_TRUE(ended.wait(4000));
    model.onEndNotice(first);
    EXPECT_EQ(ended.size(), 1);
}

TEST_F(PlaybackModelTest, CommandsFollowTheTransportStates) {
    EXPECT_FALSE(model.play()); // nothing loaded
    ASSERT_TRUE(model.load(audio("sine440-44k1-stereo-s16.wav")));
    QSignalSpy states(&model, &playback::PlaybackModel::stateChanged);
    model.pause();                       // only while playing
    EXPECT_FALSE(model.seekPercent(50)); // nothing to seek in a stopped player
    EXPECT_TRUE(states.isEmpty());
    EXPECT_EQ(model.state(), PlayState::Stopped);

    model.togglePlayPause();
    EXPECT_EQ(model.state(), PlayState::Playing);
    QTest::qWait(300);
    model.togglePlayPause();
    EXPECT_EQ(model.state(), PlayState::Paused);
    const int64_t paused = model.positionMs();
    EXPECT_GT(paused, 100);
    QTest::qWait(100);
    EXPECT_EQ(model.positionMs(), paused);
    ASSERT_TRUE(model.seekMs(1500));
    EXPECT_EQ(model.positionMs(), 1500);
    ASSERT_TRUE(model.play()); // resumes at the seek
    EXPECT_GE(model.positionMs(), 1500);
    EXPECT_TRUE(model.seekPercent(100));
    EXPECT_EQ(model.state(), PlayState::Stopped);
    EXPECT_EQ(model.positionMs(), 0);
    ASSERT_TRUE(model.play()); // from the beginning
    EXPECT_LT(model.positionMs(), 100);
    model.stop();
    EXPECT_EQ(states.size(), 6);
}

TEST_F(PlaybackModelTest, AFileTheEngineRefusesChangesNothing) {
    ASSERT_TRUE(model.open(audio("gbk-id3v1.mp3")));
    const playback::Track track = model.track();
    EXPECT_EQ(track.displayName, QString::fromUtf8("歌手 - 你好世界"));
    EXPECT_EQ(track.album, QString::fromUtf8("专辑"));
    const uint32_t stream = model.streamHandle();
    QSignalSpy failed(&model, &playback::PlaybackModel::openFailed);
    QSignalSpy changed(&model, &playback::PlaybackModel::trackChanged);
    EXPECT_FALSE(model.open(audio("x.mp3")));
    EXPECT_FALSE(model.open(dir.filePath("no-such-file.mp3")));
    ASSERT_EQ(failed.size(), 2);
    EXPECT_EQ(failed[0][1].value<OpenError>(), OpenError::NotAudio);
    EXPECT_EQ(failed[1][1].value<OpenError>(), OpenError::CannotOpen);
    EXPECT_TRUE(changed.isEmpty());
    EXPECT_EQ(model.track(), track);
    EXPECT_EQ(model.streamHandle(), stream);
    EXPECT_EQ(model.state(), PlayState::Playing);
}

// The tests run in the POSIX locale (see CMakeLists.txt): file names are UTF-8 whatever it is.
TEST_F(PlaybackModelTest, OpensFilesWithNonAsciiNames) {
    const QString file = dir.filePath(QString::fromUtf8("雪夜的歌 №1.mp3"));
    ASSERT_TRUE(QFile::copy(audio("sine440-44k1-stereo-128k.mp3"), file));
    ASSERT_TRUE(model.open(file));
    EXPECT_EQ(model.track().path, file);
    EXPECT_EQ(model.track().displayName, QString::fromUtf8("雪夜的歌 №1")); // no tag: the name
    EXPECT_GT(model.lengthMs(), 1900);
    const QString tagged = dir.filePath(QString::fromUtf8("标签.mp3"));
    ASSERT_TRUE(QFile::copy(audio("gbk-id3v1.mp3"), tagged));
    ASSERT_TRUE(model.load(tagged));
    EXPECT_EQ(model.track().title, QString::fromUtf8("你好世界"));
}

TEST_F(PlaybackModelTest, VolumeIsKeptAndMuteSilencesWithoutForgettingIt) {
    EXPECT_FALSE(model.setVolume(40)); // no stream to take it, but it is kept
    EXPECT_EQ(model.volume(), 40);
    EXPECT_FALSE(model.toggleMute()); // nothing to mute
    ASSERT_TRUE(model.open(audio("sine440-44k1-stereo-s16.wav")));
    EXPECT_EQ(engineVolume(), 40u);
    EXPECT_TRUE(model.setVolume(150));
    EXPECT_EQ(model.volume(), 100);
    EXPECT_TRUE(model.stepVolume(-5));
    EXPECT_EQ(engineVolume(), 95u);
    ASSERT_TRUE(model.toggleMute());
    EXPECT_EQ(engineVolume(), 0u);
    EXPECT_TRUE(model.setVolume(-3));
    EXPECT_EQ(model.volume(), 0);
    EXPECT_TRUE(model.setVolume(70));
    EXPECT_EQ(engineVolume(), 0u); // muted stays muted
    ASSERT_TRUE(model.open(audio("sine440-44k1-stereo-128k.mp3")));
    EXPECT_EQ(engineVolume(), 0u); // also for the next track
    ASSERT_TRUE(model.toggleMute());
    EXPECT_EQ(engineVolume(), 70u);
}

} // namespace
