#include "PlaybackModelFixture.h"
#include "PlaylistPlayer.h"
#include "ProcessCounters.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

namespace {

using playback::PlayState;

class PlaylistTest : public PlaybackModelFixture {
  protected:
    // A file of the folder under test: a copy of a fixture, or bytes that are no audio.
    QString add(const QString& name, const char* fixture = "sine440-44k1-stereo-s16.wav") {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(QFile::copy(audio(fixture), path)) << name.toStdString();
        return path;
    }
    QString name() const { return QFileInfo(model.track().path).fileName(); }
    playback::PlaylistPlayer player{model};
};

TEST(Playlist, SortsNamesAsAPersonReadsThem) {
    QStringList names = {"10 终.mp3", "2 b.mp3", "1 a.mp3", "B.mp3", "a.mp3", "20.flac"};
    playback::Playlist::sortNaturally(names);
    EXPECT_EQ(names, (QStringList{"1 a.mp3", "2 b.mp3", "10 终.mp3", "20.flac", "a.mp3", "B.mp3"}));
    EXPECT_TRUE(playback::Playlist::looksLikeAudio("x.FLAC"));
    EXPECT_FALSE(playback::Playlist::looksLikeAudio("cover.jpg"));
}

TEST_F(PlaylistTest, TheFolderPlaysInNaturalOrderSkippingWhatIsNoAudio) {
    add("10 last.wav");
    const QString first = add("2 first.wav");
    add("3 broken.mp3", "x.mp3"); // refused by the engine: skipped
    add("4 notes.txt");           // not audio by its name: never tried
    add("5 middle.wav");
    ASSERT_TRUE(player.openFiles({first}));
    EXPECT_FALSE(player.hasPrevious());
    ASSERT_TRUE(player.next());
    EXPECT_EQ(name(), "5 middle.wav");
    ASSERT_TRUE(player.next());
    EXPECT_EQ(name(), "10 last.wav");
    EXPECT_FALSE(player.hasNext());
    EXPECT_FALSE(player.next()); // the end: the current track stays
    EXPECT_EQ(name(), "10 last.wav");
    ASSERT_TRUE(player.previous()); // back past the refused file
    ASSERT_TRUE(player.previous());
    EXPECT_EQ(name(), "2 first.wav");
}

TEST_F(PlaylistTest, AFolderThatChangesUnderItCounts) {
    const QString a = add("1.wav");
    const QString c = add("3.wav");
    ASSERT_TRUE(player.openFiles({a}));
    add("2.wav");
    ASSERT_TRUE(player.next());
    EXPECT_EQ(name(), "2.wav");
    ASSERT_TRUE(QFile::remove(dir.filePath("2.wav"))); // the current one goes
    ASSERT_TRUE(player.next());
    EXPECT_EQ(name(), "3.wav");
    ASSERT_TRUE(QFile::remove(c));
    EXPECT_FALSE(player.hasNext());
}

TEST_F(PlaylistTest, AGivenListPlaysInItsOrderAndStopsAtItsEnd) {
    const QString one = add("b.wav");
    const QString two = add("a.wav");
    QSignalSpy ended(&model, &playback::PlaybackModel::ended);
    ASSERT_TRUE(player.openFiles({dir.filePath("missing.wav"), one, two}));
    EXPECT_EQ(name(), "b.wav");         // the first that plays
    EXPECT_FALSE(player.hasPrevious()); // a file that is not there is no track
    ASSERT_TRUE(model.seekMs(model.lengthMs() - 100));
    // At the end of a track the next one starts; at the end of the list playback stops.
    ASSERT_TRUE(ended.wait(3000));
    EXPECT_EQ(name(), "a.wav");
    EXPECT_EQ(model.state(), PlayState::Playing);
    ASSERT_TRUE(model.seekMs(model.lengthMs() - 100));
    ASSERT_TRUE(ended.wait(3000));
    EXPECT_EQ(name(), "a.wav");
    EXPECT_EQ(model.state(), PlayState::Stopped);
}

TEST_F(PlaylistTest, OpeningOnlyBadFilesChangesNothing) {
    const QString good = add("good.wav");
    ASSERT_TRUE(player.openFiles({good}));
    const QString bad = add("bad.mp3", "x.mp3");
    EXPECT_FALSE(player.openFiles({bad, dir.filePath("nothing.wav")}));
    EXPECT_EQ(name(), "good.wav");
    EXPECT_EQ(player.playlist().current(), QFileInfo(good).absoluteFilePath());
}

} // namespace
