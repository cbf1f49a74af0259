#include "MprisBusFixture.h"

#include "MprisNames.h"

using platform::MprisPlaybackStatus;

void MprisBusTest::SetUp() {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "no session bus: run through ctest, which starts one with "
                        "dbus-run-session (package dbus-daemon)";
    backend.state.status = MprisPlaybackStatus::Paused;
    backend.state.positionUs = 30'000'000;
    backend.state.volume = 0.8;
    backend.state.canPlay = backend.state.canPause = backend.state.canSeek = true;
    backend.state.canGoNext = backend.state.canGoPrevious = true;
    setTrack(7, QString::fromUtf8("月亮代表我的心"));
    ASSERT_TRUE(service.registerOnSessionBus());
    ASSERT_EQ(service.serviceName(), platform::mpris::kServiceName);
}

void MprisBusTest::setTrack(uint64_t id, const QString& title) {
    backend.state.track = {id,
                           183'000'000,
                           title,
                           QString::fromUtf8("邓丽君"),
                           QString::fromUtf8("岛国之情歌"),
                           QString::fromUtf8("/music/邓丽君/07 月亮 代表.mp3")};
}

ClientRun MprisBusTest::playerctl(const QStringList& arguments) {
    return runClient(QStringLiteral("playerctl"), QStringList{"-p", "tarvo"} + arguments);
}

ClientRun MprisBusTest::dbusSend(const QString& method, const QStringList& arguments) {
    return runClient(QStringLiteral("dbus-send"),
                     QStringList{"--session", "--print-reply",
                                 QStringLiteral("--dest=%1").arg(platform::mpris::kServiceName),
                                 platform::mpris::kObjectPath, method} +
                         arguments);
}

ClientRun MprisBusTest::getProperty(const QString& name) {
    return dbusSend("org.freedesktop.DBus.Properties.Get",
                    {"string:org.mpris.MediaPlayer2.Player", "string:" + name});
}

ClientRun MprisBusTest::setVolume(const QString& typedValue) {
    return dbusSend(
        "org.freedesktop.DBus.Properties.Set",
        {"string:org.mpris.MediaPlayer2.Player", "string:Volume", "variant:" + typedValue});
}

QStringList MprisBusTest::takeCalls() {
    return std::exchange(backend.calls, {});
}
