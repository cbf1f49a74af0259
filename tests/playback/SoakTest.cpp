#include "PlaybackModelFixture.h"
#include "ProcessCounters.h"

#include <QCoreApplication>
#include <QTest>
#include <random>

namespace {

using playback::PlayState;

// Thousands of random commands, good and bad files among them: after each one the model is in
// the state that command leads to, and in the end the process holds no more than it did.
class Soak : public PlaybackModelFixture {
  protected:
    enum Command { OpenGood, OpenBad, Play, Pause, Stop, SeekPercent, SeekMs, Volume, Mute, Count };

    void run(Command command, std::mt19937& random) {
        const PlayState before = model.state();
        const playback::Track track = model.track();
        const bool muted = model.isMuted();
        const auto pick = [&random](const QStringList& list) {
            return list[std::uniform_int_distribution<int>(0, int(list.size()) - 1)(random)];
        };
        switch (command) {
        case OpenGood: {
            const QString file = pick(good);
            ASSERT_TRUE(model.open(file));
            EXPECT_EQ(model.state(), PlayState::Playing);
            EXPECT_EQ(model.track().path, file);
            break;
        }
        case OpenBad:
            ASSERT_FALSE(model.open(pick(bad)));
            EXPECT_EQ(model.state(), before);
            EXPECT_EQ(model.track(), track);
            break;
        case Play:
            EXPECT_EQ(model.play(), model.hasTrack());
            EXPECT_EQ(model.state(), model.hasTrack() ? PlayState::Playing : before);
            break;
        case Pause:
            model.pause();
            EXPECT_EQ(model.state(), before == PlayState::Playing ? PlayState::Paused : before);
            break;
        case Stop:
            model.stop();
            EXPECT_EQ(model.state(), PlayState::Stopped);
            break;
        case SeekPercent: {
            const int percent = std::uniform_int_distribution<int>(-10, 110)(random);
            const bool done = model.seekPercent(percent);
            EXPECT_EQ(done, before != PlayState::Stopped);
            EXPECT_EQ(model.state(),
                      before != PlayState::Stopped && percent >= 100 ? PlayState::Stopped : before);
            break;
        }
        case SeekMs: {
            const int64_t ms = std::uniform_int_distribution<int64_t>(-1000, 4000)(random);
            EXPECT_EQ(model.seekMs(ms), before != PlayState::Stopped);
            EXPECT_EQ(model.state(), before);
            break;
        }
        case Volume: {
            const int level = std::uniform_int_distribution<int>(-20, 130)(random);
            model.setVolume(level);
            EXPECT_EQ(model.volume(), std::clamp(level, 0, 100));
            break;
        }
        case Mute:
            EXPECT_EQ(model.toggleMute(), model.hasTrack());
            EXPECT_EQ(model.isMuted(), model.hasTrack() ? !muted : muted);
            break;
        case Count:
            break;
        }
    }

    const QStringList good = {
        audio("sine440-44k1-stereo-128k.mp3"), audio("sine440-22k05-mono-64k.mp3"),
        audio("sine440-44k1-stereo.flac"),     audio("sine440-44k1-stereo.ogg"),
        audio("sine440-44k1-stereo-s16.wav"),  audio("gbk-id3v1.mp3")};
    const QStringList bad = {audio("x.mp3"), audio("zero-bytes.mp3"), audio("truncated-5000.mp3"),
                             audio("no-such-file.mp3"), audio("")};
};

TEST_F(Soak, FiveThousandRandomCommandsLeaveTheModelConsistentAndNothingBehind) {
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> commands(0, Count - 1);
    const auto runMany = [&](int n) {
        for (int i = 0; i < n && !HasFatalFailure(); ++i) {
            run(static_cast<Command>(commands(random)), random);
            if (i % 16 == 0) // lets the end watch run now and then, as the event loop would
                QCoreApplication::processEvents();
        }
    };
    // Warm up (the decoders' first allocations, the output), then count with one stream open.
    runMany(500);
    ASSERT_TRUE(model.open(good[0]));
    QTest::qWait(50);
    const int threads = threadCount();
    const int descriptors = openDescriptorCount();
    const long resident = residentKiB();

    runMany(4500);
    ASSERT_TRUE(model.open(good[0]));
    QTest::qWait(50);
    EXPECT_EQ(threadCount(), threads);
    EXPECT_EQ(openDescriptorCount(), descriptors);
    if (residentMemoryIsMeaningful())
        EXPECT_LE(residentKiB() - resident, 2048) << "resident " << resident << " KiB at the start";
}

} // namespace
