#include "MprisBusFixture.h"
#include "MprisNames.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

namespace {

using platform::MprisPlaybackStatus;

TEST_F(MprisBusTest, RootInterfaceNamesThePlayerAndRaisesAndQuitsIt) {
    const ClientRun all =
        dbusSend("org.freedesktop.DBus.Properties.GetAll", {"string:org.mpris.MediaPlayer2"});
    ASSERT_EQ(all.exitCode, 0) << qPrintable(all.err);
    for (const char* expected :
         {"\"Identity\"\n         variant             string \"Tarvo\"",
          "\"DesktopEntry\"\n         variant             string \"tarvo\"",
          "\"CanQuit\"\n         variant             boolean true",
          "\"CanRaise\"\n         variant             boolean true",
          "\"HasTrackList\"\n         variant             boolean false", "string \"audio/flac\"",
          "\"SupportedUriSchemes\"\n         variant             array [\n               "
          "string \"file\""})
        EXPECT_TRUE(all.out.contains(expected)) << expected << "\nin\n" << qPrintable(all.out);

    EXPECT_EQ(dbusSend("org.mpris.MediaPlayer2.Raise").exitCode, 0);
    EXPECT_EQ(dbusSend("org.mpris.MediaPlayer2.Quit").exitCode, 0);
    EXPECT_EQ(takeCalls(), QStringList({"raise", "quit"}));
}

TEST_F(MprisBusTest, StatusAndMetadataReachClientsInTheirTypes) {
    EXPECT_EQ(playerctl({"status"}).out, "Paused\n");
    backend.state.status = MprisPlaybackStatus::Playing;
    EXPECT_EQ(playerctl({"status"}).out, "Playing\n");
    backend.state.status = MprisPlaybackStatus::Stopped;
    EXPECT_EQ(playerctl({"status"}).out, "Stopped\n");

    const ClientRun metadata =
        playerctl({"metadata", "--format",
                   "{{mpris:trackid}}|{{mpris:length}}|{{xesam:title}}|{{xesam:artist}}|"
                   "{{xesam:album}}|{{xesam:url}}"});
    EXPECT_EQ(metadata.out,
              QString::fromUtf8("'/org/tarvo/Track/7'|183000000|月亮代表我的心|邓丽君|岛国之情歌|"
                                "file:///music/%E9%82%93%E4%B8%BD%E5%90%9B/"
                                "07%20%E6%9C%88%E4%BA%AE%20%E4%BB%A3%E8%A1%A8.mp3\n"));
    // The wire types clients rely on: an object path, an int64, a list of artists.
    const QString wire = getProperty("Metadata").out;
    EXPECT_TRUE(wire.contains("variant                object path \"/org/tarvo/Track/7\""))
        << qPrintable(wire);
    EXPECT_TRUE(wire.contains("variant                int64 183000000"));
    EXPECT_TRUE(wire.contains(QString::fromUtf8("variant                array [\n"
                                                "                  string \"邓丽君\"")));
    EXPECT_TRUE(getProperty("Position").out.contains("variant       int64 30000000"));
    EXPECT_TRUE(getProperty("Volume").out.contains("variant       double 0.8"));

    // Nothing loaded: only the track id that means "no track".
    backend.state.track = {};
    const QString none = getProperty("Metadata").out;
    EXPECT_TRUE(none.contains("object path \"/org/mpris/MediaPlayer2/TrackList/NoTrack\""))
        << qPrintable(none);
    EXPECT_FALSE(none.contains("xesam:"));
}

TEST_F(MprisBusTest, TransportCommandsReachTheBackendWhenTheStateAllowsThem) {
    for (const char* command :
         {"play", "pause", "play-pause", "play-pause", "stop", "next", "previous"})
        EXPECT_EQ(playerctl({command}).exitCode, 0) << command;
    EXPECT_EQ(takeCalls(),
              QStringList({"play", "pause", "play", "pause", "stop", "next", "previous"}));

    // At the ends of the list, and with nothing loaded, the requests change nothing.
    backend.state = {};
    for (const char* method : {"Next", "Previous", "Play", "Pause"})
        dbusSend(QStringLiteral("org.mpris.MediaPlayer2.Player.") + method);
    const ClientRun playPause = dbusSend("org.mpris.MediaPlayer2.Player.PlayPause");
    EXPECT_NE(playPause.exitCode, 0);
    EXPECT_TRUE(playPause.err.contains("org.freedesktop.DBus.Error.NotSupported"))
        << qPrintable(playPause.err);
    EXPECT_EQ(takeCalls(), QStringList());
}

TEST_F(MprisBusTest, SeekAndSetPositionStayInsideTheTrack) {
    EXPECT_EQ(playerctl({"position", "10"}).exitCode, 0);   // SetPosition on the current track
    EXPECT_EQ(playerctl({"position", "5+"}).exitCode, 0);   // Seek forward from 10 s
    EXPECT_EQ(playerctl({"position", "100-"}).exitCode, 0); // before the start: the start
    EXPECT_EQ(takeCalls(), QStringList({"seekTo 10000000", "seekTo 15000000", "seekTo 0"}));

    // Past the end the track is over: the next one, or a stop after the last.
    playerctl({"position", "500+"});
    backend.state.canGoNext = false;
    dbusSend("org.mpris.MediaPlayer2.Player.Seek", {"int64:9223372036854775807"});
    EXPECT_EQ(takeCalls(), QStringList({"next", "stop"}));

    // A position for a track no longer loaded, outside the track, or on a track that cannot
    // seek is ignored.
    const auto setPosition = [&](const char* track, const char* position) {
        return dbusSend("org.mpris.MediaPlayer2.Player.SetPosition",
                        {QStringLiteral("objpath:") + track, QStringLiteral("int64:") + position});
    };
    EXPECT_EQ(setPosition("/org/tarvo/Track/6", "1000000").exitCode, 0);
    setPosition("/org/tarvo/Track/7", "183000001");
    setPosition("/org/tarvo/Track/7", "-1");
    backend.state.canSeek = false;
    setPosition("/org/tarvo/Track/7", "1000000");
    dbusSend("org.mpris.MediaPlayer2.Player.Seek", {"int64:1000000"});
    EXPECT_EQ(takeCalls(), QStringList());
}

TEST_F(MprisBusTest, VolumeSetThroughPropertiesReachesTheBackendClamped) {
    EXPECT_EQ(playerctl({"volume", "0.5"}).exitCode, 0);
    EXPECT_EQ(playerctl({"volume"}).out, "0.500000\n");
    EXPECT_EQ(setVolume("double:-0.3").exitCode, 0);
    EXPECT_EQ(setVolume("double:7").exitCode, 0);
    EXPECT_EQ(takeCalls(), QStringList({"setVolume 0.5", "setVolume 0", "setVolume 1"}));

    // Values that are no level leave it as it is.
    EXPECT_NE(setVolume("string:loud").exitCode, 0);
    setVolume("double:nan");
    EXPECT_EQ(takeCalls(), QStringList());
    EXPECT_DOUBLE_EQ(backend.state.volume, 1.0);
}

TEST_F(MprisBusTest, OpenUriPlaysLocalFilesAndRefusesEverythingElse) {
    QTemporaryDir folder;
    const QString file = QDir(folder.path()).filePath(QString::fromUtf8("新 歌.mp3"));
    QFile(file).open(QIODevice::WriteOnly);
    const auto openUri = [&](const QString& uri) {
        return dbusSend("org.mpris.MediaPlayer2.Player.OpenUri", {"string:" + uri});
    };
    EXPECT_EQ(openUri(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded)).exitCode, 0);
    EXPECT_EQ(takeCalls(), QStringList({"openFiles " + file}));

