#include "PlayerFixture.h"
#include "PlaylistPlayer.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWidget>

namespace {

using playback::PlayState;

// Files from outside the player: the command line, another instance and the file manager all
// end in Player::openFiles; a drop reaches it through the main window.
class ExternalFilesTest : public PlayerFixture {
  protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        ASSERT_TRUE(folder.isValid());
        installEngine();
        ASSERT_TRUE(startPlayer());
    }
    QString add(const QString& name, const char* fixture) {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(QFile::copy(QStringLiteral(TARVO_AUDIO_DIR "/") + fixture, path));
        return path;
    }
    QString status() {
        return player->mainWindow()->unit(QString::fromUtf8("透明标签状态"))->text();
    }
    void drop(const QStringList& files) {
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        QMimeData data;
        data.setUrls(urls);
        QWidget* window = player->mainWindow()->widget();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window, &event);
    }
    QTemporaryDir folder;
};

TEST_F(ExternalFilesTest, DroppedFilesPlayTheFirstNowAndTheOthersAfterIt) {
    const QString first = add("b first.wav", "sine440-44k1-stereo-s16.wav");
    const QString second = add("a second.mp3", "gbk-id3v1.mp3");
    drop({first, second});
    EXPECT_EQ(player->playback().state(), PlayState::Playing);
    EXPECT_EQ(player->playback().track().path, first);
    EXPECT_TRUE(player->playlist().hasNext()); // the given order, not the folder's
    ASSERT_TRUE(player->playlist().next());
    EXPECT_EQ(player->playback().track().path, second);
}

TEST_F(ExternalFilesTest, FilesThatAreMissingOrNoAudioChangeNothingButTheStatus) {
    const QString good = add("good.wav", "sine440-44k1-stereo-s16.wav");
    ASSERT_TRUE(player->openFiles({good}));
    const QString noAudio = add("notes.mp3", "x.mp3");
    EXPECT_FALSE(player->openFiles({folder.filePath("missing.flac"), noAudio}));
    EXPECT_EQ(status(), QString::fromUtf8("无法播放"));
    EXPECT_EQ(player->playback().track().path, good);
    EXPECT_EQ(player->playback().state(), PlayState::Playing);
    // A drop of something that is no file at all is not taken.
    QMimeData text;
    text.setText(QStringLiteral("hello"));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, {});
    QCoreApplication::sendEvent(player->mainWindow()->widget(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

} // namespace
