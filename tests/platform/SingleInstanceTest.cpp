#include "MprisBusFixture.h"
#include "MprisNames.h"

#include <QDBusConnection>
#include <QDir>
#include <QTemporaryDir>

namespace {

ClientRun
runPeer(const QStringList& arguments, const QString& workingDirectory = {},
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    return runClient(QStringLiteral(TARVO_MPRIS_PEER), arguments, workingDirectory, environment);
}

TEST_F(MprisBusTest, ASecondPlayerHandsItsFilesToTheFirstAndExits) {
    QTemporaryDir folder;
    const ClientRun second =
        runPeer({"hand-over", "relative song.mp3", "/elsewhere/b.flac"}, folder.path());
    EXPECT_EQ(second.exitCode, 0) << qPrintable(second.err);
    EXPECT_EQ(takeCalls(),
              QStringList({"openFiles " + QDir(folder.path()).filePath("relative song.mp3") +
                               "|/elsewhere/b.flac",
                           "raise"}));

    // A second player that does register (started without files) stands beside the first.
    const ClientRun beside = runPeer({"serve", "0"});
    ASSERT_EQ(beside.exitCode, 0) << qPrintable(beside.err);
    EXPECT_TRUE(
        beside.out.startsWith(QStringLiteral("%1.instance").arg(platform::mpris::kServiceName)))
        << qPrintable(beside.out);
    EXPECT_EQ(service.serviceName(), platform::mpris::kServiceName);

    // Files a caller sends by itself must be absolute, and there must be some.
    for (const char* paths : {"array:string:relative.mp3", "array:string:"}) {
        const ClientRun run = dbusSend("org.tarvo.Instance.OpenFiles", {paths});
        EXPECT_TRUE(run.err.contains("org.freedesktop.DBus.Error.InvalidArgs")) << paths;
    }
    EXPECT_EQ(takeCalls(), QStringList());
}

class HandOverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            GTEST_SKIP() << "no session bus: run through ctest (dbus-run-session)";
    }
};

TEST_F(HandOverTest, FailsWhenNoPlayerHoldsTheName) {
    EXPECT_EQ(runPeer({"hand-over", "/a.mp3"}).exitCode, 1);

    // The name held by something that is not the player: the call fails, the new one starts.
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.registerService(platform::mpris::kServiceName));
    EXPECT_EQ(runPeer({"hand-over", "/a.mp3"}).exitCode, 1);
    bus.unregisterService(platform::mpris::kServiceName);
}

TEST_F(HandOverTest, WithoutASessionBusNeitherRegistrationNorHandOverHappens) {
    QProcessEnvironment noBus = QProcessEnvironment::systemEnvironment();
    noBus.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    const ClientRun serve = runPeer({"serve", "0"}, {}, noBus);
    EXPECT_EQ(serve.exitCode, 2);
    EXPECT_TRUE(serve.err.contains("tarvo: no session bus")) << qPrintable(serve.err);
    EXPECT_EQ(runPeer({"hand-over", "/a.mp3"}, {}, noBus).exitCode, 1);
}

} // namespace