    for (const QString& bad :
         {QStringLiteral("http://example.org/a.mp3"), QStringLiteral("not a uri at all"),
          QStringLiteral("file:relative.mp3"), QStringLiteral("file://elsewhere") + file,
          QUrl::fromLocalFile(file + ".missing").toString(), QString()}) {
        const ClientRun run = openUri(bad);
        EXPECT_NE(run.exitCode, 0) << qPrintable(bad);
        EXPECT_TRUE(run.err.contains("org.freedesktop.DBus.Error.InvalidArgs"))
            << qPrintable(bad) << ": " << qPrintable(run.err);
    }
    EXPECT_EQ(takeCalls(), QStringList());
}

// The changed-properties map of a PropertiesChanged signal for the player interface.
QVariantMap changedProperties(const QDBusMessage& signal) {
    EXPECT_EQ(signal.member(), "PropertiesChanged");
    const QList<QVariant> arguments = signal.arguments();
    EXPECT_EQ(arguments.value(0).toString(), platform::mpris::kPlayerInterface);
    EXPECT_TRUE(qdbus_cast<QStringList>(arguments.value(2)).isEmpty()); // none invalidated
    return qdbus_cast<QVariantMap>(arguments.value(1));
}

TEST_F(MprisBusTest, PropertiesChangedCarriesExactlyTheValuesThatChanged) {
    BusSignalRecorder recorder;
    // Several changes in one turn of the event loop make one signal.
    backend.state.status = MprisPlaybackStatus::Playing;
    service.notifyChanged();
    backend.state.volume = 0.25;
    backend.state.positionUs = 90'000'000; // never announced: clients extrapolate it
    service.notifyChanged();
    ASSERT_TRUE(recorder.waitForCount(1));
    EXPECT_EQ(changedProperties(recorder.received[0]),
              QVariantMap({{"PlaybackStatus", "Playing"}, {"Volume", 0.25}}));

    service.notifyChanged(); // nothing differs: no signal, so the next one is the track's
    QCoreApplication::processEvents();
    setTrack(8, "Next song");
    backend.state.canGoNext = false;
    service.notifyChanged();
    ASSERT_TRUE(recorder.waitForCount(2));
    const QVariantMap changed = changedProperties(recorder.received[1]);
    EXPECT_EQ(changed.keys(), QStringList({"CanGoNext", "Metadata"}));
    EXPECT_EQ(changed.value("CanGoNext"), false);
    const QVariantMap metadata = qdbus_cast<QVariantMap>(changed.value("Metadata"));
    EXPECT_EQ(metadata.value("mpris:trackid").value<QDBusObjectPath>().path(),
              "/org/tarvo/Track/8");
    EXPECT_EQ(metadata.value("mpris:length").metaType(), QMetaType::fromType<qlonglong>());
    EXPECT_EQ(metadata.value("xesam:artist").toStringList(),
              QStringList{QString::fromUtf8("邓丽君")});
    EXPECT_EQ(metadata.value("xesam:title"), "Next song");

    // A client's request announces what it changed by itself.
    EXPECT_EQ(setVolume("double:0.75").exitCode, 0);
    ASSERT_TRUE(recorder.waitForCount(3));
    EXPECT_EQ(changedProperties(recorder.received[2]), QVariantMap({{"Volume", 0.75}}));
}

TEST_F(MprisBusTest, AMonitorSeesPropertiesChangedAndSeeked) {
    BusMonitor monitor("type='signal',path='/org/mpris/MediaPlayer2'");
    ASSERT_TRUE(monitor.isReady()) << qPrintable(monitor.output());
    backend.state.status = MprisPlaybackStatus::Stopped;
    service.notifyChanged();
    ASSERT_TRUE(monitor.waitFor("variant             string \"Stopped\""))
        << qPrintable(monitor.output());
    EXPECT_TRUE(monitor.output().contains("interface=org.freedesktop.DBus.Properties; "
                                          "member=PropertiesChanged\n"
                                          "   string \"org.mpris.MediaPlayer2.Player\""));
    service.notifySeeked(5'000'000);
    ASSERT_TRUE(monitor.waitFor("interface=org.mpris.MediaPlayer2.Player; member=Seeked\n"
                                "   int64 5000000"))
        << qPrintable(monitor.output());
}

} // namespace
