#include "BusClients.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int kClientTimeoutMs = 10000;

// Turns the event loop until `done` holds or the time is up; true when it holds.
template <typename Done> bool turnLoopUntil(Done done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop().processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

} // namespace

ClientRun runClient(const QString& program, const QStringList& arguments,
                    const QString& workingDirectory, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    process.setProcessEnvironment(environment);
    process.start();
    ClientRun run;
    run.finished =
        process.waitForStarted() &&
        turnLoopUntil([&] { return process.state() == QProcess::NotRunning; }, kClientTimeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

BusMonitor::BusMonitor(const QString& matchRule) {
    QObject::connect(&process_, &QProcess::readyReadStandardOutput,
                     [this] { output_ += QString::fromUtf8(process_.readAllStandardOutput()); });
    process_.start(QStringLiteral("dbus-monitor"), {QStringLiteral("--session"), matchRule});
    // Becoming a monitor drops the monitor's own name: from that notice on it sees the bus.
    ready_ = process_.waitForStarted() && waitFor(QStringLiteral("member=NameLost"));
}

BusMonitor::~BusMonitor() {
    process_.kill();
    process_.waitForFinished();
}

bool BusMonitor::waitFor(const QString& text, int timeoutMs) {
    return turnLoopUntil([&] { return output_.contains(text); }, timeoutMs);
}

BusSignalRecorder::BusSignalRecorder() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString path = QStringLiteral("/org/mpris/MediaPlayer2");
    bus.connect({}, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"), this, SLOT(record(QDBusMessage)));
    bus.connect({}, path, QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("Seeked"),
                this, SLOT(record(QDBusMessage)));
}

bool BusSignalRecorder::waitForCount(qsizetype count, int timeoutMs) {
    return turnLoopUntil([&] { return received.size() >= count; }, timeoutMs);
}

void BusSignalRecorder::record(const QDBusMessage& signal) {
    received << signal;
}
