// A second player process for the hand-over tests and the figures script:
//   mpris_peer hand-over FILE...   gives the files to the running player; exit 0 when it
//                                  took them, 1 when not; prints "hand-over-us N"
//   mpris_peer serve SECONDS       registers a service over a recording backend, prints the
//                                  name it took and "register-us N", stays SECONDS; exit 2
//                                  when it could not register
#include "MprisService.h"
#include "RecordingMprisBackend.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

namespace {

int handOver(const QStringList& files) {
    QElapsedTimer timer;
    timer.start();
    const bool handedOver = platform::handOverToRunningInstance(files);
    std::printf("hand-over-us %lld\n", static_cast<long long>(timer.nsecsElapsed() / 1000));
    return handedOver ? 0 : 1;
}

int serve(int seconds) {
    RecordingMprisBackend backend;
    platform::MprisService service(backend);
    QElapsedTimer timer;
    timer.start();
    if (!service.registerOnSessionBus())
        return 2;
    const long long registerUs = timer.nsecsElapsed() / 1000;
    std::printf("%s\nregister-us %lld\n", qPrintable(service.serviceName()), registerUs);
    std::fflush(stdout);
    if (seconds <= 0)
        return 0;
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() >= 2 && arguments[0] == QLatin1String("hand-over"))
        return handOver(arguments.mid(1));
    if (arguments.size() == 2 && arguments[0] == QLatin1String("serve"))
        return serve(arguments[1].toInt());
    std::fprintf(stderr, "usage: mpris_peer hand-over FILE... | serve SECONDS\n");
    return 64;
}
